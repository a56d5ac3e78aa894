#pragma once

#include "print/PrintContactRecord.h"
#include "print/PrintPages.h"
#include "print/TextObject.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QStringList>

class PrintDocument;

// Japanese postcards ("Hagaki"): one card per receiver, with the receiver's
// name and address in columns and the sender's, each laid out afresh for its
// page. The preview draws the card it shows with the same blocks.
class PostcardPages : public PrintPages {
public:
    // The pages keep the document, which must outlive them.
    explicit PostcardPages(const PrintDocument &document);

    [[nodiscard]] int pageCount() const override;
    void drawPage(int page, DrawList &drawList, UndrawnContacts &undrawn) const override;

    // Draws the card's blocks from the origin: the sender's when there is a
    // sender, the receiver's unless the receiver is the sender.
    void drawBlocks(const QList<TextObjectPtr> &blocks, const PrintContactRecordPtr &receiver, const QPointF &origin,
        DrawList &drawList, UndrawnContacts &undrawn, const BlockDrawn &drawn = {}) const;
    // The card of the sender's own row shows the sender's blocks alone.
    [[nodiscard]] bool isSendersOwnCard(const PrintContactRecordPtr &receiver) const;
    // Draws a block's columns into the rectangle, which it returns.
    QRectF drawTextObject(const TextObject &object, const QRectF &rect, DrawList &drawList) const;

private:
    void drawBlock(const TextObject &object, const QPointF &origin, DrawList &drawList) const;
    // Where the next column stands and where the last one began.
    struct ColumnEnd {
        double x = 0;
        double top = 0;
    };
    // Draws lines as columns from x leftward, one pitch apart: line 0 from
    // firstTop, every further line ending at end (its length taken from
    // widths) when widths has its entry, else beginning where the line before
    // it began.
    ColumnEnd drawColumns(const QStringList &lines, double size, const QList<double> &widths, double x, double firstTop,
        double end, double pitch, DrawList &drawList) const;

    const PrintDocument &m_document;
};
