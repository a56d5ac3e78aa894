#include "print/DrawList.h"
#include "print/VerticalText.h"

#include "platform/widgets/FontResolver.h"
#include "platform/widgets/VerticalGlyphForms.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QPointF origin(100, 50);

QFont tenPoint()
{
    return FontResolver::font(u"IPAexGothic"_s, 10);
}

struct SettingRow {
    const char *text;
    int direction;
    QRectF covered;
    // The angle of the only glyph, for texts of one character.
    double angle = 0;
    // Characters on their side, whose advances (at least half a cell) the
    // covered length adds to.
    const char *sideways = "";
};

// How far a character set on its side moves the pen at 10 pt: its own
// advance, at least half a cell.
double sidewaysAdvance(char32_t character)
{
    const QRawFont face = QRawFont::fromFont(tenPoint());
    const QList<quint32> glyphs = face.glyphIndexesForString(QString::fromUcs4(&character, 1));
    const double advance = face.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics).value(0).x();
    return std::max(5.0, advance * 10 / face.pixelSize());
}

QRectF expectedCover(const SettingRow &row)
{
    double sideways = 0;
    for (const char32_t character : QString::fromUtf8(row.sideways).toUcs4())
        sideways += sidewaysAdvance(character);
    if (row.direction == VerticalText::downward)
        return row.covered.adjusted(0, 0, 0, sideways);
    return row.covered.adjusted(0, 0, sideways, 0);
}

class VerticalSetting : public testing::TestWithParam<SettingRow> { };

TEST_P(VerticalSetting, CoversTheCellsOfItsCharacterClassesAndMeasuresWithoutDrawing)
{
    const SettingRow &row = GetParam();
    const QString text = QString::fromUtf8(row.text);
    DrawList drawn;
    const QRectF covered
        = VerticalText::drawStringInVertical(text, tenPoint(), origin, true, row.direction, true, &drawn);
    const QRectF expected = expectedCover(row);
    EXPECT_NEAR(covered.x(), expected.x(), 1e-9);
    EXPECT_NEAR(covered.y(), expected.y(), 1e-9);
    // Advances measured at another size differ in the last hundredth.
    EXPECT_NEAR(covered.width(), expected.width(), 0.02);
    EXPECT_NEAR(covered.height(), expected.height(), 0.02);
    DrawList measured;
    EXPECT_EQ(
        VerticalText::drawStringInVertical(text, tenPoint(), origin, false, row.direction, true, &measured), covered);
    EXPECT_TRUE(measured.items().empty());
    if (row.direction == VerticalText::downward) {
        EXPECT_DOUBLE_EQ(VerticalText::columnLength(text, tenPoint()) * 10, covered.height());
    }
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    if (text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate())) {
        ASSERT_EQ(glyphs.size(), 1);
        EXPECT_EQ(glyphs.first().angle, row.angle);
        EXPECT_NE(glyphs.first().glyph, 0u); // 𠮷 too: from a face that has it
        EXPECT_DOUBLE_EQ(glyphs.first().size(), 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, VerticalSetting,
    testing::Values(SettingRow{"", 1, {100, 50, 0, 0}}, SettingRow{"あいう", 1, {90, 50, 10, 30}},
        SettingRow{"あいう", 2, {100, 50, 30, 10}}, SettingRow{"AB", 1, {90, 50, 10, 0}, 0, "AB"},
        SettingRow{"あ\nい", 1, {80, 50, 20, 10}}, SettingRow{"あ\n", 1, {80, 50, 20, 10}},
        SettingRow{"！", 1, {90, 50, 10, 0}, 90, "！"}, SettingRow{"＂", 1, {90, 50, 10, 10}},
        SettingRow{"ー", 1, {90, 50, 10, 10}}, SettingRow{"ｰ", 1, {90, 50, 10, 5}, 90},
        SettingRow{" ", 1, {90, 50, 10, 5}, 90}, SettingRow{"　", 1, {90, 50, 10, 10}},
        SettingRow{"ㇰ", 1, {90, 50, 10, 0}, 90, "ㇰ"}, SettingRow{"ヵ", 1, {90, 50, 10, 10}},
        SettingRow{"ゃ", 1, {90, 50, 10, 5}}, SettingRow{"A", 2, {100, 50, 0, 10}, 0, "A"},
        SettingRow{"あ", 2, {100, 50, 10, 10}, -90}, SettingRow{"𠮷", 1, {90, 50, 10, 10}}));

TEST(VerticalSetting, UprightPunctuationTakesTheFontsVerticalFormsAndLatinDoesNot)
{
    DrawList drawn;
    VerticalText::drawStringInVertical(u"、。ーA"_s, tenPoint(), origin, true, 1, true, &drawn);
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    ASSERT_EQ(glyphs.size(), 4);
    for (const PlacedGlyph &glyph : glyphs) {
        const quint32 nominal = glyph.font.glyphIndexesForString(QString::fromUcs4(&glyph.character, 1)).value(0);
        EXPECT_EQ(glyph.glyph == nominal, glyph.character == U'A') << uint(glyph.character);
    }
    DrawList horizontalForms;
    VerticalText::drawStringInVertical(u"、"_s, tenPoint(), origin, true, 1, false, &horizontalForms);
    EXPECT_EQ(horizontalForms.glyphs().first().glyph,
        horizontalForms.glyphs().first().font.glyphIndexesForString(u"、"_s).value(0));
}

TEST(VerticalSetting, JapaneseAreTheKanaPunctuationAndIdeographBlocks)
{
    for (const char32_t character :
        {0x3000, 0x30FF, 0x3200, 0x4DBF, 0x4E00, 0x9FFF, 0xF900, 0xFAFF, 0x20000, 0x20BB7, 0x3134F})
        EXPECT_TRUE(VerticalText::isJapanese(character)) << std::hex << uint(character);
    for (const char32_t character :
        {0x2FFF, 0x3100, 0x31FF, 0x4DC0, 0x4DFF, 0xA000, 0xF8FF, 0xFB00, 0xFF01, 0x1FFFF, 0x31350})
        EXPECT_FALSE(VerticalText::isJapanese(character)) << std::hex << uint(character);
}

} // namespace

namespace {

struct SidewaysRow {
    const char *text;
    int direction;
};

class SidewaysLetters : public testing::TestWithParam<SidewaysRow> { };

// Each letter on its side takes its own advance along the column, at least
// half a cell: none overlaps the next, and the column is as long as they are.
TEST_P(SidewaysLetters, FollowEachOtherWithoutOverlapping)
{
    const SidewaysRow &row = GetParam();
    const QString text = QString::fromUtf8(row.text);
    DrawList drawn;
    const QRectF covered
        = VerticalText::drawStringInVertical(text, tenPoint(), origin, true, row.direction, true, &drawn);
    const bool downward = row.direction == VerticalText::downward;
    double end = downward ? origin.y() : origin.x();
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        const double start = downward ? glyph.anchor.y() : glyph.anchor.x();
        const double advance
            = glyph.font.advancesForGlyphIndexes(QList<quint32>{glyph.glyph}, QRawFont::UseDesignMetrics).value(0).x();
        // Advances measured at another size differ in the last hundredth.
        EXPECT_NEAR(start, end, 0.02) << QString::fromUcs4(&glyph.character, 1).toStdString();
        end = start + std::max(advance, 5.0);
    }
    EXPECT_NEAR(downward ? covered.bottom() : covered.right(), end, 0.1);
    EXPECT_NEAR(VerticalText::columnLength(text, tenPoint()) * 10, downward ? covered.height() : covered.width(), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Rows, SidewaysLetters,
    testing::Values(SidewaysRow{"205 Main Street", 1}, SidewaysRow{"205 Main Street", 2}, SidewaysRow{"ABC", 1},
        SidewaysRow{"gf LS", 1}, SidewaysRow{"Москва", 1}, SidewaysRow{"Москва", 2}, SidewaysRow{"Łódź", 1},
        SidewaysRow{"Łódź", 2}));

} // namespace

namespace {

struct VariantRow {
    const char *family;
    bool hasVariant;
};

class VerticalVariant : public testing::TestWithParam<VariantRow> { };

// A face with vertical forms and vertical metrics has a vertical variant; a
// Latin-only face has none, and neither has Qt's stand-in for letters no face
// covers.
TEST_P(VerticalVariant, IsAnsweredForTheFamilyAndItsFace)
{
    const VariantRow &row = GetParam();
    const QString family = QString::fromUtf8(row.family);
    ASSERT_TRUE(FontResolver::isInstalled(family)) << row.family;
    EXPECT_EQ(VerticalGlyphForms::hasVerticalVariant(family, 12), row.hasVariant);
    EXPECT_EQ(VerticalGlyphForms::hasVerticalVariant(family, 0.3), row.hasVariant);
    QFont font(family);
    font.setPixelSize(20);
    EXPECT_EQ(VerticalGlyphForms::hasVerticalVariant(QRawFont::fromFont(font)), row.hasVariant);
}

INSTANTIATE_TEST_SUITE_P(Rows, VerticalVariant,
    testing::Values(VariantRow{"IPAexGothic", true}, VariantRow{"IPAexMincho", true},
        VariantRow{"Noto Sans CJK JP", true}, VariantRow{"DejaVu Sans", false}));

TEST(VerticalVariant, QtsStandInForUncoveredLettersHasNone)
{
    QTextLayout layout(u"क"_s, tenPoint());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_FALSE(runs.isEmpty());
    EXPECT_FALSE(VerticalGlyphForms::hasVerticalVariant(runs.first().rawFont()));
    EXPECT_FALSE(VerticalGlyphForms::hasVerticalVariant(QRawFont()));
}

} // namespace

namespace {

class WholeLine : public testing::TestWithParam<const char *> { };

// Set whole by the face's vertical variant, punctuation and brackets take
// their vertical forms, and every glyph stands in its column below the one
// before, each carrying its character.
TEST_P(WholeLine, SetsEveryCharacterInItsColumnInVerticalForms)
{
    const QString text = u"東京都千代田区、丸の内「一丁目」"_s;
    const QFont font = FontResolver::font(QString::fromUtf8(GetParam()), 10);
    DrawList drawn;
    const QRectF covered = VerticalText::setShapedColumns(text, font, origin, VerticalText::downward, &drawn);
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    ASSERT_EQ(glyphs.size(), text.size());
    double previousTop = -1;
    for (qsizetype index = 0; index < glyphs.size(); ++index) {
        const PlacedGlyph &glyph = glyphs.at(index);
        const QChar character = text.at(index);
        EXPECT_EQ(glyph.character, character.unicode());
        EXPECT_DOUBLE_EQ(glyph.angle, 0);
        const quint32 nominal = glyph.font.glyphIndexesForString(QString(character)).value(0);
        if (character == u'、' || character == u'「' || character == u'」') {
            EXPECT_NE(glyph.glyph, nominal) << QString(character).toStdString();
        }
        // The font gives ink boxes in whole pixels.
        const QRectF box = glyph.font.boundingRect(glyph.glyph).translated(glyph.anchor + glyph.offset);
        EXPECT_GE(box.left(), 90 - 1) << QString(character).toStdString();
        EXPECT_LE(box.right(), 100 + 1) << QString(character).toStdString();
        EXPECT_GT(box.top(), previousTop) << QString(character).toStdString();
        previousTop = box.top();
    }
    EXPECT_EQ(covered.x(), 90);
    EXPECT_EQ(covered.width(), 10);
    EXPECT_NEAR(covered.height(), 10.0 * text.size(), 0.5);
    EXPECT_NEAR(VerticalText::shapedColumnLength(text, font) * 10, covered.height(), 1e-9);

    DrawList across;
    const QRectF turned = VerticalText::setShapedColumns(text, font, origin, VerticalText::across, &across);
    EXPECT_EQ(turned, QRectF(100, 50, covered.height(), 10));
    EXPECT_DOUBLE_EQ(across.glyphs().first().angle, -90);
}

INSTANTIATE_TEST_SUITE_P(Faces, WholeLine, testing::Values("IPAexGothic", "Noto Sans CJK JP"));

// Letters whose vertical orientation is "rotated" lie on their side, each
// after the one before, the run as long as its width.
TEST(WholeLine, SetsLatinOnItsSideWithoutOverlapping)
{
    const QString text = u"205 Main Street"_s;
    DrawList drawn;
    const QRectF covered = VerticalText::setShapedColumns(text, tenPoint(), origin, VerticalText::downward, &drawn);
    double end = origin.y();
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        EXPECT_DOUBLE_EQ(glyph.angle, 90);
        EXPECT_GE(glyph.anchor.y() + glyph.offset.x(), end - 0.05);
        end = glyph.anchor.y() + glyph.offset.x()
            + glyph.font.advancesForGlyphIndexes(QList<quint32>{glyph.glyph}, QRawFont::UseDesignMetrics).value(0).x();
    }
    EXPECT_NEAR(covered.height(), end - origin.y(), 0.05);
    EXPECT_EQ(drawn.glyphs().size(), text.size());
}

} // namespace

namespace {

struct BranchRow {
    const char *family;
    bool whole; // set whole by the vertical variant
};

class SettingBranch : public testing::TestWithParam<BranchRow> { };

// A face with a vertical variant sets whole lines; one without keeps the
// glyph-by-glyph setting, and each is measured as it is set.
TEST_P(SettingBranch, FollowsTheFacesVerticalVariant)
{
    const BranchRow &row = GetParam();
    const QFont font = FontResolver::font(QString::fromUtf8(row.family), 10);
    ASSERT_EQ(VerticalText::hasVerticalVariant(font), row.whole);
    const QString text = u"東京都 Main\n丸の内「一」"_s;
    for (const int direction : {VerticalText::downward, VerticalText::across}) {
        DrawList set;
        DrawList expected;
        const QRectF covered = VerticalText::setColumns(text, font, origin, direction, &set);
        const QRectF expectedCover = row.whole
            ? VerticalText::setShapedColumns(text, font, origin, direction, &expected)
            : VerticalText::drawStringInVertical(text, font, origin, true, direction, true, &expected);
        EXPECT_EQ(covered, expectedCover);
        ASSERT_EQ(set.glyphs().size(), expected.glyphs().size());
        for (qsizetype index = 0; index < set.glyphs().size(); ++index)
            EXPECT_EQ(set.glyphs().at(index).anchor, expected.glyphs().at(index).anchor);
        const double length = direction == VerticalText::downward ? covered.height() : covered.width();
        EXPECT_NEAR(VerticalText::settingLength(text, font) * 10, length, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, SettingBranch,
    testing::Values(
        BranchRow{"IPAexGothic", true}, BranchRow{"Noto Sans CJK JP", true}, BranchRow{"DejaVu Sans", false}));

} // namespace
