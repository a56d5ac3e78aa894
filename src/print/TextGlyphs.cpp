#include "print/TextGlyphs_p.h"

#include "print/ComposedCharacters_p.h"
#include "print/PrintUnits.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QTextLine>

#include <utility>

QTextLine TextGlyphs::layOutOneLine(QTextLayout &layout)
{
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e9);
    layout.endLayout();
    return line;
}

QPaintDevice *TextGlyphs::pointDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        // A point a dot: the image's dots per inch are the points per inch.
        constexpr int dotsPerMetre = int(PrintUnits::pointsPerInch * 1000 / PrintUnits::millimetresPerInch + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

namespace {

QFont atLayoutSize(const QFont &font)
{
    QFont reference(font, TextGlyphs::pointDevice());
    reference.setPointSizeF(TextGlyphs::layoutSize);
    return reference;
}

// Qt's stand-in for characters no installed face covers has no font tables.
bool isFace(const QRawFont &font)
{
    return font.isValid() && !font.fontTable("head").isEmpty();
}

// Making a face or a size makes a font engine; the faces and sizes a page
// uses are few, so the results are kept, the invalid ones too. Fonts are
// known by their engine, never by their names: the stand-in has none. Pages
// are laid out and drawn on the main thread only, as a raw font must stay in
// the thread that made it.
template <typename Key, typename MakeFont>
QRawFont cachedFont(QHash<Key, QRawFont> &fonts, const Key &key, MakeFont makeFont)
{
    if (const auto found = fonts.constFind(key); found != fonts.cend())
        return *found;
    if (fonts.size() > 512)
        fonts.clear();
    const QRawFont font = makeFont();
    fonts.insert(key, font);
    return font;
}

} // namespace

TextGlyphs::TextGlyphs(const QString &line, const QFont &font, qreal size)
    : m_layout(line, atLayoutSize(font), pointDevice())
    , m_primaryFace(primaryFace(font))
    , m_size(size)
{
    m_layout.beginLayout();
    QTextLine textLine = m_layout.createLine();
    if (textLine.isValid())
        textLine.setLineWidth(1e9);
    m_layout.endLayout();
}

TextGlyphs::Glyph TextGlyphs::glyphAt(int position, int length) const
{
    const QList<QGlyphRun> runs = m_layout.glyphRuns(position, length);
    for (const QGlyphRun &run : runs) {
        if (!run.glyphIndexes().isEmpty() && position >= 0 && position < m_layout.text().size()) {
            const char32_t character = ComposedCharacters::codePointAt(m_layout.text(), position);
            return drawableGlyph(run.rawFont(), run.glyphIndexes().first(), character, m_primaryFace, m_size);
        }
    }
    return {};
}

TextGlyphs::Glyph TextGlyphs::drawableGlyph(
    const QRawFont &face, quint32 index, char32_t character, const QRawFont &primaryFace, qreal size)
{
    if (QRawFont sized = sizedFont(face, size); sized.isValid())
        return {index, sized, face};
    if (face == primaryFace)
        return {};
    QRawFont sized = sizedFont(primaryFace, size);
    if (!sized.isValid())
        return {};
    // Glyph 0 of a face is its missing-glyph box.
    const QList<quint32> own = primaryFace.glyphIndexesForString(QString::fromUcs4(&character, 1));
    return {own.value(0), sized, primaryFace};
}

QRawFont TextGlyphs::sizedFont(const QRawFont &font, qreal size)
{
    if (!font.isValid() || !isDrawableSize(size))
        return {};
    static QHash<std::pair<QRawFont, qreal>, QRawFont> fonts;
    return cachedFont(fonts, std::pair(font, size), [&font, size] {
        if (!isFace(font))
            return QRawFont();
        QRawFont resized = font;
        resized.setPixelSize(size);
        return isFace(resized) ? resized : QRawFont();
    });
}

QRawFont TextGlyphs::sizedFont(const QFont &font, qreal size)
{
    return sizedFont(primaryFace(font), size);
}

QRawFont TextGlyphs::primaryFace(const QFont &font)
{
    // Known by the font asked for, whatever its size: fonts that compare
    // equal ask for the same face, and comparing them costs far less than
    // spelling out their keys on every line measured.
    static QHash<QFont, QRawFont> faces;
    return cachedFont(faces, font, [&font] {
        const QRawFont face = QRawFont::fromFont(atLayoutSize(font));
        return isFace(face) ? face : QRawFont();
    });
}
