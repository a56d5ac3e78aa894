#include "PrintTestCards.h"

#include <gtest/gtest.h>

using namespace PrintTestCards;

namespace {

// Where each column of a block was set: its right edge and its top, read back
// from its glyph (every line here is one character and spaces, the character
// standing upright in its cell, its baseline one descent above the cell's
// bottom).
QList<QPointF> columnCorners(const DrawList &drawn)
{
    QList<QPointF> corners;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        if (glyph.character == U' ')
            continue;
        const double size = glyph.size();
        corners.append(QPointF(glyph.anchor.x() + size, glyph.anchor.y() + glyph.font.descent() - size));
    }
    return corners;
}

void expectCorners(const QList<QPointF> &corners, const QList<QPointF> &expected)
{
    ASSERT_EQ(corners.size(), expected.size());
    for (qsizetype column = 0; column < corners.size(); ++column) {
        EXPECT_NEAR(corners.at(column).x(), expected.at(column).x(), 1e-9) << "column " << column;
        EXPECT_NEAR(corners.at(column).y(), expected.at(column).y(), 1e-9) << "column " << column;
    }
}

TextObject nameBlock(const QList<double> &companyWidths)
{
    TextObject object;
    object.type = QStringLiteral("receiver");
    object.kind = QStringLiteral("name");
    object.layoutDict = std::make_shared<LabeledValueRecord>();
    object.layoutDict->layout.company = true;
    object.layoutDict->layout.renmei = true;
    object.company = QStringLiteral("甲\n乙");
    object.companyFontSize = 10;
    object.companyWidthArray = companyWidths;
    NameRecord name;
    name.lastName = QStringLiteral("丙");
    object.nameDict = name;
    object.renmei = QStringList{QStringLiteral("丁")};
    object.nameFontSize = 10;
    object.nameWidthArray = {90, 50};
    object.lineHeight = 20;
    return object;
}

} // namespace

namespace {

struct NameBlockRow {
    const char *name;
    QList<double> companyWidths;
    bool companyFlag;
    QList<QPointF> corners;
};

class NameBlockDrawing : public testing::TestWithParam<NameBlockRow> { };

} // namespace

// Further company and name lines end where their first line ends; a company
// without its lengths starts every line at the top; without the flag, none.
TEST_P(NameBlockDrawing, ColumnsStandWhereTheirLinesEnd)
{
    const auto view = postcardView(false);
    view->setKeishou(QStringLiteral("None"));
    TextObject object = nameBlock(GetParam().companyWidths);
    object.layoutDict->layout.company = GetParam().companyFlag;
    const QRectF rect(0, 0, 100, 200);
    DrawList drawn;
    EXPECT_EQ(view->drawTextObject(object, rect, drawn), rect);
    expectCorners(columnCorners(drawn), GetParam().corners);
}

INSTANTIATE_TEST_SUITE_P(Rows, NameBlockDrawing,
    testing::Values(NameBlockRow{"WorkedExample", {60, 40}, true, {{100, 0}, {80, 20}, {60, 20}, {40, 40}}},
        NameBlockRow{"CompanyWithoutLengths", {60}, true, {{100, 0}, {80, 0}, {60, 0}, {40, 40}}},
        NameBlockRow{"NoCompanyFlag", {60, 40}, false, {{100, 0}, {80, 40}}}),
    [](const testing::TestParamInfo<NameBlockRow> &info) { return std::string(info.param.name); });

TEST(TextBlockDrawing, FurtherAddressLinesEndAtTheBlocksBottom)
{
    const auto view = postcardView(false);
    TextObject object;
    object.kind = QStringLiteral("address");
    object.addressArray
        = QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"), QStringLiteral("四")};
    object.widthArray = {250, 120, 80};
    object.fontSize = 10;
    object.lineHeight = 18;
    DrawList drawn;
    view->drawTextObject(object, QRectF(10, 20, 50, 300), drawn);
    expectCorners(columnCorners(drawn), {{60, 20}, {42, 200}, {24, 240}, {6, 240}});
}
