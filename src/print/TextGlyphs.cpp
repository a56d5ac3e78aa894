#include "print/TextGlyphs_p.h"

#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QTextLine>

QPaintDevice *TextGlyphs::pointDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        constexpr int dotsPerMetre = 2835; // 72 per inch
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

TextGlyphs::TextGlyphs(const QString &line, const QFont &font, qreal size)
    : m_layout(line, font, pointDevice())
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
        if (!run.glyphIndexes().isEmpty())
            return {run.glyphIndexes().first(), sizedFont(run.rawFont(), m_size)};
    }
    return {};
}

namespace {

// Resizing makes a new font engine; the faces and sizes a page uses are few,
// so the results are kept. Pages are laid out and drawn on the main thread
// only, as a raw font must stay in the thread that made it.
template <typename MakeFont> QRawFont cachedFont(const QString &key, MakeFont makeFont)
{
    static QHash<QString, QRawFont> fonts;
    if (const auto found = fonts.constFind(key); found != fonts.cend())
        return *found;
    if (fonts.size() > 512)
        fonts.clear();
    const QRawFont font = makeFont();
    fonts.insert(key, font);
    return font;
}

} // namespace

QRawFont TextGlyphs::sizedFont(const QRawFont &font, qreal size)
{
    if (!font.isValid())
        return font;
    const QString key = font.familyName() + u'\n' + font.styleName() + u'\n' + QString::number(size, 'g', 17);
    return cachedFont(key, [&font, size] {
        QRawFont resized = font;
        resized.setPixelSize(size);
        return resized;
    });
}

QRawFont TextGlyphs::sizedFont(const QFont &font, qreal size)
{
    const QString key = font.key() + u'\t' + QString::number(size, 'g', 17);
    return cachedFont(key, [&font, size] {
        QRawFont resized = QRawFont::fromFont(font);
        resized.setPixelSize(size);
        return resized;
    });
}
