#include "print/StyledText.h"

#include "print/ComposedCharacters_p.h"
#include "print/DrawList.h"
#include "print/TextGlyphs_p.h"

#include <QGlyphRun>
#include <QTextLayout>

namespace {

// Glyph advances scale with the size when nothing is hinted, so one layout at
// this size measures the text at every other.
constexpr double referenceSize = 100;

} // namespace

StyledText::StyledText(const QString &text, const QFont &font, LineSpacing spacing)
    : m_spacing(spacing)
{
    QFont reference = font;
    reference.setPointSizeF(referenceSize);
    reference.setHintingPreference(QFont::PreferNoHinting);
    m_primaryFace = TextGlyphs::primaryFace(reference);
    const QRawFont primary = TextGlyphs::sizedFont(reference, referenceSize);
    m_ascent = primary.ascent();
    m_fontHeight = primary.ascent() + primary.descent();
    for (const QString &lineText : text.split(u'\n')) {
        QTextLayout layout(lineText, reference, TextGlyphs::pointDevice());
        const QTextLine textLine = TextGlyphs::layOutOneLine(layout);
        Line line;
        line.width = textLine.isValid() ? textLine.naturalTextWidth() : 0;
        // Character by character, so that every glyph knows the character it
        // was made from.
        ComposedCharacters::forEach(lineText, [&](qsizetype start, qsizetype length) {
            const char32_t character = ComposedCharacters::codePointAt(lineText, start);
            for (const QGlyphRun &run : layout.glyphRuns(int(start), int(length))) {
                const QList<quint32> indexes = run.glyphIndexes();
                const QList<QPointF> positions = run.positions();
                for (qsizetype index = 0; index < indexes.size(); ++index) {
                    const Glyph glyph{indexes.at(index), run.rawFont(), positions.at(index).x(), character};
                    // A ligature comes back for each character it joins.
                    if (line.glyphs.isEmpty() || !line.glyphs.constLast().sameAs(glyph))
                        line.glyphs.append(glyph);
                }
            }
        });
        m_lines.append(line);
    }
}

double StyledText::lineHeight(double size) const
{
    return m_spacing == LineSpacing::Size ? size : m_fontHeight * size / referenceSize;
}

QSizeF StyledText::extent(double size) const
{
    double widest = 0;
    for (const Line &line : m_lines)
        widest = std::max(widest, line.width);
    return {widest * size / referenceSize, lineHeight(size) * double(m_lines.size())};
}

void StyledText::draw(double size, const QPointF &point, bool turned, DrawList &drawList) const
{
    const double scale = size / referenceSize;
    const double pitch = lineHeight(size);
    // The baseline stands the font's ascent below the top of its line.
    const QPointF baseline(0, m_ascent * scale);
    double top = 0;
    for (const Line &line : m_lines) {
        for (const Glyph &glyph : line.glyphs) {
            const TextGlyphs::Glyph drawn
                = TextGlyphs::drawableGlyph(glyph.face, glyph.index, glyph.character, m_primaryFace, size);
            if (!drawn.font.isValid()) {
                drawList.markIncomplete();
                continue;
            }
            const QPointF along(glyph.x * scale, top);
            // A quarter turn clockwise on a page whose y grows downward.
            const QPointF anchor = turned ? point + QPointF(-along.y(), along.x()) : point + along;
            drawList.add(PlacedGlyph{glyph.character, drawn.index, drawn.font, anchor, turned ? 90.0 : 0.0, baseline});
        }
        top += pitch;
    }
}
