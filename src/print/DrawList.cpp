#include "print/DrawList.h"

#include <QGlyphRun>

#include <cmath>

namespace {

// Glyphs that stand upright in one font are drawn as one run: one text object
// in a PDF instead of one per character.
class GlyphBatch {
public:
    explicit GlyphBatch(QPainter &painter)
        : m_painter(painter)
    {
    }
    ~GlyphBatch() { flush(); }
    GlyphBatch(const GlyphBatch &) = delete;
    GlyphBatch &operator=(const GlyphBatch &) = delete;

    void add(const PlacedGlyph &glyph)
    {
        if (!glyph.font.isValid() || !std::isfinite(glyph.anchor.x()) || !std::isfinite(glyph.anchor.y()))
            return;
        if (glyph.angle != 0) {
            flush();
            m_painter.save();
            m_painter.setPen(glyph.color);
            m_painter.translate(glyph.anchor);
            m_painter.rotate(glyph.angle);
            m_painter.drawGlyphRun(QPointF(0, 0), run(glyph.font, {glyph.glyph}, {glyph.offset}));
            m_painter.restore();
            return;
        }
        if (!m_indexes.isEmpty() && (glyph.font != m_font || glyph.color != m_color))
            flush();
        m_font = glyph.font;
        m_color = glyph.color;
        m_indexes.append(glyph.glyph);
        m_positions.append(glyph.anchor + glyph.offset);
    }

    void flush()
    {
        if (m_indexes.isEmpty())
            return;
        m_painter.setPen(m_color);
        m_painter.drawGlyphRun(QPointF(0, 0), run(m_font, m_indexes, m_positions));
        m_indexes.clear();
        m_positions.clear();
    }

private:
    static QGlyphRun run(const QRawFont &font, const QList<quint32> &indexes, const QList<QPointF> &positions)
    {
        QGlyphRun glyphs;
        glyphs.setRawFont(font);
        glyphs.setGlyphIndexes(indexes);
        glyphs.setPositions(positions);
        return glyphs;
    }

    QPainter &m_painter;
    QRawFont m_font;
    QColor m_color;
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
};

} // namespace

void DrawList::truncate(std::size_t size)
{
    if (size < m_items.size())
        m_items.erase(m_items.begin() + std::ptrdiff_t(size), m_items.end());
    m_incomplete = false;
}

QList<PlacedGlyph> DrawList::glyphs() const
{
    QList<PlacedGlyph> glyphs;
    for (const DrawItem &item : m_items) {
        if (const auto *glyph = std::get_if<PlacedGlyph>(&item))
            glyphs.append(*glyph);
    }
    return glyphs;
}

void DrawList::paint(QPainter &painter) const
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);
    GlyphBatch batch(painter);
    for (const DrawItem &item : m_items) {
        if (const auto *glyph = std::get_if<PlacedGlyph>(&item)) {
            batch.add(*glyph);
            continue;
        }
        batch.flush();
        if (const auto *fill = std::get_if<FilledRect>(&item)) {
            painter.fillRect(fill->rect, fill->color);
        } else if (const auto *stroke = std::get_if<StrokedPath>(&item)) {
            painter.setRenderHint(QPainter::Antialiasing, stroke->antialiased);
            painter.strokePath(stroke->path, stroke->pen);
            painter.setRenderHint(QPainter::Antialiasing);
        } else if (const auto *image = std::get_if<PlacedImage>(&item)) {
            painter.save();
            painter.setCompositionMode(image->mode);
            painter.drawImage(image->target, image->image);
            painter.restore();
        }
    }
    batch.flush();
    painter.restore();
}
