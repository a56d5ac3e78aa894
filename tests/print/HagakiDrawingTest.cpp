#include "PrintTestCards.h"

#include "platform/widgets/FontResolver.h"
#include "print/VerticalText.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PrintTestCards;

namespace {

// Where each column of a block was set: its right edge and its top, read back
// from its glyph (every line here is one character and spaces) against the
// same character set alone in a column whose top-right corner is the origin.
QString columnCorners(const DrawList &drawn)
{
    const auto number = [](double value) { return QString::number(qRound64(value * 1e9) / 1e9, 'g', 15); };
    QStringList corners;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        if (glyph.character == U' ')
            continue;
        DrawList alone;
        VerticalText::setColumns(QString::fromUcs4(&glyph.character, 1),
            FontResolver::font(u"Hiragino Maru Gothic Pro"_s, glyph.size()), QPointF(0, 0), VerticalText::downward,
            &alone);
        const QPointF corner = glyph.anchor - alone.glyphs().value(0).anchor;
        corners.append(number(corner.x()) + u',' + number(corner.y()));
    }
    return corners.join(u' ');
}

TextObject nameBlock(const QList<double> &companyWidths)
{
    TextObject object;
    object.type = u"receiver"_s;
    object.kind = u"name"_s;
    object.layoutDict = std::make_shared<LabeledValueRecord>();
    object.layoutDict->layout->company = true;
    object.layoutDict->layout->renmei = true;
    object.company = u"甲\n乙"_s;
    object.companyFontSize = 10;
    object.companyWidthArray = companyWidths;
    NameRecord name;
    name.lastName = u"丙"_s;
    object.nameDict = name;
    object.renmei = QStringList{u"丁"_s};
    object.nameFontSize = 10;
    object.nameWidthArray = {90, 50};
    object.lineHeight = 20;
    return object;
}

struct NameBlockRow {
    const char *name;
    QList<double> companyWidths;
    bool companyFlag;
    QString corners;
};

class NameBlockDrawing : public testing::TestWithParam<NameBlockRow> { };

// Further company and name lines end where their first line ends; a company
// without its lengths starts every line at the top; without the flag, none.
TEST_P(NameBlockDrawing, ColumnsStandWhereTheirLinesEnd)
{
    const auto view = postcardView();
    view->setKeishou(u"None"_s);
    TextObject object = nameBlock(GetParam().companyWidths);
    object.layoutDict->layout->company = GetParam().companyFlag;
    const QRectF rect(0, 0, 100, 200);
    DrawList drawn;
    EXPECT_EQ(PostcardPages(view->document()).drawTextObject(object, rect, drawn), rect);
    EXPECT_EQ(columnCorners(drawn), GetParam().corners);
}

INSTANTIATE_TEST_SUITE_P(Rows, NameBlockDrawing,
    testing::Values(NameBlockRow{"WorkedExample", {60, 40}, true, u"100,0 80,20 60,20 40,40"_s},
        NameBlockRow{"CompanyWithoutLengths", {60}, true, u"100,0 80,0 60,0 40,40"_s},
        NameBlockRow{"NoCompanyFlag", {60, 40}, false, u"100,0 80,40"_s}),
    [](const testing::TestParamInfo<NameBlockRow> &info) { return std::string(info.param.name); });

TEST(TextBlockDrawing, FurtherAddressLinesEndAtTheBlocksBottom)
{
    const auto view = postcardView();
    TextObject object;
    object.kind = u"address"_s;
    object.addressArray = QStringList{u"一"_s, u"二"_s, u"三"_s, u"四"_s};
    object.widthArray = {250, 120, 80};
    object.fontSize = 10;
    object.lineHeight = 18;
    DrawList drawn;
    PostcardPages(view->document()).drawTextObject(object, QRectF(10, 20, 50, 300), drawn);
    EXPECT_EQ(columnCorners(drawn), u"60,20 42,200 24,240 6,240"_s);
}

} // namespace
