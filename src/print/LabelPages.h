#pragma once

#include "print/LabelGrid.h"
#include "print/PrintPages.h"
#include "print/TextObject.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class PrintDocument;
struct LabelBlockCache;

// Mailing labels: sheets of equal labels in a grid, each receiver on a run of
// consecutive labels, each label holding the receiver's block fitted to it.
// A receiver's block is fitted when a page first shows it and kept while the
// options and the label stay.
class LabelPages : public PrintPages {
public:
    // The pages keep the document, which must outlive them.
    explicit LabelPages(const PrintDocument &document);
    ~LabelPages() override;

    [[nodiscard]] int pageCount() const override;
    void drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const override;

    // The sheet's grid on the document's paper, inside the options' margins.
    [[nodiscard]] LabelGrid labelGrid() const;
    // Labels printed for each receiver: "repeatCount", at most 1,000.
    [[nodiscard]] qint64 labelRepeatCount() const;
    // The size a label block's fitting starts from: as if the block had at
    // least 3 lines of at least 10 characters.
    [[nodiscard]] static double labelStartingSize(const QString &blockText, const QSizeF &label);
    // The labels of the page of the grid (from 0), each receiver on
    // "repeatCount" labels in a row.
    void drawLabels(const LabelGrid &grid, qint64 page, DrawList &drawList, UndrawnContacts &undrawn) const;

private:
    // The receiver's block as a label shows it.
    const TextObject &labelBlock(qsizetype receiver, const LabelGrid &grid) const;
    // Draws a block larger than its label without the glyphs that would
    // reach past the label's edge, into the next label.
    void drawCutAtLabel(
        const TextObject &object, const QRectF &textRect, const QRectF &label, DrawList &drawList) const;

    const PrintDocument &m_document;
    mutable std::unique_ptr<LabelBlockCache> m_labelBlocks;
};
