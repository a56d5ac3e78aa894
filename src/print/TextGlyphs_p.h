#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

// The glyphs one line of text is set in, with the faces Qt falls back to for
// characters the font lacks (𠮷 is missing from IPAex fonts), each face set
// to the exact size asked for.
//
// A character no installed face covers comes back from Qt in a stand-in that
// is no face at all: it has no tables and no family name, and asking it for
// its family takes the process down. Such a character is drawn as the
// missing-glyph box of the font asked for.
class TextGlyphs {
public:
    struct Glyph {
        quint32 index = 0;
        QRawFont font; // at the exact size drawn
        QRawFont face; // the same face at the size lines are laid out in
    };

    // The largest size in points that text is set in: far beyond any paper,
    // yet small enough for the font engine to make its glyphs.
    static constexpr double largestSize = 1000;

    // Lines are laid out in the font at this size, whatever size they are
    // drawn at: glyph choice does not depend on the size, and below about
    // half a point Qt lays text out in its stand-in without a face.
    static constexpr double layoutSize = 100;

    // The line is laid out on a 72-dpi device, so that a point is a pixel:
    // laid out for the screen, a 28-pt glyph would come out 37 points tall.
    TextGlyphs(const QString &line, const QFont &font, qreal size);
    TextGlyphs(const TextGlyphs &) = delete;
    TextGlyphs &operator=(const TextGlyphs &) = delete;

    // The first glyph laid out for the characters from position on; an
    // invalid font when none is or when no face can draw it at the size.
    [[nodiscard]] Glyph glyphAt(int position, int length) const;

    // The glyph of a face as drawn at the size: the face's own; when the face
    // is Qt's stand-in, the primary face's glyph of the character, its
    // missing-glyph box when it has none (Qt sets a digit beside a letter no
    // face covers in the stand-in too); an invalid font when none can be
    // drawn.
    [[nodiscard]] static Glyph drawableGlyph(
        const QRawFont &face, quint32 index, char32_t character, const QRawFont &primaryFace, qreal size);

    // Whether text can be set at the size: above nothing and at most the
    // largest size (false for a size that is not a number).
    [[nodiscard]] static bool isDrawableSize(qreal size) { return size > 0 && size <= largestSize; }

    // A device of 72 dots per inch, on which a point is a pixel.
    [[nodiscard]] static QPaintDevice *pointDevice();

    // Lays the layout's text out as one line that never wraps, in design
    // metrics, and answers that line (invalid for an empty text).
    static QTextLine layOutOneLine(QTextLayout &layout);

    // The font at the exact size: what a glyph of the font draws with; an
    // invalid font for Qt's stand-in, for a size that cannot be drawn and
    // when the font engine cannot make the size.
    [[nodiscard]] static QRawFont sizedFont(const QRawFont &font, qreal size);
    [[nodiscard]] static QRawFont sizedFont(const QFont &font, qreal size);
    // The font's first face at the layout size; invalid when it has none.
    [[nodiscard]] static QRawFont primaryFace(const QFont &font);

private:
    QTextLayout m_layout;
    QRawFont m_primaryFace;
    qreal m_size = 0;
};
