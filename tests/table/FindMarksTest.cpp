#include "TableTestSupport.h"

#include "model/MVPerson.h"
#include "table/FindMarks.h"
#include "table/PopupAndTextCell.h"
#include "table/TextCell.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

using namespace TableTest;

namespace {

struct SearchCase {
    const char *text;
    const char *findString;
    const char *options;
    QList<TextRange> matches;
};

class FindMarksSearch : public testing::TestWithParam<SearchCase> { };

TEST_P(FindMarksSearch, FindsEveryMatchOnce)
{
    const SearchCase &row = GetParam();
    EXPECT_EQ(
        FindMarks(QString::fromUtf8(row.text), QString::fromUtf8(row.findString), row.options).matches(), row.matches);
}

INSTANTIATE_TEST_SUITE_P(Rows, FindMarksSearch,
    testing::Values(SearchCase{"Anna and HANNA", "an", "", {{0, 2}, {5, 2}, {10, 2}}},
        SearchCase{"Anna and HANNA", "an", "caseSensitive", {{5, 2}}}, SearchCase{"aaa", "aa", "", {{0, 2}}},
        // Positions count UTF-16 units: the musical sign takes two.
        SearchCase{"𝄞 山田 山田", "山田", "", {{3, 2}, {6, 2}}}, SearchCase{"Anna", "", "", {}},
        SearchCase{"", "an", "", {}}, SearchCase{"a.b", ".", "", {{1, 1}}}));

struct HitCase {
    const char *name;
    bool sameContact;
    qint64 labelIndex;
    TextRange range;
    const char *findString;
    std::optional<TextRange> hit;
};

void PrintTo(const HitCase &row, std::ostream *out)
{
    *out << row.name;
}

class PopupAndTextCellHit : public testing::TestWithParam<HitCase> {
protected:
    void SetUp() override
    {
        cell.setSelectedFont(QApplication::font());
        cell.setPerson(ann);
        cell.setLabelIndex(1);
        auto value = std::make_shared<LabeledValueRecord>();
        value->label = "home";
        value->stringValue = "Anna and HANNA";
        cell.setLabeledValue(value);
    }

    MVPersonPtr ann = MVPerson::initWithCNContact(person("Ann"));
    MVPersonPtr bo = MVPerson::initWithCNContact(person("Bo"));
    PopupAndTextCell cell;
};

TEST_P(PopupAndTextCellHit, ColoursOnlyTheCurrentHitOfThisContactAndPosition)
{
    const HitCase &row = GetParam();
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = (row.sameContact ? ann : bo)->uniqueId();
    target->labelIndex = row.labelIndex;
    target->range = row.range;
    cell.setFindString(row.findString);
    cell.setFindTarget(target);
    cell.updatePopupAndText();
    EXPECT_EQ(cell.marks().hit(), row.hit);
}

constexpr qsizetype huge = std::numeric_limits<qsizetype>::max() - 1;

INSTANTIATE_TEST_SUITE_P(Rows, PopupAndTextCellHit,
    testing::Values(HitCase{"hit", true, 1, {5, 2}, "an", TextRange{5, 2}},
        HitCase{"hitOfOtherCase", true, 1, {10, 2}, "an", TextRange{10, 2}},
        HitCase{"anotherContact", false, 1, {5, 2}, "an", std::nullopt},
        HitCase{"anotherPosition", true, 0, {5, 2}, "an", std::nullopt},
        HitCase{"staleRangePastTheText", true, 1, {13, 2}, "an", std::nullopt},
        HitCase{"overflowingRange", true, 1, {2, huge}, "an", std::nullopt},
        HitCase{"rangeHoldsOtherText", true, 1, {1, 2}, "an", std::nullopt},
        HitCase{"noMatch", true, 1, {5, 2}, "zz", std::nullopt}));

TEST(TextCellHit, TakesAnyRangeWithinTheTextOfTheHitsColumnWhateverItHolds)
{
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = QStringLiteral("u1");
    target->identifier = "Company";
    target->range = {1, 2};
    TextCell cell;
    cell.setText("Anna and HANNA");
    cell.setFindString("an");
    cell.setFindTarget(target);
    cell.setUniqueId(QStringLiteral("u1"));
    cell.setIdentifier("Company");
    cell.updateText();
    EXPECT_EQ(cell.marks().hit(), TextRange({1, 2}));
    cell.setIdentifier("Note");
    cell.updateText();
    EXPECT_EQ(cell.marks().hit(), std::nullopt);
}

// A text shown on each of a contact's rows holds the hit on the row the
// hit's label position names only.
TEST(TextCellHit, IsOrangeOnlyOnTheRowOfTheHitsLabelPosition)
{
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = QStringLiteral("u1");
    target->identifier = "Company";
    target->labelIndex = 0;
    target->range = {0, 2};
    TextCell cell;
    cell.setText("Anna Inc");
    cell.setFindString("an");
    cell.setFindTarget(target);
    cell.setUniqueId(QStringLiteral("u1"));
    cell.setIdentifier("Company");
    for (const qint64 position : {0, 1, 2}) {
        cell.setLabelIndex(position);
        cell.updateText();
        EXPECT_EQ(cell.marks().hit(), position == 0 ? std::optional(TextRange{0, 2}) : std::nullopt) << position;
        EXPECT_EQ(cell.marks().matches().size(), 1) << position;
    }
}

TEST(PopupAndTextCellLabels, ALabelTheFieldNoLongerOffersShowsItsDisplayForm)
{
    PopupAndTextCell cell;
    cell.setSelectedFont(QApplication::font());
    auto value = std::make_shared<LabeledValueRecord>();
    value->label = "summer house";
    cell.setLabeledValue(value);
    cell.setLabels(MVPerson::labelsForIdentifier("Phone"));
    cell.setLocalizedLabels(MVPerson::localizedLabelsForIdentifier("Phone"));
    for (const bool editable : {false, true}) {
        cell.setEditState(editable);
        cell.updatePopupAndText();
        EXPECT_EQ(cell.labelPopup().titleOfSelectedItem(), "summer house") << editable;
    }
    value->label = "mobile";
    cell.updatePopupAndText();
    EXPECT_EQ(cell.labelPopup().indexOfSelectedItem(), 4);
    EXPECT_EQ(cell.labelPopup().itemTitles().size(), MVPerson::labelsForIdentifier("Phone").size());
}

// The x positions of the pixels of a colour in one row of the image.
QList<int> columnsOf(const QImage &image, QColor colour, int y)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == colour)
            columns.append(x);
    }
    return columns;
}

TEST_F(PopupAndTextCellHit, APaintedCellIsGrayAndOrangeBehindTheRightLettersAndTheNextCellShowsNoStaleOrange)
{
    QFont font = QApplication::font();
    font.setPixelSize(16);
    cell.setSelectedFont(font);
    cell.setRowHeight(30);
    cell.setFindString("an");
    auto target = std::make_shared<ItemAndRangeRecord>();
    target->uniqueId = ann->uniqueId();
    target->labelIndex = 1;
    target->range = {0, 2};
    cell.setFindTarget(target);
    cell.updatePopupAndText();

    QImage image(500, 30, QImage::Format_ARGB32);
    const auto paint = [&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        cell.paint(&painter, image.rect(), Qt::black, nullptr);
    };
    paint();
    const QFontMetrics metrics(font);
    // The top line of the text's line box, above every glyph.
    const int y = (30 - metrics.height()) / 2 + 1;
    const QList<int> orange = columnsOf(image, FindMarks::hitColor(), y);
    const QList<int> gray = columnsOf(image, FindMarks::matchColor(), y);
    ASSERT_FALSE(orange.isEmpty());
    ASSERT_FALSE(gray.isEmpty());
    EXPECT_NEAR(orange.last() - orange.first() + 1, metrics.horizontalAdvance("An"), 2);
    EXPECT_NEAR(gray.first() - orange.first(), metrics.horizontalAdvance("Anna "), 2);
    EXPECT_NEAR(gray.last() - orange.first() + 1, metrics.horizontalAdvance("Anna and HAN"), 2);

    cell.setPerson(bo);
    cell.updatePopupAndText();
    paint();
    EXPECT_TRUE(columnsOf(image, FindMarks::hitColor(), y).isEmpty());
    EXPECT_NEAR(columnsOf(image, FindMarks::matchColor(), y).first(), orange.first(), 1);
}

} // namespace
