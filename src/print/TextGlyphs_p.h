#pragma once

#include <QFont>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

// The glyphs one line of text is set in, with the faces Qt falls back to for
// characters the font lacks (𠮷 is missing from IPAex fonts), each face set
// to the exact size asked for.
class TextGlyphs {
public:
    struct Glyph {
        quint32 index = 0;
        QRawFont font;
    };

    // The line is laid out on a 72-dpi device, so that a point is a pixel:
    // laid out for the screen, a 28-pt glyph would come out 37 points tall.
    TextGlyphs(const QString &line, const QFont &font, qreal size);
    TextGlyphs(const TextGlyphs &) = delete;
    TextGlyphs &operator=(const TextGlyphs &) = delete;

    // The first glyph laid out for the characters from position on; an
    // invalid font when none is.
    [[nodiscard]] Glyph glyphAt(int position, int length) const;

    // A device of 72 dots per inch, on which a point is a pixel.
    [[nodiscard]] static QPaintDevice *pointDevice();

    // The font at the exact size: what a glyph of the font draws with.
    [[nodiscard]] static QRawFont sizedFont(const QRawFont &font, qreal size);
    [[nodiscard]] static QRawFont sizedFont(const QFont &font, qreal size);

private:
    QTextLayout m_layout;
    qreal m_size = 0;
};
