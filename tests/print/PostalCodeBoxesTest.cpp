#include "print/DrawList.h"
#include "print/PostalCodeBoxes.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CodeRow {
    const char *code;
    // The character in each of the seven boxes, "_" for an empty box.
    const char *boxes;
};

// The top-left corner of each box's line, from the row's corner.
QPointF boxCorner(bool receiver, int box)
{
    if (receiver)
        return box < 3 ? QPointF(2.835 + 19.8425 * box, 1.4) : QPointF(61.23 + 2.835 + 19.276 * (box - 3), 1.4);
    return box < 3 ? QPointF(0.7 + 11.339 * box, 2.8) : QPointF(36.85 + 0.7 + 11.339 * (box - 3), 2.8);
}

class PostalCodes : public testing::TestWithParam<std::tuple<CodeRow, bool>> { };

TEST_P(PostalCodes, CharactersLandInTheirBoxes)
{
    const auto &[row, receiver] = GetParam();
    const QPointF corner(120, 30);
    DrawList drawn;
    PostalCodeBoxes::drawZIPcode(QString::fromLatin1(row.code), corner, receiver ? u"receiver"_s : u"sender"_s, drawn);
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    qsizetype next = 0;
    for (int box = 0; box < 7; ++box) {
        const char expected = row.boxes[box];
        if (expected == '_')
            continue;
        ASSERT_LT(next, glyphs.size()) << "box " << box;
        const PlacedGlyph &glyph = glyphs.at(next++);
        EXPECT_EQ(glyph.character, char32_t(expected)) << "box " << box;
        EXPECT_EQ(glyph.anchor, corner + boxCorner(receiver, box)) << "box " << box;
        EXPECT_DOUBLE_EQ(glyph.size(), receiver ? 18 : 11);
        // The line's top-left corner is the anchor: the baseline is an ascent below.
        EXPECT_DOUBLE_EQ(glyph.offset.y(), glyph.font.ascent());
    }
    EXPECT_EQ(next, glyphs.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, PostalCodes,
    testing::Combine(
        testing::Values(CodeRow{"1234567", "1234567"}, CodeRow{"123-4567", "1234567"}, CodeRow{"12", "12_____"},
            CodeRow{"1234-5", "1235___"}, CodeRow{"12345678", "1234567"}, CodeRow{"1-2-3", "1__2___"}),
        testing::Bool()));

} // namespace
