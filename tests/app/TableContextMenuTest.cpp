#include "TableEditingFixture.h"

#include "common/OpenedUrls.h"
#include "common/Screenshot.h"
#include "editors/AddressViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "find/ReplaceAlertPanel.h"
#include "interchange/widgets/QRCodePanelController.h"
#include "platform/widgets/Popover.h"
#include "app/ContactMenuCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

const ContactIdentifier senderColumn = u"Sender"_s;

QStringList valueTexts(MVPerson &person, const ContactIdentifier &field)
{
    QStringList texts;
    if (const LabeledValueListPtr values = person.labeledValues(field)) {
        for (const LabeledValueRecordPtr &value : *values)
            texts.append(value->stringValue);
    }
    return texts;
}

QStringList valueLabels(MVPerson &person, const ContactIdentifier &field)
{
    QStringList labels;
    if (const LabeledValueListPtr values = person.labeledValues(field)) {
        for (const LabeledValueRecordPtr &value : *values)
            labels.append(value->labelText());
    }
    return labels;
}

} // namespace

class TableContextMenu : public TableEditingTest {
protected:
    void SetUp() override
    {
        TableEditingTest::SetUp();
        showColumns({FieldId::Company, FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::City});
    }

    [[nodiscard]] ReplaceAlertPanel *sheet() const
    {
        for (ReplaceAlertPanel *panel : window().findChildren<ReplaceAlertPanel *>()) {
            if (panel->isVisible())
                return panel;
        }
        return nullptr;
    }
    // Types the text into the open sheet and presses OK.
    void answerSheet(const QString &text, const QString &label = {})
    {
        ReplaceAlertPanel *panel = sheet();
        ASSERT_NE(panel, nullptr);
        if (!label.isEmpty()) {
            const int index = panel->labelPopup()->findText(label);
            ASSERT_GE(index, 0);
            panel->labelPopup()->setCurrentIndex(index);
            Q_EMIT panel->labelPopup()->activated(index);
        }
        panel->replaceTextField()->selectAll();
        QTest::keyClicks(panel->replaceTextField(), text);
        QTest::mouseClick(panel->okButton(), Qt::LeftButton);
        endTurn();
    }
    // The rows of the contact shown first with that many phones.
    [[nodiscard]] QList<int> rowsOfContactWithPhones(int count) const
    {
        for (int first : firstRows()) {
            const LabeledValueListPtr phones = person(first).labeledValues(FieldId::Phone);
            if (phones && phones->size() == count)
                return rowsOf(first);
        }
        return {};
    }
    // The first row of a contact with a company and at least three rows.
    [[nodiscard]] int firstRowOfCompanyWithThreeRows() const
    {
        for (int each : firstRows()) {
            if (!person(each).stringValueForIdentifier(FieldId::Company, 0).isEmpty() && rowsOf(each).size() >= 3)
                return each;
        }
        return -1;
    }
    [[nodiscard]] QList<int> rowsOf(int index) const
    {
        QList<int> rows;
        for (int each = 0; each < rowCount(); ++each) {
            if (row(each)->person == row(index)->person)
                rows.append(each);
        }
        return rows;
    }
};

// --- What the menu offers -----------------------------------------------------

struct MenuRow {
    const char *name;
    ContactIdentifier column;
    bool editing;
    ContactIdentifier cleared; // the field emptied first; empty for none
    QString items;
};

class MenuItems : public TableContextMenu, public testing::WithParamInterface<MenuRow> { };

TEST_P(MenuItems, OfferWhatSuitsTheCell)
{
    const MenuRow &param = GetParam();
    if (param.column == senderColumn)
        showColumns({FieldId::Company});
    const int first = firstRows().first();
    if (!param.cleared.isEmpty()) {
        if (param.cleared == FieldId::Company) {
            person(first).setStringValue(std::nullopt, FieldId::Company);
            table().updateTable();
            endTurn();
        } else {
            clearField(first, param.cleared);
        }
    }
    mainView().setEditState(param.editing);
    table().selectRowIndexes({first});
    rightClick(param.column, first);
    EXPECT_EQ(items(), param.items);
    if (param.items.isEmpty()) {
        EXPECT_EQ(menu(), nullptr);
        EXPECT_EQ(table().clickedRow(), -1);
    } else {
        EXPECT_EQ(table().clickedRow(), first);
        EXPECT_EQ(table().clickedColumn(), column(param.column));
        menu()->close();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MenuItems,
    testing::Values(
        MenuRow{"PhoneEditing", FieldId::Phone, true, {},
            u"Call Phone|-|Open Edit Panel|Replace Label and Text|Add Item|Delete Item|-|Replace Text|Prepend Text|Append Text"_s},
        MenuRow{"PhoneLocked", FieldId::Phone, false, {},
            u"Call Phone|-|Open Edit Panel|!Replace Label and Text|!Add Item|!Delete Item|-|!Replace Text|!Prepend Text|!Append Text"_s},
        MenuRow{
            "PhoneWithoutNumber", FieldId::Phone, true, FieldId::Phone, u"!Call Phone|Open Edit Panel|-|Add Item"_s},
        MenuRow{"EmailEditing", FieldId::Email, true, {},
            u"Send Email|-|Open Edit Panel|Add Item|Replace Label and Text|Delete Item|-|Replace Text|Prepend Text|Append Text"_s},
        MenuRow{"AddressWithoutAddress", FieldId::Address, true, FieldId::Address,
            u"!Open Map|!Open Google Map|-|!Open Address Panel|Add/Delete Address Item|Add Item"_s},
        MenuRow{"CityLocked", FieldId::City, false, {},
            u"Open Address Panel|-|!Replace Text|!Prepend Text|!Append Text|-|!Delete Item|!Add Item"_s},
        MenuRow{"NameLocked", FieldId::Name, false, {},
            u"Open Name Panel|Show Contact Info|Show QRCode|-|!Delete Contact|!Duplicate Contact"_s},
        MenuRow{"CompanyWithout", FieldId::Company, true, FieldId::Company, u"Replace Text"_s},
        MenuRow{"Sender", senderColumn, true, {}, QString()}),
    [](const auto &info) { return std::string(info.param.name); });

// Locked, the items that only read a value still work.
struct ReadingRow {
    const char *name;
    ContactIdentifier column;
    QString key;
    QString scheme;
};

class ReadingItems : public TableContextMenu, public testing::WithParamInterface<ReadingRow> { };

TEST_P(ReadingItems, WorkWhileLocked)
{
    const ReadingRow &param = GetParam();
    OpenedUrls desktop({u"tel"_s, u"mailto"_s, u"http"_s, u"https"_s, u"maps"_s, u"ical"_s});
    mainView().setEditState(false);
    const int first = firstRows().first();
    table().selectRowIndexes({first});
    rightClickAndChoose(param.column, first, param.key);
    ASSERT_EQ(desktop.urls.size(), 1);
    EXPECT_TRUE(desktop.urls.first().startsWith(param.scheme + u':')) << qPrintable(desktop.urls.first());
    EXPECT_EQ(table().clickedRow(), -1);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadingItems,
    testing::Values(ReadingRow{"CallPhone", FieldId::Phone, u"Call Phone"_s, u"tel"_s},
        ReadingRow{"SendEmail", FieldId::Email, u"Send Email"_s, u"mailto"_s},
        ReadingRow{"OpenMap", FieldId::Address, u"Open Map"_s, u"maps"_s},
        ReadingRow{"OpenGoogleMap", FieldId::Address, u"Open Google Map"_s, u"https"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TableContextMenu, ShowQRCodeOpensTheWindowsPanelWhileLocked)
{
    mainView().setEditState(false);
    const int first = firstRows().first();
    table().selectRowIndexes({first});
    rightClickAndChoose(FieldId::Name, first, u"Show QRCode"_s);
    QRCodePanelController *panel = window().contactCommands()->qrCodePanelController();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    panel->close();
}

TEST_F(TableContextMenu, ARightClickKeepsTheSelectionAndTheClickedCellLastsUntilTheMenuCloses)
{
    const QList<int> selected = firstRows().mid(0, 3);
    table().selectRowIndexes(selected);
    const int clicked = firstRows().at(4);
    rightClick(FieldId::Phone, clicked);
    ASSERT_NE(menu(), nullptr);
    EXPECT_EQ(table().selectedRowIndexes(), selected);
    EXPECT_EQ(table().clickedRow(), clicked);
    Screenshot::grab(menu(), u"phone"_s);
    QTest::keyClick(menu(), Qt::Key_Escape);
    endTurn();
    EXPECT_EQ(table().clickedRow(), -1);
    EXPECT_EQ(table().clickedColumn(), -1);
    EXPECT_EQ(table().selectedRowIndexes(), selected);
}

TEST_F(TableContextMenu, TheMenuKeyOpensTheCurrentCellsMenu)
{
    const int current = firstRows().at(2);
    table().selectRowIndexes({current});
    view()->setCurrentIndex(view()->model()->index(current, column(FieldId::Company)));
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1), view()->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(view(), &event);
    ASSERT_NE(menu(), nullptr);
    EXPECT_EQ(table().clickedRow(), current);
    EXPECT_EQ(table().clickedColumn(), column(FieldId::Company));
    menu()->close();
}

// --- Panels -------------------------------------------------------------------------

TEST_F(TableContextMenu, OpenEditPanelOverThreeSelectedAndAClickedFourthAsksAndItsResultIsOneStepInAllFour)
{
    const QList<int> rows = firstRows().mid(0, 4);
    table().selectRowIndexes(rows.mid(0, 3));
    m_alerts.answer = AlertPresenter::SecondButtonReturn;
    rightClickAndChoose(FieldId::Phone, rows[3], u"Open Edit Panel"_s);
    EXPECT_EQ(m_alerts.confirmations, QStringList{u"Do you want to set the same value in the selected rows"_s});
    EXPECT_EQ(editor(), nullptr);

    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    rightClickAndChoose(FieldId::Phone, rows[3], u"Open Edit Panel"_s);
    auto *multi = qobject_cast<MultiValueViewController *>(editor());
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->contextInfo()->contact, row(rows[3]));
    QList<QStringList> before;
    for (int each : rows)
        before.append(valueTexts(person(each), FieldId::Phone));
    QTest::mouseClick(multi->addButton(), Qt::LeftButton);
    QTest::mouseClick(multi->doneButton(), Qt::LeftButton);
    endTurn();
    for (int each : rows)
        EXPECT_TRUE(valueTexts(person(each), FieldId::Phone).contains(u"new"_s));
    undoOnce();
    for (int index = 0; index < rows.size(); ++index)
        EXPECT_EQ(valueTexts(person(rows[index]), FieldId::Phone), before[index]);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(TableContextMenu, LockedThePanelOpensAtOnceForTheClickedRowAlone)
{
    const QList<int> rows = firstRows().mid(0, 3);
    table().selectRowIndexes(rows);
    mainView().setEditState(false);
    rightClickAndChoose(FieldId::Phone, rows[2], u"Open Edit Panel"_s);
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());
    ASSERT_NE(qobject_cast<MultiValueViewController *>(editor()), nullptr);
    EXPECT_EQ(table().popoverRows(), QList<SubContactRecordPtr>{row(rows[2])});
    closePopover();
}

TEST_F(TableContextMenu, OpenNamePanelNeverAsksAndRenamesTheClickedContactOnly)
{
    const QList<int> rows = firstRows().mid(0, 3);
    table().selectRowIndexes(rows);
    MVPerson &clicked = person(rows[2]);
    const QString other0 = person(rows[0]).stringValueForIdentifier(FieldId::Name, 0);
    const QString other1 = person(rows[1]).stringValueForIdentifier(FieldId::Name, 0);
    rightClickAndChoose(FieldId::Name, rows[2], u"Open Name Panel"_s);
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());
    auto *names = qobject_cast<NameViewController *>(editor());
    ASSERT_NE(names, nullptr);
    names->firstNameField()->selectAll();
    QTest::keyClicks(names->firstNameField(), u"Renamed"_s);
    QTest::mouseClick(names->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_TRUE(clicked.stringValueForIdentifier(FieldId::Name, 0).contains(u"Renamed"_s));
    EXPECT_EQ(person(rows[0]).stringValueForIdentifier(FieldId::Name, 0), other0);
    EXPECT_EQ(person(rows[1]).stringValueForIdentifier(FieldId::Name, 0), other1);
}

TEST_F(TableContextMenu, CityOpensTheAddressEditorOnTheValuesOwnNumberAfterAnEarlierAddressWentAway)
{
    const int first = firstRows().first();
    MVPerson &contact = person(first);
    const qint64 kept = contact.labeledValueForIdentifierAtIndex(FieldId::Address, 1)->labelIndex;
    contact.deleteLabeledValueForIdentifierAtLabelIndex(
        FieldId::Address, contact.labeledValueForIdentifierAtIndex(FieldId::Address, 0)->labelIndex);
    table().updateTable();
    endTurn();
    table().selectRowIndexes({first});
    rightClickAndChoose(FieldId::City, first, u"Open Address Panel"_s);
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->contextInfo()->labelIndex, kept);
    EXPECT_NE(kept, 0);
    closePopover();
}

// --- Item commands ------------------------------------------------------------------

TEST_F(TableContextMenu, DeleteItemRemovesExactlyTheSelectedPhonesOfOneContactSortedByEmail)
{
    table().setSortDescriptors({SortDescriptor{FieldId::Email, false}});
    endTurn();
    const QList<int> rows = rowsOfContactWithPhones(3);
    ASSERT_EQ(rows.size(), 3);
    MVPerson &contact = person(rows[0]);
    const QStringList before = valueTexts(contact, FieldId::Phone);
    table().selectRowIndexes(rows);
    rightClickAndChoose(FieldId::Phone, rows[1], u"Delete Item"_s);
    EXPECT_EQ(m_alerts.confirmations,
        QStringList{u"Do you want to delete the item(label and text) in the selected cells in column:Phone ?"_s});
    EXPECT_TRUE(valueTexts(contact, FieldId::Phone).isEmpty());
    EXPECT_TRUE(window().isWindowModified());
    undoOnce();
    EXPECT_EQ(valueTexts(contact, FieldId::Phone), before);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(TableContextMenu, DeleteItemOnACityRemovesTheWholeAddress)
{
    const int first = firstRows().first();
    MVPerson &contact = person(first);
    const QStringList before = valueTexts(contact, FieldId::Address);
    table().selectRowIndexes({first});
    rightClickAndChoose(FieldId::City, first, u"Delete Item"_s);
    EXPECT_EQ(valueTexts(contact, FieldId::Address), before.mid(1));
}

TEST_F(TableContextMenu, ClearTextOverThreeRowsOfOneContactClearsOnceAndUndoesInOneStep)
{
    const int first = firstRowOfCompanyWithThreeRows();
    ASSERT_GE(first, 0);
    const QList<int> rows = rowsOf(first).mid(0, 3);
    MVPerson &contact = person(first);
    const QString company = contact.stringValueForIdentifier(FieldId::Company, 0);
    table().selectRowIndexes(rows);
    rightClickAndChoose(FieldId::Company, rows[2], u"Clear Text"_s);
    EXPECT_TRUE(contact.stringValueForIdentifier(FieldId::Company, 0).isEmpty());
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(table().selectedRowIndexes().size(), 3);
    undoOnce();
    EXPECT_EQ(contact.stringValueForIdentifier(FieldId::Company, 0), company);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(TableContextMenu, ReplaceTextKeepsTheLabelsAndReplaceLabelAndTextSetsTheChosenOne)
{
    const QList<int> rows = firstRows().mid(0, 2);
    table().selectRowIndexes(rows);
    const QString label0 = valueLabels(person(rows[0]), FieldId::Email).first();
    const QString label1 = valueLabels(person(rows[1]), FieldId::Email).first();
    rightClickAndChoose(FieldId::Email, rows[0], u"Replace Text"_s);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(sheet()->replaceTextField()->text(), valueTexts(person(rows[0]), FieldId::Email).first());
    EXPECT_FALSE(sheet()->labelPopup()->isEnabled());
    answerSheet(u"a@example.org"_s);
    EXPECT_EQ(valueTexts(person(rows[0]), FieldId::Email).first(), u"a@example.org"_s);
    EXPECT_EQ(valueTexts(person(rows[1]), FieldId::Email).first(), u"a@example.org"_s);
    EXPECT_EQ(valueLabels(person(rows[0]), FieldId::Email).first(), label0);
    EXPECT_EQ(valueLabels(person(rows[1]), FieldId::Email).first(), label1);

    rightClickAndChoose(FieldId::Email, rows[0], u"Replace Label and Text"_s);
    ASSERT_NE(sheet(), nullptr);
    Screenshot::grab(sheet(), u"replaceLabelAndText"_s);
    answerSheet(u"b@example.org"_s, u"work"_s);
    for (int each : rows) {
        EXPECT_EQ(valueTexts(person(each), FieldId::Email).first(), u"b@example.org"_s);
        EXPECT_EQ(valueLabels(person(each), FieldId::Email).first(), u"work"_s);
    }
    undoOnce();
    EXPECT_EQ(valueTexts(person(rows[1]), FieldId::Email).first(), u"a@example.org"_s);
    EXPECT_EQ(valueLabels(person(rows[1]), FieldId::Email).first(), label1);
}

TEST_F(TableContextMenu, ReplaceTextThatChangesNothingLeavesTheWindowUnmarked)
{
    for (int each : firstRows().mid(0, 3))
        person(each).setStringValue(u"Same"_s, FieldId::Company);
    table().updateTable();
    endTurn();
    // A company's name is its company, so the rows may have moved.
    QList<int> rows;
    for (int each : firstRows()) {
        if (person(each).stringValueForIdentifier(FieldId::Company, 0) == u"Same"_s)
            rows.append(each);
    }
    ASSERT_EQ(rows.size(), 3);
    table().selectRowIndexes(rows);
    rightClickAndChoose(FieldId::Company, rows[0], u"Replace Text"_s);
    answerSheet(u"Same"_s);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_FALSE(undoManager().canUndo());
}

// Answered by Return in its text field and by its OK button, the sheet has
// finished before its replacement runs.
TEST_F(TableContextMenu, TheSheetAnsweredByReturnOrOkStandsUntilItsReplacementRuns)
{
    const int first = firstRows().first();
    table().selectRowIndexes({first});
    for (const bool byReturn : {true, false}) {
        const QString typed = byReturn ? u"return@example.org"_s : u"ok@example.org"_s;
        rightClickAndChoose(FieldId::Email, first, u"Replace Text"_s);
        const QPointer<ReplaceAlertPanel> panel = sheet();
        ASSERT_NE(panel, nullptr);
        panel->replaceTextField()->selectAll();
        QTest::keyClicks(panel->replaceTextField(), typed);
        if (byReturn)
            QTest::keyClick(panel->replaceTextField(), Qt::Key_Return);
        else
            QTest::mouseClick(panel->okButton(), Qt::LeftButton);
        EXPECT_FALSE(panel.isNull());
        EXPECT_NE(valueTexts(person(first), FieldId::Email).first(), typed);
        endTurn();
        EXPECT_EQ(valueTexts(person(first), FieldId::Email).first(), typed);
    }
}

// What is typed as soon as the sheet opens goes into its text field, over
// the text it was filled with.
TEST_F(TableContextMenu, TheSheetOpensWithTheKeyboardInItsTextFieldItsTextSelected)
{
    const int first = firstRows().first();
    table().selectRowIndexes({first});
    const QString email = valueTexts(person(first), FieldId::Email).first();
    rightClickAndChoose(FieldId::Email, first, u"Replace Text"_s);
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
    EXPECT_EQ(sheet()->replaceTextField()->selectedText(), email);
    QTest::keyClick(sheet(), Qt::Key_Escape);
    endTurn();

    rightClickAndChoose(FieldId::Email, first, u"Append Text"_s);
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
    QWidget *keyboard = QApplication::focusWidget();
    ASSERT_NE(keyboard, nullptr);
    QTest::keyClicks(keyboard, u".jp"_s);
    QTest::keyClick(keyboard, Qt::Key_Return);
    endTurn();
    EXPECT_EQ(valueTexts(person(first), FieldId::Email).first(), email + u".jp"_s);
}

TEST_F(TableContextMenu, CancelInTheSheetChangesNothing)
{
    const int first = firstRows().first();
    const QStringList before = valueTexts(person(first), FieldId::Email);
    table().selectRowIndexes({first});
    rightClickAndChoose(FieldId::Email, first, u"Replace Text"_s);
    ASSERT_NE(sheet(), nullptr);
    QTest::keyClicks(sheet()->replaceTextField(), u"x"_s);
    QTest::mouseClick(sheet()->cancelButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(valueTexts(person(first), FieldId::Email), before);
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(TableContextMenu, ARowWhoseContactWentAwayWhileTheSheetWasOpenIsSkipped)
{
    const QList<int> rows = firstRows().mid(0, 2);
    table().selectRowIndexes(rows);
    MVPerson &kept = person(rows[0]);
    MVPerson &gone = person(rows[1]);
    const QStringList goneBefore = valueTexts(gone, FieldId::Email);
    rightClickAndChoose(FieldId::Email, rows[0], u"Replace Text"_s);
    ASSERT_NE(sheet(), nullptr);
    const QList<ContactRecordPtr> contacts = table().selectedContacts();
    ASSERT_EQ(contacts.size(), 2);
    const ContactRecordPtr goneContact = contacts.at(0)->person.get() == &gone ? contacts.at(0) : contacts.at(1);
    mainView().undoDeleteContacts({goneContact}, mainView().selectedGroupDict(), true);
    endTurn();
    answerSheet(u"z@example.org"_s);
    EXPECT_EQ(valueTexts(kept, FieldId::Email).first(), u"z@example.org"_s);
    EXPECT_EQ(valueTexts(gone, FieldId::Email), goneBefore);
}

struct AffixRow {
    const char *name;
    QString key;
    QString expectedFor; // "%1" is the cell's text
};

class Affix : public TableContextMenu, public testing::WithParamInterface<AffixRow> { };

TEST_P(Affix, AddsTheTextOncePerContactWithoutASeparatorAndFillsAnEmptyCell)
{
    const int first = firstRowOfCompanyWithThreeRows();
    ASSERT_GE(first, 0);
    int empty = -1;
    for (int each : firstRows()) {
        if (person(each).stringValueForIdentifier(FieldId::Company, 0).isEmpty()) {
            empty = each;
            break;
        }
    }
    ASSERT_GE(empty, 0);
    const QString company = person(first).stringValueForIdentifier(FieldId::Company, 0);
    QList<int> rows = rowsOf(first).mid(0, 3);
    rows.append(empty);
    table().selectRowIndexes(rows);
    rightClickAndChoose(FieldId::Company, rows[0], GetParam().key);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_TRUE(sheet()->replaceTextField()->text().isEmpty());
    MVPerson &filled = person(first);
    MVPerson &emptied = person(empty);
    answerSheet(u"X"_s);
    EXPECT_EQ(filled.stringValueForIdentifier(FieldId::Company, 0), GetParam().expectedFor.arg(company));
    EXPECT_EQ(emptied.stringValueForIdentifier(FieldId::Company, 0), u"X"_s);
    EXPECT_TRUE(window().isWindowModified());
}

INSTANTIATE_TEST_SUITE_P(Rows, Affix,
    testing::Values(AffixRow{"Prepend", u"Prepend Text"_s, u"X%1"_s}, AffixRow{"Append", u"Append Text"_s, u"%1X"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TableContextMenu, AddItemGivesEachContactOnePlaceholderNumberAndOnAnAddressOpensItsEditor)
{
    const QList<int> starts = firstRows();
    QList<int> rows = rowsOf(starts[0]);
    rows.append(rowsOf(starts[1]));
    const qsizetype phones0 = valueTexts(person(starts[0]), FieldId::Phone).size();
    const qsizetype phones1 = valueTexts(person(starts[1]), FieldId::Phone).size();
    table().selectRowIndexes(rows);
    rightClickAndChoose(FieldId::Phone, rows[0], u"Add Item"_s);
    EXPECT_EQ(valueTexts(person(starts[0]), FieldId::Phone).size(), phones0 + 1);
    EXPECT_EQ(valueTexts(person(starts[1]), FieldId::Phone).size(), phones1 + 1);
    EXPECT_EQ(valueTexts(person(starts[0]), FieldId::Phone).last(), u"123"_s);
    EXPECT_EQ(valueLabels(person(starts[1]), FieldId::Phone).last(), u"home"_s);
    EXPECT_TRUE(m_alerts.confirmations.isEmpty());
    undoOnce();
    EXPECT_EQ(valueTexts(person(starts[0]), FieldId::Phone).size(), phones0);
    EXPECT_EQ(valueTexts(person(starts[1]), FieldId::Phone).size(), phones1);

    rightClickAndChoose(FieldId::Address, starts[0], u"Add Item"_s);
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->contextInfo()->labelIndex, -1);
    closePopover();
}

// --- Under a label filter -----------------------------------------------------------

// The table filtered to "home": the first contact's e-mail and address are
// labelled "other", so its first row shows neither; the second's show.
class FilteredCells : public TableContextMenu {
protected:
    void SetUp() override
    {
        TableContextMenu::SetUp();
        const QList<int> starts = firstRows();
        m_hidden = row(starts[0])->person;
        m_shown = row(starts[1])->person;
        give(*m_hidden, u"other"_s, u"hidden@x.org"_s);
        give(*m_shown, u"home"_s, u"shown@x.org"_s);
        table().setSelectedLabels({u"home"_s});
        table().reload();
        endTurn();
    }
    // One e-mail and one address, both with the label.
    static void give(MVPerson &person, const QString &label, const QString &email)
    {
        auto mail = std::make_shared<LabeledValueRecord>();
        mail->label = label;
        mail->value = email;
        person.setValue(LabeledValueList{mail}, FieldId::Email);
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = label;
        address->setAddressPart(FieldId::City, email.section(u'@', 0, 0));
        person.setValue(LabeledValueList{address}, FieldId::Address);
    }
    [[nodiscard]] int firstRowOf(const MVPersonPtr &person) const
    {
        for (int each = 0; each < rowCount(); ++each) {
            if (row(each)->person == person)
                return each;
        }
        return -1;
    }
    // Selects the rows of both contacts.
    void selectBoth()
    {
        QList<int> rows{firstRowOf(m_hidden), firstRowOf(m_shown)};
        std::sort(rows.begin(), rows.end());
        table().selectRowIndexes(rows);
    }
    void closeMenu()
    {
        if (menu())
            menu()->close();
        endTurn();
    }

    MVPersonPtr m_hidden;
    MVPersonPtr m_shown;
};

// The hidden e-mail's cell offers what an empty one does; a text command
// from a shown cell over both rows changes the shown e-mail alone.
TEST_F(FilteredCells, TextCommandsLeaveTheHiddenValue)
{
    rightClick(FieldId::Email, firstRowOf(m_hidden));
    EXPECT_EQ(items(), u"!Send Email|Open Edit Panel|-|Add Item"_s);
    closeMenu();

    selectBoth();
    rightClickAndChoose(FieldId::Email, firstRowOf(m_shown), u"Append Text"_s);
    answerSheet(u".jpX"_s);
    EXPECT_EQ(valueTexts(*m_shown, FieldId::Email), QStringList{u"shown@x.org.jpX"_s});
    EXPECT_EQ(valueTexts(*m_hidden, FieldId::Email), QStringList{u"hidden@x.org"_s});
}

TEST_F(FilteredCells, DeleteItemLeavesTheHiddenValue)
{
    selectBoth();
    rightClickAndChoose(FieldId::Email, firstRowOf(m_shown), u"Delete Item"_s);
    EXPECT_TRUE(valueTexts(*m_shown, FieldId::Email).isEmpty());
    EXPECT_EQ(valueTexts(*m_hidden, FieldId::Email), QStringList{u"hidden@x.org"_s});
}

// Chosen on the hidden e-mail's cell, the item mails nothing.
TEST_F(FilteredCells, SendEmailMailsOnlyAShownValue)
{
    OpenedUrls desktop({u"mailto"_s});
    rightClickAndChoose(FieldId::Email, firstRowOf(m_hidden), u"Send Email"_s);
    closeMenu();
    EXPECT_TRUE(desktop.urls.isEmpty()) << qPrintable(desktop.urls.join(u' '));
    rightClickAndChoose(FieldId::Email, firstRowOf(m_shown), u"Send Email"_s);
    EXPECT_EQ(desktop.urls, QStringList{u"mailto:shown%40x.org"_s});
}

// Opened from a cell that shows nothing, an editor starts on no value.
TEST_F(FilteredCells, TheEditorsOpenOnNoHiddenValue)
{
    const int hidden = firstRowOf(m_hidden);
    table().selectRowIndexes({hidden});
    rightClickAndChoose(FieldId::City, hidden, u"Open Address Panel"_s);
    auto *address = qobject_cast<AddressViewController *>(editor());
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->contextInfo()->labelIndex, -1);
    closePopover();

    rightClickAndChoose(FieldId::Email, hidden, u"Open Edit Panel"_s);
    auto *multi = qobject_cast<MultiValueViewController *>(editor());
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->contextInfo()->labelIndex, -1);
    closePopover();
    EXPECT_EQ(valueTexts(*m_hidden, FieldId::Email), QStringList{u"hidden@x.org"_s});
}
