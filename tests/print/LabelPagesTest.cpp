#include "ListTestContacts.h"
#include "PdfWords.h"
#include "PrintTestCards.h"

#include "print/AddressBlock.h"
#include "print/LabelGrid.h"
#include "print/PrintOptionValue.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTransform>

using namespace PdfWords;
using namespace ListTestContacts;
using namespace PrintOptionsKey;
using namespace Qt::Literals::StringLiterals;

namespace {

struct GridRow {
    const char *name;
    QSizeF area; // between the margins
    QSizeF label;
    QSizeF gaps;
    qint64 columns;
    qint64 rows;
};

class LabelGridCounts : public testing::TestWithParam<GridRow> { };

TEST_P(LabelGridCounts, FitWholePitchesAndAtLeastOne)
{
    const GridRow &row = GetParam();
    const LabelGrid grid = LabelGrid::make(
        QRectF(QPointF(10, 20), row.area + QSizeF(30, 30)), QMarginsF(10, 10, 20, 20), row.label, row.gaps, 800);
    EXPECT_EQ(grid.columns, row.columns);
    EXPECT_EQ(grid.rows, row.rows);
    EXPECT_EQ(grid.origin, QPointF(20, 30));
}

INSTANTIATE_TEST_SUITE_P(Rows, LabelGridCounts,
    testing::Values(GridRow{"GapAfterTheLastLabelToo", {300, 300}, {100, 100}, {5, 5}, 2, 2},
        GridRow{"LargerThanTheArea", {300, 300}, {400, 500}, {0, 0}, 1, 1},
        GridRow{"PitchOfNothing", {300, 300}, {0, 0}, {0, 0}, 1, 1},
        GridRow{"NegativeLabels", {300, 300}, {-10, -10}, {0, 0}, 1, 1},
        GridRow{"NoRoomBetweenTheMargins", {-40, -40}, {100, 100}, {0, 0}, 1, 1}),
    [](const testing::TestParamInfo<GridRow> &info) { return std::string(info.param.name); });

TEST(LabelGrid, SlotsFillRowsThenPagesAndARectangleJustAboveAStripDrawsIt)
{
    const LabelGrid grid = LabelGrid::make(QRectF(0, 0, 200, 200), QMarginsF(), {100, 100}, {0, 0}, 792);
    ASSERT_EQ(grid.labelsPerPage(), 4);
    EXPECT_EQ(grid.slotRect(1), QRectF(100, 0, 100, 100));
    EXPECT_EQ(grid.slotRect(2), QRectF(0, 100, 100, 100));
    EXPECT_EQ(grid.slotRect(5), QRectF(100, 792, 100, 100));
    EXPECT_EQ(grid.pageOfSlot(5), 1);
    EXPECT_EQ(grid.pageCount(6), 2);
    EXPECT_EQ(grid.pageCount(0), 1);
    EXPECT_EQ(grid.pageAt(2 * 792 - 10), 2);
    EXPECT_EQ(grid.pageAt(2 * 792 - 11), 1);
}

TEST(LabelStartingSize, TwoShortLinesStartAsThreeLinesOfTen)
{
    EXPECT_DOUBLE_EQ(LabelPages::labelStartingSize(u"ab\ncd"_s, {100, 300}), 1.2 * 100 / 10);
    EXPECT_DOUBLE_EQ(LabelPages::labelStartingSize(u"ab\ncd"_s, {300, 30}), 1.2 * 30 / 3);
}

// A view of labels 100 × 100 on a 200 × 200 area of Letter paper.
std::unique_ptr<HagakiView> twoByTwo(double repeat, int receivers)
{
    auto view = letterView(PrintStyleName::labels);
    PrintOptionsRecord options = *view->printOptions();
    QVariantMap labels = options.value(MailingLabels).toMap();
    labels.insert(LabelWidth, 100.0);
    labels.insert(LabelHeight, 100.0);
    labels.insert(HGap, 0.0);
    labels.insert(VGap, 0.0);
    labels.insert(RepeatCount, repeat);
    labels.insert(PrintFrame, true);
    options.insert(MailingLabels, labels);
    options.insert(LeftMargin, 0.0);
    options.insert(TopMargin, 0.0);
    options.insert(RightMargin, 612.0 - 200);
    options.insert(BottomMargin, 792.0 - 200);
    view->setPrintOptions(std::make_shared<PrintOptionsRecord>(options));
    view->setReceiverPersons(numberedReceivers(receivers));
    return view;
}

// The frames drawn on the page, each one point above its slot.
QList<QRectF> frames(const DrawList &drawn)
{
    QList<QRectF> found;
    for (const DrawItem &item : drawn.items()) {
        if (const auto *stroke = std::get_if<StrokedPath>(&item)) {
            EXPECT_EQ(stroke->pen.widthF(), 1.5);
            found.append(stroke->path.boundingRect());
        }
    }
    return found;
}

TEST(LabelPages, ThreeLabelsAReceiverPutTheSecondPageOnSlotsFourAndFive)
{
    auto view = twoByTwo(3, 2);
    EXPECT_EQ(view->document().pageCount(), 2);
    const QList<QRectF> second = frames(view->document().page(2));
    EXPECT_EQ(second, (QList<QRectF>{QRectF(0, 791, 100, 100), QRectF(100, 791, 100, 100)}));
    EXPECT_EQ(frames(view->document().page(1)).size(), 4);

    // No labels at all, on one page, for a count of nothing; a thousand at most.
    view = twoByTwo(0, 2);
    EXPECT_EQ(view->document().pageCount(), 1);
    EXPECT_TRUE(frames(view->document().page(1)).isEmpty());
    view = twoByTwo(1e30, 2);
    EXPECT_EQ(LabelPages(view->document()).labelRepeatCount(), 1000);
    EXPECT_EQ(view->document().pageCount(), 500);
}

TEST(LabelPages, ALabelOfNothingHasNoTextAndNoFrame)
{
    auto view = twoByTwo(1, 2);
    QVariantMap labels = view->printOptions()->value(MailingLabels).toMap();
    labels.insert(LabelHeight, 0.0);
    view->printOptions()->insert(MailingLabels, labels);
    EXPECT_TRUE(view->document().page(1).items().size() == 1);
}

TEST(LabelPages, ALabelBlockStartsWithThePostalCodeAndFitsItsLabel)
{
    auto view = twoByTwo(1, 1);
    const DrawList drawn = view->document().page(1);
    const QList<PlacedGlyph> glyphs = drawn.glyphs();
    ASSERT_FALSE(glyphs.isEmpty());
    EXPECT_EQ(glyphs.first().font.glyphIndexesForString(u"1"_s).value(0), glyphs.first().glyph);
    for (const PlacedGlyph &glyph : glyphs) {
        EXPECT_GE(glyph.size(), AddressBlock::smallestSize);
        EXPECT_TRUE(QRectF(0, 0, 104, 103).contains(glyph.anchor));
    }
}

TEST(LabelPages, SevenReceiversOnTwoPagesEachNameInItsSlot)
{
    for (const bool vertical : {false, true}) {
        auto view = twoByTwo(1, 7);
        QVariantMap labels = view->printOptions()->value(MailingLabels).toMap();
        labels.insert(DrawTextInVertical, vertical);
        labels.insert(VerticalFontName, u"IPAexGothic"_s);
        view->printOptions()->insert(MailingLabels, labels);
        const QList<Page> pages
            = pdfWords(printThroughJob(*view, vertical ? u"labels-vertical.pdf"_s : u"labels.pdf"_s));
        ASSERT_EQ(pages.size(), 2);
        const LabelGrid grid = LabelPages(view->document()).labelGrid();
        for (int receiver = 0; receiver < 7; ++receiver) {
            // Page 1 holds the first four labels.
            const Page &page = pages.at(receiver < 4 ? 0 : 1);
            const QString family = u"Family%1"_s.arg(receiver + 1, 4, 10, QChar(u'0'));
            const QRectF slot = grid.slotRect(receiver).translated(0, -792 * (receiver / 4)).adjusted(-2, -2, 5, 5);
            bool found = false;
            for (const Word &word : page) {
                if (!word.text.contains(vertical ? family.right(1) : family))
                    continue;
                found = found || slot.contains(word.box.center());
            }
            EXPECT_TRUE(found) << family.toStdString() << (vertical ? " vertical" : "");
        }
    }
}

TEST(LabelPages, PreviewShowsTheFirstSheet)
{
    auto view = twoByTwo(2, 3);
    const QImage page = previewImage(*view, u"LabelPages.PreviewShowsTheFirstSheet"_s);
    EXPECT_EQ(page.pixelColor(300, 500), QColor(Qt::white));
}

struct FittingRow {
    const char *name;
    int streetLines;
    bool cut; // still too large at the readable size
};

// Labels of 200 × 60 set in a face whose lines are 1.448 em apart: blocks of
// many short lines start large and take more than 20 steps to fit.
std::unique_ptr<HagakiView> tallLabels(int streetLines)
{
    QStringList street;
    for (int line = 1; line <= streetLines; ++line)
        street.append(u"Tower %1F"_s.arg(line));
    auto view = letterView(PrintStyleName::labels);
    view->printOptions()->insert(FontName, u"Noto Sans CJK JP"_s);
    QVariantMap labels = view->printOptions()->value(MailingLabels).toMap();
    labels.insert(LabelWidth, 200.0);
    view->printOptions()->insert(MailingLabels, labels);
    view->setPrintOptions(view->printOptions());
    view->setReceiverPersons({receiver({.family = u"Fitting"_s, .street = street.join(u'\n')})});
    return view;
}

class LabelFitting : public testing::TestWithParam<FittingRow> { };

// Where a glyph's ink lies on the page.
QRectF inkOf(const PlacedGlyph &glyph)
{
    QTransform placed;
    placed.translate(glyph.anchor.x(), glyph.anchor.y());
    placed.rotate(glyph.angle);
    return placed.mapRect(glyph.font.boundingRect(glyph.glyph).translated(glyph.offset));
}

// A block too large for its label is set smaller down to a readable size, and
// then cut at the label's edge: nothing of it is drawn in the next label.
TEST_P(LabelFitting, TextStaysInsideItsLabel)
{
    const FittingRow &row = GetParam();
    auto view = tallLabels(row.streetLines);
    const QRectF label = LabelPages(view->document()).labelGrid().slotRect(0);
    ASSERT_EQ(label, QRectF(0, 0, 200, 60));
    const QList<PlacedGlyph> glyphs = view->document().page(1).glyphs();
    ASSERT_FALSE(glyphs.isEmpty());
    const QString block
        = EnvelopePages(view->document())
              .makeAdrsAndNameString(*view->receiverPersons().first(), QVariantMap{{PrintZIP, true}}, false);
    qsizetype characters = 0;
    for (const QChar character : block)
        characters += character.isSpace() ? 0 : 1;
    for (const PlacedGlyph &glyph : glyphs) {
        EXPECT_GE(glyph.size(), AddressBlock::readableSize);
        const QRectF ink = inkOf(glyph);
        EXPECT_TRUE(ink.isEmpty() || label.contains(ink)) << QString::fromUcs4(&glyph.character, 1).toStdString();
    }
    EXPECT_EQ(glyphs.first().size() == AddressBlock::readableSize, row.cut);
    EXPECT_EQ(glyphs.size() < characters, row.cut) << glyphs.size() << " of " << characters;
}

INSTANTIATE_TEST_SUITE_P(Rows, LabelFitting,
    testing::Values(FittingRow{"FourLineCompanyAddress", 4, false}, FittingRow{"SixLines", 6, true}),
    [](const testing::TestParamInfo<FittingRow> &info) { return std::string(info.param.name); });

} // namespace
