#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QSizeF>
#include <QString>

class DrawList;

// The block text of an envelope or a label set in one font, line under line,
// as the fitting steps try it at one size after another. It is laid out once
// at a reference size without hinting, so that its extent at any size is
// arithmetic, and drawn glyph by glyph at the size the fitting chose.
class StyledText {
public:
    // How far apart the lines stand: the font's full height (ascender less
    // descender), or the size itself, which is how vertical glyph forms are
    // set.
    enum class LineSpacing { FontHeight, Size };

    StyledText(const QString &text, const QFont &font, LineSpacing spacing);

    // The longest line's width and the lines' height at the size.
    [[nodiscard]] QSizeF extent(double size) const;

    // Draws at the size with the first line's top-left corner at the point;
    // turned, the whole block turns a quarter turn clockwise about the point,
    // so that its lines run down the page and follow each other leftward.
    void draw(double size, const QPointF &point, bool turned, DrawList &drawList) const;

private:
    struct Glyph {
        quint32 index = 0;
        QRawFont face; // at the reference size
        double x = 0;
        char32_t character = 0; // the first of the characters it stands for

        [[nodiscard]] bool sameAs(const Glyph &other) const
        {
            return index == other.index && x == other.x && face == other.face;
        }
    };
    struct Line {
        QList<Glyph> glyphs;
        double width = 0;
    };

    [[nodiscard]] double lineHeight(double size) const;

    QList<Line> m_lines;
    LineSpacing m_spacing = LineSpacing::FontHeight;
    QRawFont m_primaryFace;
    // At the reference size.
    double m_ascent = 0;
    double m_fontHeight = 0;
};
