#pragma once

#include "print/DrawList.h"
#include "print/PrintContactRecord.h"
#include "print/PrintInfo.h"
#include "print/PrintOptionsRecord.h"
#include "print/PrintReceivers.h"
#include "print/PrintStyle.h"

#include <QRectF>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class PrintPages;
class UndrawnContacts;

// What prints, and nothing of a screen: the receivers, the sender, the style,
// the options and the paper. Its pages are those of its style's class
// (PostcardPages, EnvelopePages, LabelPages, AddressListPages), which answer
// how many there are and what page n holds. Drawing a page changes nothing of
// the document: a page drawn twice is the same page. The preview shows a
// document it holds; a print job prints one of its own.
//
// Coordinates are points with y growing downward. The pages stack, one paper
// height each, and page n is the strip n − 1, so the pages come out in the
// table's order.
class PrintDocument {
public:
    PrintDocument();
    // A copy holds the same receivers, sender, options and paper.
    PrintDocument(const PrintDocument &other);
    PrintDocument &operator=(const PrintDocument &other);
    ~PrintDocument();

    [[nodiscard]] PrintStyleKind style() const { return m_style; }
    void setStyle(PrintStyleKind style);
    [[nodiscard]] const PrintOptionsRecordPtr &options() const { return m_options; }
    // Also the faces and the honorific the pages are set in.
    void setOptions(const PrintOptionsRecordPtr &options);
    [[nodiscard]] const PrintInfoPtr &paper() const { return m_paper; }
    void setPaper(const PrintInfoPtr &paper);
    // The part of the paper the printer reaches, in the document's paper.
    void setImageableBounds(const QRectF &bounds);
    [[nodiscard]] const PrintReceivers &receivers() const { return m_receivers; }
    void setReceivers(const PrintReceivers &receivers);
    [[nodiscard]] const PrintContactRecordPtr &sender() const { return m_sender; }
    void setSender(const PrintContactRecordPtr &sender);
    [[nodiscard]] const QString &keishou() const { return m_keishou; }
    void setKeishou(const QString &keishou);
    // The face of text set across, and of a postcard's columns.
    [[nodiscard]] const QString &fontName() const { return m_fontName; }
    [[nodiscard]] const QString &columnFontName() const { return m_columnFontName; }

    [[nodiscard]] int pageCount() const;
    // The strip of page n, from 1; the whole paper without receivers.
    [[nodiscard]] QRectF pageRect(int page) const;
    // The strip page n stands on, from 0, which is the receiver of a card or
    // an envelope; 0 on paper of no height.
    [[nodiscard]] qsizetype stripOfPage(int page) const;
    // Page n, from 1, as it prints: white, in the points of the stacked
    // papers, as the preview draws it; a printer's own origin is the
    // renderer's to make up for. The contacts some of whose text no face
    // could draw are noted in undrawn when given.
    [[nodiscard]] DrawList page(int page, UndrawnContacts *undrawn = nullptr) const;
    // The pages of the style, made when first asked for.
    [[nodiscard]] const PrintPages &pages() const;

    // What the pages read of the paper and the options.
    [[nodiscard]] QSizeF paperSize() const;
    [[nodiscard]] QRectF imageableBounds() const;
    [[nodiscard]] double optionNumber(const QString &key) const;
    [[nodiscard]] QVariantMap optionDictionary(const QString &key) const;
    // Where a card's or an envelope's blocks start: at the margins, that far
    // down the stack.
    [[nodiscard]] QPointF blockOrigin(double pageOffset) const;
    // The frame a layout or the options saved; none when there is none, or
    // one not finite or reaching further than ten times the paper's largest
    // side from its corner.
    [[nodiscard]] std::optional<QRectF> savedFrame(const std::optional<QRectF> &frame) const;
    [[nodiscard]] std::optional<QRectF> savedFrame(const QString &text) const;

private:
    // Drops the pages laid out for what was set before.
    void forgetPages();

    PrintStyleKind m_style = PrintStyleKind::Hagaki;
    PrintOptionsRecordPtr m_options;
    PrintInfoPtr m_paper;
    PrintReceivers m_receivers;
    PrintContactRecordPtr m_sender;
    QString m_fontName = QStringLiteral("Hiragino Kaku Gothic ProN");
    QString m_columnFontName;
    QString m_keishou;
    mutable std::unique_ptr<PrintPages> m_pages;
};
