#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRawFont>
#include <QRectF>

#include <utility>
#include <variant>
#include <vector>

// One glyph where a page puts it: its layout point lands on the anchor and
// the glyph is turned about it. The font is set to the exact size drawn
// (a QFont would round 12.3 pt to 12).
struct PlacedGlyph {
    char32_t character = 0; // the first character of the sequence it stands for
    quint32 glyph = 0; // index in the font
    QRawFont font;
    QPointF anchor; // P, in page points
    double angle = 0; // θ in degrees; positive turns clockwise on the page
    QPointF offset; // the glyph's baseline origin from the anchor before turning
    QColor color = Qt::black;

    [[nodiscard]] double size() const { return font.pixelSize(); }
};

struct FilledRect {
    QRectF rect;
    QColor color;
};

struct StrokedPath {
    QPainterPath path;
    QPen pen;
    bool antialiased = true; // off for crisp outlines on screen
};

struct PlacedImage {
    QImage image;
    QRectF target;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

using DrawItem = std::variant<PlacedGlyph, FilledRect, StrokedPath, PlacedImage>;

// What a page is made of, in paint order. The layout of a page fills it and
// painting only walks it, so what lands where can be read without a painter.
class DrawList {
public:
    void add(DrawItem item) { m_items.push_back(std::move(item)); }
    // Keeps the first size items and clears the flag below.
    void truncate(std::size_t size);
    [[nodiscard]] const std::vector<DrawItem> &items() const { return m_items; }
    // The glyphs alone, in paint order.
    [[nodiscard]] QList<PlacedGlyph> glyphs() const;
    // Hands every glyph to the change, in paint order.
    template <typename Change> void changeGlyphs(Change change)
    {
        for (DrawItem &item : m_items) {
            if (auto *glyph = std::get_if<PlacedGlyph>(&item))
                change(*glyph);
        }
    }

    // Set when some text could not be added: no face could draw its glyphs.
    void markIncomplete() { m_incomplete = true; }
    [[nodiscard]] bool isIncomplete() const { return m_incomplete; }
    // The flag, cleared for what is added next.
    bool takeIncomplete() { return std::exchange(m_incomplete, false); }

    void paint(QPainter &painter) const;

private:
    std::vector<DrawItem> m_items;
    bool m_incomplete = false;
};
