#include "print/PostalCodeBoxes.h"

#include "platform/widgets/FontResolver.h"
#include "print/ComposedCharacters_p.h"
#include "print/DrawList.h"
#include "print/TextGlyphs_p.h"

#include <QStringList>

namespace {

// Where the characters of each group go, from the row's corner: first
// character, pitch, and the line's top.
struct BoxRow {
    double fontSize = 0;
    double firstGroupX = 0;
    double firstGroupPitch = 0;
    double secondGroupX = 0;
    double secondGroupPitch = 0;
    double top = 0;
};

// The receiver's boxes lie 7.0 mm apart, the second group 21.6 mm after the
// first and 6.8 mm apart; the sender's 4.0 mm apart with the second group
// 13.0 mm after the first. 2.835 pt is 1 mm.
constexpr BoxRow receiverRow{18, 2.835, 19.8425, 61.23 + 2.835, 19.276, 1.4};
constexpr BoxRow senderRow{11, 0.7, 11.339, 36.85 + 0.7, 11.339, 2.8};

void drawGroup(const QString &group, qsizetype boxes, const QPointF &start, double pitch, const QFont &font,
    double size, DrawList &drawList)
{
    const TextGlyphs glyphs(group, font, size);
    const double ascent = TextGlyphs::sizedFont(font, size).ascent();
    qsizetype box = 0;
    ComposedCharacters::forEach(group, [&](qsizetype position, qsizetype length) {
        const TextGlyphs::Glyph glyph = glyphs.glyphAt(static_cast<int>(position), static_cast<int>(length));
        if (box < boxes && glyph.font.isValid())
            drawList.add(PlacedGlyph{ComposedCharacters::codePointAt(group, position), glyph.index, glyph.font,
                start + QPointF(pitch * double(box), 0), 0, QPointF(0, ascent)});
        ++box;
    });
}

} // namespace

void PostalCodeBoxes::drawZIPcode(const QString &code, const QPointF &point, const QString &type, DrawList &drawList)
{
    QString first;
    QString second;
    const QStringList parts = code.split(u'-');
    if (parts.size() >= 2) {
        first = parts.at(0);
        second = parts.at(1);
    } else {
        first = code.left(3);
        second = code.mid(3);
    }
    const BoxRow &row = type == QLatin1String("receiver") ? receiverRow : senderRow;
    const QFont font = FontResolver::font(fontName, row.fontSize);
    drawGroup(first, 3, point + QPointF(row.firstGroupX, row.top), row.firstGroupPitch, font, row.fontSize, drawList);
    drawGroup(
        second, 4, point + QPointF(row.secondGroupX, row.top), row.secondGroupPitch, font, row.fontSize, drawList);
}
