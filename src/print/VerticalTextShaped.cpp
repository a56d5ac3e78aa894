// Vertical text set whole by the face's vertical variant: each line shaped
// down its column with the face's vertical forms and metrics, characters whose
// vertical orientation is "rotated" (Latin, digits, most symbols) shaped along
// their baseline and laid on their side.

#include "print/VerticalText.h"

#include "platform/widgets/VerticalGlyphForms.h"
#include "print/ComposedCharacters_p.h"
#include "print/DrawList.h"
#include "print/TextGlyphs_p.h"

#include <QHash>

#include <unicode/uchar.h>

#include <algorithm>
#include <memory>

namespace {

bool standsUprightInColumns(char32_t character)
{
    return u_getIntPropertyValue(UChar32(character), UCHAR_VERTICAL_ORIENTATION) != U_VO_ROTATED;
}

// Characters of one face and one orientation, set as one shaped run.
struct Run {
    qsizetype start = 0;
    qsizetype length = 0;
    QRawFont face;
    bool upright = true;
};

QList<Run> runsOf(const QString &line, const QFont &font);

// A line's runs shaped at the layout size, which scale to any other size.
struct ShapedRun {
    Run run;
    QList<VerticalGlyphForms::ShapedGlyph> glyphs;
};
struct ShapedLine {
    QList<ShapedRun> runs;
    double length = 0; // at the layout size
};

// Lines are shaped once per text and face: fitting and drawing ask for the
// same lines again and again. Main thread only, as TextGlyphs.
const ShapedLine &shapedLine(const QString &line, const QFont &font)
{
    static QHash<std::pair<QString, QRawFont>, std::shared_ptr<const ShapedLine>> known;
    const std::pair key(line, TextGlyphs::primaryFace(font));
    if (const auto found = known.constFind(key); found != known.cend())
        return **found;
    if (known.size() > 1024)
        known.clear();
    auto shaped = std::make_shared<ShapedLine>();
    for (const Run &run : runsOf(line, font)) {
        ShapedRun shapedRun{
            run, VerticalGlyphForms::shapeRun(run.face, QStringView(line).sliced(run.start, run.length), run.upright)};
        for (const VerticalGlyphForms::ShapedGlyph &glyph : shapedRun.glyphs)
            shaped->length += run.upright ? glyph.advance.y() : glyph.advance.x();
        shaped->runs.append(std::move(shapedRun));
    }
    return **known.insert(key, shaped);
}

QList<Run> runsOf(const QString &line, const QFont &font)
{
    QList<Run> runs;
    const TextGlyphs glyphs(line, font, TextGlyphs::layoutSize);
    ComposedCharacters::forEach(line, [&](qsizetype start, qsizetype length) {
        const QRawFont face = glyphs.glyphAt(int(start), int(length)).face;
        const bool upright = standsUprightInColumns(ComposedCharacters::codePointAt(line, start));
        if (!runs.isEmpty() && runs.last().face == face && runs.last().upright == upright)
            runs.last().length += length;
        else
            runs.append({start, length, face, upright});
    });
    return runs;
}

// Where a glyph set in direction 1 lands in direction 2: the whole setting
// turned a quarter turn counter-clockwise about the point.
PlacedGlyph turned(PlacedGlyph glyph, const QPointF &point, int direction)
{
    if (direction != VerticalText::across)
        return glyph;
    const QPointF from = glyph.anchor - point;
    glyph.anchor = point + QPointF(from.y(), -from.x());
    glyph.angle -= 90;
    return glyph;
}

} // namespace

double VerticalText::shapedColumnLength(const QString &line, const QFont &font)
{
    return shapedLine(line, font).length / TextGlyphs::layoutSize;
}

bool VerticalText::hasVerticalVariant(const QFont &font)
{
    return VerticalGlyphForms::hasVerticalVariant(TextGlyphs::primaryFace(font));
}

double VerticalText::settingLength(QStringView text, const QFont &font)
{
    if (!hasVerticalVariant(font))
        return columnLength(text, font);
    double longest = 0;
    for (const QStringView line : text.split(u'\n'))
        longest = std::max(longest, shapedColumnLength(line.toString(), font));
    return longest;
}

QRectF VerticalText::setColumns(
    const QString &text, const QFont &font, const QPointF &point, int direction, DrawList *drawList)
{
    if (hasVerticalVariant(font))
        return setShapedColumns(text, font, point, direction, drawList);
    return drawStringInVertical(text, font, point, drawList != nullptr, direction, true, drawList);
}

QRectF VerticalText::setShapedColumns(
    const QString &text, const QFont &font, const QPointF &point, int direction, DrawList *drawList)
{
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    if (text.isEmpty() || !TextGlyphs::isDrawableSize(size))
        return {point, QSizeF(0, 0)};
    const double scale = size / TextGlyphs::layoutSize;
    const QRawFont primary = TextGlyphs::sizedFont(font, size);
    const double descent = primary.descent();
    const QRawFont primaryFace = TextGlyphs::primaryFace(font);
    const QStringList lines = text.split(u'\n');
    double longest = 0;
    for (qsizetype lineIndex = 0; lineIndex < lines.size(); ++lineIndex) {
        const QString &line = lines.at(lineIndex);
        const double right = point.x() - double(lineIndex) * size;
        double along = 0;
        for (const ShapedRun &shaped : shapedLine(line, font).runs) {
            const Run &run = shaped.run;
            for (const VerticalGlyphForms::ShapedGlyph &glyph : shaped.glyphs) {
                const qsizetype at = run.start + qsizetype(glyph.cluster);
                const char32_t character = ComposedCharacters::codePointAt(line, at);
                const QPointF offset = glyph.offset * scale;
                // Upright glyphs hang from the column's centre line; a run on
                // its side lies with its baseline a descent from the left edge.
                const PlacedGlyph placed = run.upright
                    ? PlacedGlyph{character, glyph.index, QRawFont(),
                        QPointF(right - size / 2, point.y() + along) + offset, 0, {}}
                    : PlacedGlyph{character, glyph.index, QRawFont(),
                        QPointF(right - size + descent, point.y() + along), 90, offset};
                along += (run.upright ? glyph.advance.y() : glyph.advance.x()) * scale;
                if (!drawList)
                    continue;
                const TextGlyphs::Glyph drawn
                    = TextGlyphs::drawableGlyph(run.face, glyph.index, character, primaryFace, size);
                if (!drawn.font.isValid()) {
                    drawList->markIncomplete();
                    continue;
                }
                PlacedGlyph withFont = placed;
                withFont.glyph = drawn.index;
                withFont.font = drawn.font;
                drawList->add(turned(withFont, point, direction));
            }
        }
        longest = std::max(longest, along);
    }
    const double width = double(lines.size()) * size;
    if (direction == VerticalText::across)
        return {point.x(), point.y(), longest, width};
    return {point.x() - width, point.y(), width, longest};
}
