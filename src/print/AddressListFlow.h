#pragma once

#include "print/AddressListText.h"
#include "print/ListRowText.h"
#include "print/PrintReceivers.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class DrawList;

// The rows of an address list flowed down the pages, without a widget: the
// page count and the drawing of every page read this one flow. Each row's
// text is built once; rows stand one under the other by their measured
// height. A row that does not fit below others moves on to the next page; a
// row taller than a whole page starts at the top of one and goes on over the
// next, broken between lines, so that nothing is cut off and every page takes
// at least one line.
//
// The flow is laid out only as far as a page asked for; it holds for the
// receivers, options and paper it was made with.
class AddressListFlow {
public:
    struct Options {
        QFont font; // at the list's size in points
        QStringList items; // the printed items' titles, in order
        QStringList labels; // the selected labels, or "All"
        bool alternatingRow = false;
        bool printFrame = false;
    };
    // Where the rows go on page 0; page k is the same area one paper height
    // further down for each page.
    struct Geometry {
        QRectF content;
        double paperHeight = 0;
    };
    // One row's lines on one page.
    struct Piece {
        qsizetype receiver = 0;
        qsizetype firstLine = 0;
        qsizetype lineCount = 0;
        qint64 page = 0;
        double y = 0; // the piece's top in the stack of pages
    };

    AddressListFlow(const PrintReceivers &receivers, const Options &options, const Geometry &geometry);

    [[nodiscard]] double lineHeight() const { return m_lineHeight; }
    // Every row flowed; at least 1.
    [[nodiscard]] qint64 pageCount();
    // The pieces of the page, in order.
    [[nodiscard]] QList<Piece> piecesOfPage(qint64 page);
    [[nodiscard]] const ListRowText &rowText(qsizetype receiver);

    // Draws the pieces of the page that meet the rectangle, with the row
    // shading and rules of the options. After each piece, rowDrawn is told
    // its receiver, while the draw list still marks whether any of the
    // piece's text could not be drawn.
    void drawPage(qint64 page, const QRectF &rect, DrawList &drawList,
        const std::function<void(qsizetype receiver)> &rowDrawn = {});

    [[nodiscard]] bool madeFor(const PrintReceivers &receivers, const Options &options, const Geometry &geometry) const;

private:
    // Flows rows until the page is passed or every row stands.
    void flowThrough(qint64 page);
    void drawLines(const Piece &piece, const QRectF &rowRect, DrawList &drawList);

    PrintReceivers m_receivers;
    Options m_options;
    Geometry m_geometry;
    AddressListText m_text;
    double m_lineHeight = 0;
    qint64 m_linesPerPage = 1;
    std::vector<std::optional<ListRowText>> m_rows;

    QList<Piece> m_pieces;
    qsizetype m_nextRow = 0;
    qint64 m_page = 0;
    qint64 m_usedLines = 0;
};
