#include "print/StyledText.h"

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
    const QRawFont primary = TextGlyphs::sizedFont(reference, referenceSize);
    m_ascent = primary.ascent();
    m_fontHeight = primary.ascent() + primary.descent();
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::NoWrap);
    for (const QString &lineText : text.split(u'\n')) {
        QTextLayout layout(lineText, reference, TextGlyphs::pointDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        if (textLine.isValid())
            textLine.setLineWidth(1e9);
        layout.endLayout();
        Line line;
        line.width = textLine.isValid() ? textLine.naturalTextWidth() : 0;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont runFont = TextGlyphs::sizedFont(run.rawFont(), referenceSize);
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype glyph = 0; glyph < indexes.size(); ++glyph)
                line.glyphs.append({indexes.at(glyph), runFont, positions.at(glyph).x()});
        }
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
            const QPointF along(glyph.x * scale, top);
            // A quarter turn clockwise on a page whose y grows downward.
            const QPointF anchor = turned ? point + QPointF(-along.y(), along.x()) : point + along;
            drawList.add(PlacedGlyph{
                0, glyph.index, TextGlyphs::sizedFont(glyph.font, size), anchor, turned ? 90.0 : 0.0, baseline});
        }
        top += pitch;
    }
}
