// Which way whole cards, envelopes and labels set their vertical text: a face
// with a vertical variant sets each line whole, one without glyph by glyph,
// and the lines of a name block stand where the block's rule puts them.
#include "PrintTestCards.h"

#include "platform/widgets/FontResolver.h"
#include "print/PrintOptionValue.h"
#include "print/VerticalText.h"

#include <gtest/gtest.h>

#include <QLineF>

using namespace PrintOptionsKey;
using namespace PrintTestCards;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString wholeFace = u"IPAexGothic"_s;

std::unique_ptr<HagakiView> viewInFace(const QString &style, const QString &family, const QString &direction)
{
    auto view = postcardView();
    view->setSelectedStyle(style);
    PrintOptionsRecord options = *view->printOptions();
    QVariantMap hagaki = PrintOptionValue::dictionary(options, Hagaki);
    hagaki.insert(FontName, family);
    options.insert(Hagaki, hagaki);
    for (const QString &blockStyle : {Envelope, MailingLabels}) {
        QVariantMap block = PrintOptionValue::dictionary(options, blockStyle);
        block.insert(DrawTextInVertical, true);
        block.insert(TextDirection, direction);
        block.insert(VerticalFontName, family);
        options.insert(blockStyle, block);
    }
    QVariantMap labels = PrintOptionValue::dictionary(options, MailingLabels);
    labels.insert(LabelWidth, 200.0);
    labels.insert(LabelHeight, 120.0);
    labels.insert(HGap, 0.0);
    labels.insert(VGap, 0.0);
    labels.insert(RepeatCount, 1);
    options.insert(MailingLabels, labels);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    return view;
}

void expectSameGlyphs(const QList<PlacedGlyph> &drawn, const QList<PlacedGlyph> &expected)
{
    ASSERT_EQ(drawn.size(), expected.size());
    for (qsizetype index = 0; index < drawn.size(); ++index) {
        const PlacedGlyph &glyph = drawn.at(index);
        const PlacedGlyph &wanted = expected.at(index);
        EXPECT_EQ(glyph.character, wanted.character) << index;
        EXPECT_EQ(glyph.glyph, wanted.glyph) << index;
        EXPECT_NEAR(glyph.anchor.x(), wanted.anchor.x(), 1e-9) << index;
        EXPECT_NEAR(glyph.anchor.y(), wanted.anchor.y(), 1e-9) << index;
        EXPECT_EQ(glyph.offset, wanted.offset) << index;
        EXPECT_EQ(glyph.angle, wanted.angle) << index;
    }
}

struct NameColumnsRow {
    const char *name;
    QStringList renmei;
    QString company; // with its line on
    QList<QPointF> corners; // each column's top-right corner, company lines first
};

class NameColumnsWhole : public testing::TestWithParam<NameColumnsRow> { };

// A name block in a face with a vertical variant: each of its lines, company,
// name and joint names, is one whole line set from its column's top-right
// corner, further lines ending where their group's first line ends.
TEST_P(NameColumnsWhole, StandWhereTheirLinesEnd)
{
    const NameColumnsRow &row = GetParam();
    const auto view = viewInFace(PrintStyleName::hagaki, wholeFace, {});
    ASSERT_TRUE(VerticalText::hasVerticalVariant(FontResolver::font(wholeFace, 10)));
    TextObject object;
    object.type = u"receiver"_s;
    object.kind = u"name"_s;
    object.layoutDict = std::make_shared<LabeledValueRecord>();
    object.layoutDict->layout->renmei = true;
    object.layoutDict->layout->company = !row.company.isEmpty();
    object.company = row.company;
    object.companyFontSize = 8;
    object.companyWidthArray = {60, 40};
    NameRecord name;
    name.lastName = u"高橋"_s;
    name.firstName = u"陽子"_s;
    object.nameDict = name;
    object.renmei = row.renmei;
    object.nameFontSize = 12;
    object.nameWidthArray = {90, 50, 30};
    object.lineHeight = 20;
    DrawList drawn;
    PostcardPages(view->document()).drawTextObject(object, QRectF(0, 0, 100, 200), drawn);

    QStringList lines = row.company.isEmpty() ? QStringList() : row.company.split(u'\n');
    const qsizetype companyLines = lines.size();
    lines += PostcardLayout(view->document()).nameString(object, &*object.layoutDict->layout, false).split(u'\n');
    ASSERT_EQ(lines.size(), row.corners.size());
    DrawList expected;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        const double size = line < companyLines ? object.companyFontSize : object.nameFontSize;
        VerticalText::setShapedColumns(lines.at(line), FontResolver::font(wholeFace, size), row.corners.at(line),
            VerticalText::downward, &expected);
    }
    expectSameGlyphs(drawn.glyphs(), expected.glyphs());
}

INSTANTIATE_TEST_SUITE_P(Rows, NameColumnsWhole,
    testing::Values(NameColumnsRow{"JointName", {u"春子"_s}, {}, {{100, 0}, {80, 40}}},
        NameColumnsRow{"TwoJointNames", {u"春子"_s, u"夏美"_s}, {}, {{100, 0}, {80, 40}, {60, 60}}},
        NameColumnsRow{"CompanyThenName", {}, u"高橋商事\n営業部"_s, {{100, 0}, {80, 20}, {60, 20}}}),
    [](const testing::TestParamInfo<NameColumnsRow> &info) { return std::string(info.param.name); });

struct PathRow {
    const char *name;
    QString style;
    const char *family;
    QString direction;
    bool whole; // set whole by the face's vertical variant
};

class VerticalPath : public testing::TestWithParam<PathRow> { };

// Set whole, a narrow letter on its side takes its own width; set glyph by
// glyph, at least half a cell. The card, the envelope and the label each ask
// their face which way to go, in both directions.
TEST_P(VerticalPath, FollowsTheFacesVerticalVariant)
{
    const PathRow &row = GetParam();
    const QString family = QString::fromUtf8(row.family);
    ASSERT_EQ(VerticalText::hasVerticalVariant(FontResolver::font(family, 10)), row.whole);
    const auto view = viewInFace(row.style, family, row.direction);
    Card card{.family = u"高橋"_s, .given = u"陽子"_s};
    card.street = u"丸の内、1 Mill Road"_s;
    PrintContactRecordPtr receiver = record(card);
    receiver->name->stringValue = receiver->compositeName;
    view->setReceiverPersons({receiver});
    ASSERT_EQ(view->document().pageCount(), 1);
    const QList<PlacedGlyph> glyphs = view->document().page(1).glyphs();
    const auto narrow
        = std::adjacent_find(glyphs.cbegin(), glyphs.cend(), [](const PlacedGlyph &first, const PlacedGlyph &next) {
              return first.character == U'i' && next.character == U'l';
          });
    ASSERT_NE(narrow, glyphs.cend());
    const double step = QLineF(narrow->anchor, std::next(narrow)->anchor).length() / narrow->size();
    if (row.whole)
        EXPECT_LT(step, 0.45);
    else
        EXPECT_GE(step, 0.5 - 1e-9);
    // Upright characters run down the page, or along it when the lines run
    // across, each after the one before.
    const auto comma = std::find_if(
        glyphs.cbegin(), glyphs.cend(), [](const PlacedGlyph &glyph) { return glyph.character == U'、'; });
    ASSERT_NE(comma, glyphs.cend());
    ASSERT_NE(comma, glyphs.cbegin());
    const QPointF along = comma->anchor - std::prev(comma)->anchor;
    if (row.direction == u"Left-Right"_s)
        EXPECT_GT(along.x(), 0.5 * comma->size());
    else
        EXPECT_GT(along.y(), 0.5 * comma->size());
    EXPECT_NE(comma->glyph, comma->font.glyphIndexesForString(u"、"_s).value(0));
}

INSTANTIATE_TEST_SUITE_P(Rows, VerticalPath,
    testing::Values(PathRow{"PostcardWhole", PrintStyleName::hagaki, "IPAexGothic", {}, true},
        PathRow{"PostcardNotoWhole", PrintStyleName::hagaki, "Noto Sans CJK JP", {}, true},
        PathRow{"PostcardGlyphByGlyph", PrintStyleName::hagaki, "DejaVu Sans", {}, false},
        PathRow{"EnvelopeUpDownWhole", PrintStyleName::envelope, "IPAexGothic", u"Up-Down"_s, true},
        PathRow{"EnvelopeLeftRightWhole", PrintStyleName::envelope, "IPAexGothic", u"Left-Right"_s, true},
        PathRow{"EnvelopeUpDownGlyphByGlyph", PrintStyleName::envelope, "DejaVu Sans", u"Up-Down"_s, false},
        PathRow{"EnvelopeLeftRightGlyphByGlyph", PrintStyleName::envelope, "DejaVu Sans", u"Left-Right"_s, false},
        // Labels set their lines across whatever the envelope's direction.
        PathRow{"LabelNotoWhole", PrintStyleName::labels, "Noto Sans CJK JP", u"Left-Right"_s, true},
        PathRow{"LabelMinchoWhole", PrintStyleName::labels, "IPAexMincho", u"Left-Right"_s, true},
        PathRow{"LabelGlyphByGlyph", PrintStyleName::labels, "DejaVu Sans", u"Left-Right"_s, false}),
    [](const testing::TestParamInfo<PathRow> &info) { return std::string(info.param.name); });

} // namespace

namespace {

// A combined block on a card page, whatever its glyphs and direction, stands
// unturned from its rectangle's top-left corner, line under line.
TEST(CombinedBlockOnACard, StandsUnturnedAtItsTopLeft)
{
    const auto view = viewInFace(PrintStyleName::hagaki, wholeFace, {});
    for (const bool vertical : {false, true}) {
        TextObject object;
        object.kind = u"addressAndName"_s;
        object.blockText = u"東京都中央区\n高橋 陽子"_s;
        object.fontName = wholeFace;
        object.verticalFontName = wholeFace;
        object.printVertical = vertical;
        object.textDirection = u"Up-Down"_s;
        object.fontSize = 10;
        const QRectF rect(30, 40, 200, 100);
        DrawList drawn;
        EXPECT_EQ(PostcardPages(view->document()).drawTextObject(object, rect, drawn), rect);
        const QList<PlacedGlyph> glyphs = drawn.glyphs();
        ASSERT_EQ(glyphs.size(), 11) << vertical;
        EXPECT_EQ(glyphs.first().anchor, rect.topLeft()) << vertical;
        for (const PlacedGlyph &glyph : glyphs)
            EXPECT_EQ(glyph.angle, 0) << vertical;
        EXPECT_GT(glyphs.at(1).anchor.x(), glyphs.at(0).anchor.x());
        EXPECT_GT(glyphs.at(6).anchor.y(), glyphs.at(0).anchor.y() + 9);
    }
}

} // namespace
