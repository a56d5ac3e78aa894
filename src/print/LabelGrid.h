#pragma once

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// A sheet of equal labels: where the first stands, how far apart they stand,
// how many go across and down a page. The page count and the drawing both
// expand it into slots, numbered from 0 over all pages: a row fills from left
// to right, then the next row down, then the next page.
struct LabelGrid {
    QPointF origin; // the first label's corner on page 0
    QSizeF pitch; // from one label to the next: its size and the gap after it
    QSizeF labelSize;
    qint64 columns = 1;
    qint64 rows = 1;
    double paperHeight = 0; // one page's strip of a document that stacks its pages

    // The grid inside the margins of the part of the paper a printer reaches.
    // A gap counts after every label, also the last of a row; a pitch that
    // fits no whole label, or is nothing, still gives one column or row.
    [[nodiscard]] static LabelGrid make(const QRectF &imageable, const QMarginsF &margins, const QSizeF &labelSize,
        const QSizeF &gaps, double paperHeight);

    [[nodiscard]] qint64 labelsPerPage() const { return columns * rows; }
    [[nodiscard]] qint64 pageOfSlot(qint64 slot) const { return slot / labelsPerPage(); }
    // Where the slot stands on its page's strip.
    [[nodiscard]] QRectF slotRect(qint64 slot) const;
    // The pages that many labels fill; at least one.
    [[nodiscard]] qint64 pageCount(qint64 labels) const;
    // The page a drawing rectangle asks for: one starting up to 10 points
    // above a strip's top edge draws that strip.
    [[nodiscard]] qint64 pageAt(double y) const;
};
