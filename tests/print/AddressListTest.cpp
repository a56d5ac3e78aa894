#include "ListTestContacts.h"
#include "PdfWords.h"

#include "print/AddressListFlow.h"
#include "print/AddressListText.h"
#include "print/PrintOptionValue.h"
#include "print/UndrawnContacts.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace PdfWords;
using namespace ListTestContacts;
using namespace PrintOptionsKey;
using namespace Qt::Literals::StringLiterals;

namespace {

void setListOption(HagakiView &view, const QString &key, const QVariant &value)
{
    QVariantMap list = view.printOptions()->value(AddressList).toMap();
    list.insert(key, value);
    view.printOptions()->insert(AddressList, list);
}

// The texts of the glyphs of the list in paint order, rebuilt per line.
QStringList glyphLines(const DrawList &drawn)
{
    QStringList lines;
    double baseline = -1;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        if (glyph.anchor.y() != baseline)
            lines.append(QString());
        baseline = glyph.anchor.y();
        lines.last() += u'*';
    }
    return lines;
}

struct ItemRow {
    const char *name;
    const char *type;
    QStringList labels;
    Contact contact;
    const char *text;
    // The receiver's row of this item alone: the name line and the item's.
    qsizetype rowLines;
};

class AddressListItem : public testing::TestWithParam<ItemRow> { };

TEST_P(AddressListItem, HeadingThenValuesAndItsLineCount)
{
    const ItemRow &row = GetParam();
    auto view = letterView(PrintStyleName::addressList);
    const PrintContactRecordPtr contact = receiver(row.contact);
    const QString type = QString::fromUtf8(row.type);
    const AddressListText text(AddressListPages(view->document()).addressListFont());
    EXPECT_EQ(text.item(*contact, type, row.labels, 20).text(), QString::fromUtf8(row.text));
    EXPECT_EQ(text.row(*contact, {type}, row.labels).lineCount(), row.rowLines);
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressListItem,
    testing::Values(ItemRow{"PhonesAllLabels", "Phone", {u"All"_s},
                        {.family = u"A"_s, .phones = {u"mobile:1"_s, u"work:2"_s}}, "Phone: mobile: 1\nwork: 2\n", 3},
        ItemRow{"NoSelectedLabel", "Phone", {u"home"_s}, {.family = u"A"_s, .phones = {u"mobile:1"_s}}, "Phone: \n", 2},
        ItemRow{"NoPhones", "Phone", {u"All"_s}, {.family = u"A"_s}, "Phone: \n", 2},
        ItemRow{"TwoLineNote", "Note", {u"All"_s}, {.family = u"A"_s, .note = u"one\ntwo"_s}, "Note: one\ntwo\n", 3},
        ItemRow{"NoValue", "Job Title", {u"All"_s}, {.family = u"A"_s}, "Job Title: ", 2}),
    [](const testing::TestParamInfo<ItemRow> &info) { return std::string(info.param.name); });

TEST(AddressListText, LaterValuesAndNoteLinesStandUnderTheFirstAndLabelsAreGrey)
{
    auto view = letterView(PrintStyleName::addressList);
    const PrintContactRecordPtr contact
        = receiver({.family = u"A"_s, .phones = {u"mobile:1"_s, u"work:2"_s}, .note = u"one\ntwo"_s});
    const AddressListText text(AddressListPages(view->document()).addressListFont());
    const QList<ListRowText::Line> phones = text.item(*contact, u"Phone"_s, {u"All"_s}, 20).lines();
    ASSERT_EQ(phones.size(), 3);
    EXPECT_EQ(phones.at(0).indent, 20);
    EXPECT_GT(phones.at(1).indent, 40);
    EXPECT_EQ(phones.at(0).labelWords, (QList<std::pair<qsizetype, qsizetype>>{{7, 7}}));
    EXPECT_EQ(phones.at(1).labelWords, (QList<std::pair<qsizetype, qsizetype>>{{0, 5}}));
    const QList<ListRowText::Line> note = text.item(*contact, u"Note"_s, {u"All"_s}, 20).lines();
    ASSERT_EQ(note.size(), 3);
    EXPECT_EQ(note.at(0).indent, 20);
    EXPECT_GT(note.at(1).indent, 40);
    EXPECT_TRUE(note.at(1).labelWords.isEmpty());
}

TEST(AddressListDrawing, ShadingFollowsTheReceiversPlaceAcrossPages)
{
    auto view = letterView(PrintStyleName::addressList, {u"Name"_s, u"Phone"_s});
    setListOption(*view, AlternatingRow, true);
    setListOption(*view, PrintFrame, true);
    view->printOptions()->insert(FontSize, 12.7);
    view->setReceiverPersons(numberedReceivers(40));
    EXPECT_EQ(AddressListPages(view->document()).addressListFont().pointSize(), 12);
    const int pages = view->document().pageCount();
    ASSERT_EQ(pages, 2);
    const AddressListPages list(view->document());
    AddressListFlow &flow = list.addressListFlow();
    const QList<AddressListFlow::Piece> second = flow.piecesOfPage(1);
    ASSERT_FALSE(second.isEmpty());
    // Every row is the name and a phone: two lines, never the "Name" item.
    EXPECT_EQ(flow.rowText(0).lineCount(), 2);
    const DrawList drawn = view->document().page(2);
    bool shaded = false;
    int rules = 0;
    for (const DrawItem &item : drawn.items()) {
        if (const auto *fill = std::get_if<FilledRect>(&item); fill && fill->color != QColor(Qt::white))
            shaded = shaded || fill->rect.top() == second.first().y;
        if (const auto *stroke = std::get_if<StrokedPath>(&item)) {
            EXPECT_EQ(stroke->pen.widthF(), 1);
            ++rules;
        }
    }
    EXPECT_EQ(shaded, second.first().receiver % 2 == 1);
    EXPECT_EQ(rules, second.size());
    // Label pages with their wider frames drawn first change nothing.
    auto labels = letterView(PrintStyleName::labels);
    labels->setReceiverPersons(numberedReceivers(1));
    (void)labels->document().page(1);
    EXPECT_EQ(glyphLines(view->document().page(2)), glyphLines(drawn));
}

TEST(AddressListPrinting, SixtyReceiversEachOnceInOrderOnEveryCountedPage)
{
    auto view = letterView(PrintStyleName::addressList, {u"Phone"_s, u"Email"_s, u"Note"_s});
    view->setReceiverPersons(numberedReceivers(60, u"first line\nsecond line"_s));
    const QList<Page> pages = pdfWords(printThroughJob(*view, u"address-list.pdf"_s));
    ASSERT_GT(pages.size(), 1);
    QStringList names;
    // Page 1 is the list's start.
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        EXPECT_FALSE(page->isEmpty());
        for (const Word &word : *page) {
            if (word.text.startsWith(u"Family"_s))
                names.append(word.text);
        }
    }
    ASSERT_EQ(names.size(), 60);
    for (int index = 0; index < 60; ++index)
        EXPECT_EQ(names.at(index), u"Family%1"_s.arg(index + 1, 4, 10, QChar(u'0')));
}

TEST(AddressListPrinting, ATwoHundredLineNoteStartsOnTheFirstPageAndLosesNoLine)
{
    QStringList lines;
    for (int line = 1; line <= 200; ++line)
        lines.append(u"line%1"_s.arg(line));
    auto view = letterView(PrintStyleName::addressList, {u"Note"_s});
    view->setReceiverPersons(
        {receiver({.family = u"Tall"_s, .note = lines.join(u'\n')}), receiver({.family = u"Next"_s})});
    const QList<Page> pages = pdfWords(printThroughJob(*view, u"address-list-tall.pdf"_s));
    ASSERT_GT(pages.size(), 2);
    EXPECT_TRUE(holds(pages.first(), u"Tall"_s));
    QStringList printed;
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        EXPECT_FALSE(page->isEmpty());
        for (const Word &word : *page) {
            if (word.text.startsWith(u"line"_s))
                printed.append(word.text);
        }
    }
    EXPECT_EQ(printed, lines);
    EXPECT_TRUE(holds(pages.last(), u"Next"_s));
}

TEST(AddressListPrinting, PreviewOfAListPage)
{
    auto view = letterView(PrintStyleName::addressList, {u"Phone"_s, u"Email"_s, u"Note"_s});
    setListOption(*view, AlternatingRow, true);
    setListOption(*view, PrintFrame, true);
    view->setReceiverPersons(numberedReceivers(30, u"first line\nsecond line"_s));
    const QImage page = previewImage(*view, u"AddressListPrinting.PreviewOfAListPage"_s);
    EXPECT_FALSE(page.isNull());
}

struct UncoveredRow {
    const char *name;
    Contact contact;
    const char *drawn; // every character of it is set
};

class UncoveredListLetters : public testing::TestWithParam<UncoveredRow> { };

// A letter no installed face covers prints as the missing-glyph box of the
// list's face, as on a postcard; the digits and kanji beside it keep their
// own glyphs, and nothing is reported as undrawable.
TEST_P(UncoveredListLetters, PrintAsBoxesBesideTheOtherCharacters)
{
    const UncoveredRow &row = GetParam();
    auto view = letterView(PrintStyleName::addressList, {u"Address"_s});
    view->setReceiverPersons({receiver(row.contact)});
    UndrawnContacts undrawn;
    const DrawList drawn = view->document().page(1, &undrawn);
    QString characters;
    for (const PlacedGlyph &glyph : drawn.glyphs()) {
        const QString text = QString::fromUcs4(&glyph.character, 1);
        characters += text;
        if (glyph.character >= u'0' && glyph.character <= u'9') {
            EXPECT_EQ(glyph.glyph, glyph.font.glyphIndexesForString(text).value(0)) << text.toStdString();
        }
    }
    for (const QChar character : QString::fromUtf8(row.drawn))
        EXPECT_TRUE(characters.contains(character)) << QString(character).toStdString();
    EXPECT_FALSE(drawn.isIncomplete());
    EXPECT_TRUE(undrawn.isEmpty());
    const QList<Page> pages
        = pdfWords(printToPdf(*view, u"UncoveredListLetters-%1.pdf"_s.arg(QString::fromUtf8(row.name))));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(holds(pages.first(), u"Alex"_s));
}

INSTANTIATE_TEST_SUITE_P(Rows, UncoveredListLetters,
    testing::Values(UncoveredRow{"DigitBesideDevanagari", Contact{.family = u"0क"_s}, "0क"},
        UncoveredRow{"Tamil", Contact{.family = u"க"_s}, "க"},
        UncoveredRow{"MixedWithKanji", Contact{.family = u"山田क"_s, .street = u"ਅ1-2 丸の内"_s}, "山田कਅ12丸内"}),
    [](const testing::TestParamInfo<UncoveredRow> &info) { return std::string(info.param.name); });

// A font the list cannot be set in (one sized in pixels has no point size):
// each row is drawn with the mark that its text is missing, so that the
// print names its contact.
TEST(AddressListDrawing, RowsWhoseTextCannotBeDrawnAreNamedAfterTheirPiece)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(14);
    AddressListFlow flow(numberedReceivers(3), {.font = font, .items = {u"Phone"_s}, .labels = {u"All"_s}},
        {.content = QRectF(36, 36, 540, 720), .paperHeight = 792});
    DrawList drawn;
    QList<qsizetype> incomplete;
    flow.drawPage(0, QRectF(0, 0, 612, 792), drawn, [&](qsizetype receiver) {
        if (drawn.takeIncomplete())
            incomplete.append(receiver);
    });
    EXPECT_EQ(incomplete, QList<qsizetype>({0, 1, 2}));
    EXPECT_TRUE(drawn.glyphs().isEmpty());
}

} // namespace
