#include "print/AddressListFlow.h"

#include "print/ComposedCharacters_p.h"
#include "print/DrawList.h"
#include "print/TextGlyphs_p.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Fixed colours: the page must not take the screen's palette.
const QColor labelWordColour = QColor::fromRgbF(0.5, 0.5, 0.5);
const QColor shadingColour = QColor::fromRgbF(0.9, 0.9, 0.9);
const QColor ruleColour = QColor::fromRgbF(2.0 / 3, 2.0 / 3, 2.0 / 3);
constexpr double ruleWidth = 1;
// A page of 10,000 pt lines would still be one line.
constexpr double mostLinesPerPage = 1e6;

} // namespace

AddressListFlow::AddressListFlow(const PrintReceivers &receivers, const Options &options, const Geometry &geometry)
    : m_receivers(receivers)
    , m_options(options)
    , m_geometry(geometry)
    , m_text(options.font)
    , m_lineHeight(QFontMetricsF(options.font, TextGlyphs::pointDevice()).lineSpacing())
    , m_rows(static_cast<size_t>(receivers.size()))
{
    const double lines = m_lineHeight > 0 ? std::floor(geometry.content.height() / m_lineHeight + 1e-9) : 1;
    m_linesPerPage = std::isfinite(lines) ? static_cast<qint64>(std::clamp(lines, 1.0, mostLinesPerPage)) : 1;
}

bool AddressListFlow::madeFor(const PrintReceivers &receivers, const Options &options, const Geometry &geometry) const
{
    return receivers.isSameListAs(m_receivers) && options.font == m_options.font && options.items == m_options.items
        && options.labels == m_options.labels && options.alternatingRow == m_options.alternatingRow
        && options.printFrame == m_options.printFrame && geometry.content == m_geometry.content
        && geometry.paperHeight == m_geometry.paperHeight;
}

const ListRowText &AddressListFlow::rowText(qsizetype receiver)
{
    std::optional<ListRowText> &row = m_rows[static_cast<size_t>(receiver)];
    if (!row) {
        const PrintContactRecordPtr record = m_receivers.at(receiver);
        row = record ? m_text.row(*record, m_options.items, m_options.labels) : ListRowText();
    }
    return *row;
}

void AddressListFlow::flowThrough(qint64 page)
{
    while (m_nextRow < m_receivers.size() && m_page <= page) {
        const qsizetype receiver = m_nextRow++;
        const qint64 lines = rowText(receiver).lineCount();
        if (lines == 0)
            continue;
        // A row that does not fit under others starts the next page; one at
        // the top of a page stays there, however tall it is.
        if (m_usedLines > 0 && m_usedLines + lines > m_linesPerPage) {
            ++m_page;
            m_usedLines = 0;
        }
        qint64 first = 0;
        while (first < lines) {
            if (m_usedLines == m_linesPerPage) {
                ++m_page;
                m_usedLines = 0;
            }
            const qint64 taken = std::min(lines - first, m_linesPerPage - m_usedLines);
            const double y
                = double(m_page) * m_geometry.paperHeight + m_geometry.content.y() + double(m_usedLines) * m_lineHeight;
            m_pieces.append({receiver, first, taken, m_page, y});
            m_usedLines += taken;
            first += taken;
        }
    }
}

qint64 AddressListFlow::pageCount()
{
    flowThrough(std::numeric_limits<qint64>::max());
    return m_pieces.isEmpty() ? 1 : m_pieces.last().page + 1;
}

QList<AddressListFlow::Piece> AddressListFlow::piecesOfPage(qint64 page)
{
    flowThrough(page);
    const auto first = std::lower_bound(
        m_pieces.cbegin(), m_pieces.cend(), page, [](const Piece &piece, qint64 at) { return piece.page < at; });
    QList<Piece> pieces;
    for (auto piece = first; piece != m_pieces.cend() && piece->page == page; ++piece)
        pieces.append(*piece);
    return pieces;
}

void AddressListFlow::drawPage(
    qint64 page, const QRectF &rect, DrawList &drawList, const std::function<void(qsizetype receiver)> &rowDrawn)
{
    for (const Piece &piece : piecesOfPage(page)) {
        const QRectF rowRect(
            m_geometry.content.x(), piece.y, m_geometry.content.width(), double(piece.lineCount) * m_lineHeight);
        const QRectF met = rowRect.intersected(rect);
        if (!(met.height() > 0))
            continue;
        // The shading follows the receiver's place in the whole list, not
        // on its page.
        if (m_options.alternatingRow && piece.receiver % 2 == 1)
            drawList.add(FilledRect{rowRect, shadingColour});
        drawLines(piece, rowRect, drawList);
        if (rowDrawn)
            rowDrawn(piece.receiver);
        if (m_options.printFrame) {
            QPainterPath rules;
            rules.moveTo(rowRect.topLeft());
            rules.lineTo(rowRect.topRight());
            rules.moveTo(rowRect.bottomLeft());
            rules.lineTo(rowRect.bottomRight());
            drawList.add(StrokedPath{rules, QPen(ruleColour, ruleWidth)});
        }
    }
}

void AddressListFlow::drawLines(const Piece &piece, const QRectF &rowRect, DrawList &drawList)
{
    const QList<ListRowText::Line> lines = rowText(piece.receiver).lines();
    const double size = m_options.font.pointSizeF();
    const QRawFont primaryFace = TextGlyphs::primaryFace(m_options.font);
    for (qsizetype index = 0; index < piece.lineCount; ++index) {
        const ListRowText::Line &line = lines.at(piece.firstLine + index);
        if (line.text.isEmpty())
            continue;
        QTextLayout layout(line.text, m_options.font, TextGlyphs::pointDevice());
        TextGlyphs::layOutOneLine(layout);
        const QPointF origin(rowRect.x() + line.indent, rowRect.y() + double(index) * m_lineHeight);
        // The label words in grey, the rest in black, segment by segment.
        qsizetype at = 0;
        auto addSegment = [&](qsizetype from, qsizetype to, const QColor &colour) {
            if (to <= from)
                return;
            // Character by character, so that every glyph carries the
            // character it was made from; a ligature comes back for each
            // character it joins and is drawn once.
            std::optional<PlacedGlyph> last;
            ComposedCharacters::forEach(
                QStringView(line.text).sliced(from, to - from), [&](qsizetype start, qsizetype length) {
                    const char32_t character = ComposedCharacters::codePointAt(line.text, from + start);
                    for (const QGlyphRun &run : layout.glyphRuns(int(from + start), int(length))) {
                        const QList<quint32> indexes = run.glyphIndexes();
                        const QList<QPointF> positions = run.positions();
                        for (qsizetype glyph = 0; glyph < indexes.size(); ++glyph) {
                            // "ਅ1-2" comes back in Qt's stand-in, which is no
                            // face: the digits are set in the list's own face.
                            const TextGlyphs::Glyph drawable = TextGlyphs::drawableGlyph(
                                run.rawFont(), indexes.at(glyph), character, primaryFace, size);
                            if (!drawable.font.isValid()) {
                                drawList.markIncomplete();
                                continue;
                            }
                            const PlacedGlyph placed{character, drawable.index, drawable.font,
                                origin + positions.at(glyph), 0, QPointF(), colour};
                            if (last && last->glyph == placed.glyph && last->anchor == placed.anchor
                                && last->font == placed.font)
                                continue;
                            drawList.add(placed);
                            last = placed;
                        }
                    }
                });
        };
        for (const auto &[start, length] : line.labelWords) {
            addSegment(at, start, Qt::black);
            addSegment(start, start + length, labelWordColour);
            at = start + length;
        }
        addSegment(at, line.text.size(), Qt::black);
    }
}
