#include "TableEditingFixture.h"

#include "common/KeysTypedAhead.h"
#include "common/Screenshot.h"
#include "editors/SimpleInfoPanelController.h"
#include "editors/SimpleInfoTableModel.h"
#include "interchange/widgets/QRCodePanelController.h"
#include "model/HagakiLayoutString.h"
#include "table/workspace/WorkspaceUrls.h"

#include "common/OpenedUrls.h"
#include "app/ContactMenuCommands.h"
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

class ContactCommands : public TableEditingTest {
protected:
    ContactCommands()
        : TableEditingTest(40)
    {
    }

    // Rows selected by clicks, the first plain and the others with Ctrl.
    void selectByClicks(const QList<int> &rows)
    {
        for (qsizetype each = 0; each < rows.size(); ++each) {
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, each == 0 ? Qt::NoModifier : Qt::ControlModifier,
                textPoint(FieldId::Company, rows.at(each)));
        }
        endTurn();
    }
    // The rows of the contact with the most rows, at least `count` of them.
    [[nodiscard]] QList<int> rowsOfOneContact(int count) const
    {
        for (int first : firstRows()) {
            QList<int> rows{first};
            while (first + rows.size() < rowCount() && row(first + int(rows.size()))->labelIndex > 0)
                rows.append(first + int(rows.size()));
            if (rows.size() >= count)
                return rows.mid(0, count);
        }
        return {};
    }
    [[nodiscard]] int contactCount() const { return int(mainView().contactTable()->size()); }
    [[nodiscard]] int shownContactCount() const { return int(firstRows().size()); }
    [[nodiscard]] QAction *contactMenuItem(const QString &name) const { return window().findChild<QAction *>(name); }
    void pressCtrlZ()
    {
        endTurn();
        QApplication::setActiveWindow(&window());
        QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
        endTurn();
    }
    [[nodiscard]] SimpleInfoPanelController *sheet() const
    {
        return table().contactCommands()->simpleInfoPanelController();
    }
    // Types into a row of the sheet's table and presses Return.
    void typeInSheet(int sheetRow, const QString &text)
    {
        QTableView *sheetTable = sheet()->tableView();
        const QPoint centre = sheetTable->visualRect(sheetTable->model()->index(sheetRow, 1)).center();
        QTest::mouseClick(sheetTable->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(sheetTable->viewport(), Qt::LeftButton, {}, centre);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        endTurn();
    }
};

// The sheet's rows: last name, first name, joint names, company, postal
// code, prefecture, city, street, note.
constexpr int sheetCompanyRow = 3;
constexpr int sheetCityRow = 6;
constexpr int sheetStreetRow = 7;

// --- Duplicate ---------------------------------------------------------------------

TEST_F(ContactCommands, DuplicateMakesOneCopyPerContactAndOneUndoRemovesThemAll)
{
    const QList<int> three = rowsOfOneContact(3);
    ASSERT_EQ(three.size(), 3);
    const int before = contactCount();
    selectByClicks(three);
    rightClickAndChoose(FieldId::Name, three.first(), u"Duplicate Contact"_s);
    EXPECT_EQ(contactCount(), before + 1);
    EXPECT_TRUE(window().isWindowModified());

    // Two contacts, several rows each: two copies, one Ctrl+Z takes both.
    const QList<int> firsts = firstRows();
    selectByClicks({firsts.at(0), firsts.at(0) + 1});
    // The right-clicked row counts with the selected ones.
    rightClickAndChoose(FieldId::Name, firsts.at(2), u"Duplicate Contact"_s);
    EXPECT_EQ(contactCount(), before + 3);
    pressCtrlZ();
    EXPECT_EQ(shownContactCount(), before + 1);
    pressCtrlZ();
    EXPECT_EQ(shownContactCount(), before);
}

TEST_F(ContactCommands, ACopyKeepsJointNamesAndTheLayoutOfItsSecondAddress)
{
    // A contact with two addresses, each with a layout of its own; the first
    // address then deleted leaves the second numbered 1.
    const int index = firstRows().first();
    MVPerson &source = person(index);
    LabeledValueRecord address;
    address.label = u"home"_s;
    address.address->street = u"1-2-3 Ginza"_s;
    LabeledValueRecord work = address;
    work.label = u"work"_s;
    work.address->street = u"4-5-6 Umeda"_s;
    source.setValue(
        LabeledValueList{std::make_shared<LabeledValueRecord>(address), std::make_shared<LabeledValueRecord>(work)},
        FieldId::Address);
    const qint64 second = source.addressValues()->at(1)->labelIndex;
    source.replaceLabeledValueAtLabelIndex(u"1;"_s, FieldId::HagakiLayout, source.addressValues()->at(0)->labelIndex);
    source.replaceLabeledValueAtLabelIndex(u"5;"_s, FieldId::HagakiLayout, second);
    source.deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Address, source.addressValues()->at(0)->labelIndex);
    source.setValue(u"花子\n次郎"_s, FieldId::Renmei);
    const QString secondLayout = HagakiLayoutString::fromLayout(*source.hagakiLayoutForLabelIndex(second));
    const UniqueId sourceId = row(index)->uniqueId;
    table().updateTable();
    endTurn();

    const int shown = int(table().subContactTable().indexOf(row(index)));
    selectByClicks({index});
    rightClickAndChoose(FieldId::Name, index, u"Duplicate Contact"_s);

    MVPersonPtr copy;
    for (const ContactRecordPtr &contact : *mainView().contactTable()) {
        if (contact->isNew && contact->uniqueId != sourceId)
            copy = contact->person;
    }
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->valueForIdentifier(FieldId::Renmei), PersonValue(u"花子\n次郎"_s));
    ASSERT_EQ(copy->addressValues()->size(), 1);
    const HagakiLayoutRecordPtr layout = copy->hagakiLayoutForLabelIndex(copy->addressValues()->first()->labelIndex);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(HagakiLayoutString::fromLayout(*layout), secondLayout);
    EXPECT_GE(shown, 0);
}

// --- Delete ----------------------------------------------------------------------------

struct DeleteRow {
    int clicked;
    int selectedAfter;
};

class DeleteContactSelection : public ContactCommands, public testing::WithParamInterface<DeleteRow> { };

TEST_P(DeleteContactSelection, SelectsTheRowAboveTheFirstDeleted)
{
    const DeleteRow &param = GetParam();
    const int before = shownContactCount();
    const UniqueId deleted = row(param.clicked)->uniqueId;
    selectByClicks({param.clicked});
    rightClickAndChoose(FieldId::Name, param.clicked, u"Delete Contact"_s);
    EXPECT_EQ(table().selectedRowIndexes(), QList<int>{param.selectedAfter});
    EXPECT_EQ(shownContactCount(), before - 1);
    for (const SubContactRecordPtr &shownRow : table().subContactTable())
        EXPECT_NE(shownRow->uniqueId, deleted);
    EXPECT_TRUE(window().isWindowModified());
    pressCtrlZ();
    EXPECT_EQ(shownContactCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteContactSelection, testing::Values(DeleteRow{5, 4}, DeleteRow{1, 0}));

TEST_F(ContactCommands, DuplicateAndDeleteDoNothingLockedOrWithoutAClickedCell)
{
    const int before = contactCount();
    selectByClicks({2});
    table().setClickedCell(-1, -1);
    table().contactCommands()->duplicateContact();
    table().contactCommands()->deleteContact();
    table().setClickedCell(column(FieldId::Company), 2);
    mainView().setEditState(false);
    table().contactCommands()->duplicateContact();
    table().contactCommands()->deleteContact();
    endTurn();
    EXPECT_EQ(contactCount(), before);
    EXPECT_EQ(shownContactCount(), int(firstRows().size()));
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(ContactCommands, ShowQRCodeOpensTheWindowsPanelOnTheSelectedContact)
{
    const int index = firstRows().at(2);
    selectByClicks({index});
    table().setClickedCell(column(FieldId::Company), index);
    table().contactCommands()->showQRCode();
    QRCodePanelController *panel = window().contactCommands()->qrCodePanelController();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    ASSERT_NE(panel->contact(), nullptr);
    EXPECT_EQ(panel->contact()->uniqueId, row(index)->uniqueId);
    panel->close();
}

// --- The simple sheet ------------------------------------------------------------------

TEST_F(ContactCommands, ShowSimpleInfoWithoutARowDoesNothingAndAChangeIsOneStep)
{
    table().selectRowIndexes({});
    endTurn();
    contactMenuItem(u"showContact"_s)->trigger();
    EXPECT_TRUE(sheet() == nullptr || !sheet()->isVisible());

    const int index = firstRows().at(1);
    selectByClicks({index});
    const MVPersonPtr shown = row(index)->person;
    shown->setValue(u"花子"_s, FieldId::Renmei);
    const PersonValue before = shown->valueForIdentifier(FieldId::Company);
    QAction *show = contactMenuItem(u"showContact"_s);
    window().validateMenus();
    ASSERT_TRUE(show->isEnabled());
    show->trigger();
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));
    EXPECT_EQ(sheet()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet()->parentWidget(), &window());
    EXPECT_EQ(sheet()->selectedFont(), table().selectedFont());
    typeInSheet(sheetCompanyRow, u"Sheet Company"_s);
    Screenshot::grab(sheet(), u"sheet"_s);
    QTest::mouseClick(sheet()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(shown->valueForIdentifier(FieldId::Company), PersonValue(u"Sheet Company"_s));
    // The joint names the sheet showed and left alone stay.
    EXPECT_EQ(shown->valueForIdentifier(FieldId::Renmei), PersonValue(u"花子"_s));
    EXPECT_TRUE(window().isWindowModified());
    pressCtrlZ();
    EXPECT_EQ(shown->valueForIdentifier(FieldId::Company), before);
    EXPECT_FALSE(undoManager().canUndo());
}

// Show Simple Info on each row of a contact with one address and three
// phones: the rows below its address hold none of their own.
class SimpleInfoSheetAddress : public ContactCommands, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        ContactCommands::SetUp();
        if (HasFatalFailure())
            return;
        m_first = firstRows().at(1);
        MVPerson &shown = person(m_first);
        LabeledValueRecord address;
        address.label = u"home"_s;
        address.address->city = u"京都市"_s;
        address.address->street = u"寺町488"_s;
        shown.setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address)}, FieldId::Address);
        LabeledValueList phones;
        for (const QString &number : {u"090-1111-1111"_s, u"075-222-2222"_s, u"06-3333-3333"_s}) {
            auto phone = std::make_shared<LabeledValueRecord>();
            phone->label = u"mobile"_s;
            phone->value = number;
            phones.append(phone);
        }
        shown.setValue(phones, FieldId::Phone);
        table().updateTable();
        endTurn();
    }

    [[nodiscard]] QString sheetShows(int sheetRow) const
    {
        return sheet()->table()->index(sheetRow, SimpleInfoTableModel::ValueColumn).data().toString();
    }
    void sheetKey(Qt::KeyboardModifiers modifiers) const
    {
        sheet()->tableView()->setFocus();
        QTest::keyClick(sheet()->tableView(), Qt::Key_Z, modifiers);
    }
    // Each address as "city|street".
    [[nodiscard]] static QStringList addresses(MVPerson &person)
    {
        QStringList shown;
        for (const LabeledValueRecordPtr &address : *person.addressValues())
            shown.append(address->address->city + u'|' + address->address->street);
        return shown;
    }

    int m_first = 0;
};

TEST_P(SimpleInfoSheetAddress, PartsTypedEditOneAddressWhichOneUndoRemoves)
{
    const int position = GetParam();
    const int index = m_first + position;
    ASSERT_EQ(row(index)->labelIndex, position);
    selectByClicks({index});
    contactMenuItem(u"showContact"_s)->trigger();
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));

    typeInSheet(sheetCityRow, u"八尾市"_s);
    typeInSheet(sheetStreetRow, u"上新町2-3-20"_s);
    EXPECT_EQ(sheetShows(sheetCityRow), u"八尾市"_s);
    EXPECT_EQ(sheetShows(sheetStreetRow), u"上新町2-3-20"_s);
    const QStringList edited = position == 0 ? QStringList{u"八尾市|上新町2-3-20"_s}
                                             : QStringList{u"京都市|寺町488"_s, u"八尾市|上新町2-3-20"_s};
    MVPerson &copy = *sheet()->table()->contact()->person;
    EXPECT_EQ(addresses(copy), edited);

    // The street's step, then the step that made or changed the address.
    sheetKey(Qt::ControlModifier);
    sheetKey(Qt::ControlModifier);
    EXPECT_EQ(addresses(copy), QStringList{u"京都市|寺町488"_s});
    EXPECT_EQ(sheetShows(sheetCityRow), position == 0 ? u"京都市"_s : QString());
    sheetKey(Qt::ControlModifier | Qt::ShiftModifier);
    sheetKey(Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(addresses(copy), edited);

    QTest::mouseClick(sheet()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(addresses(person(m_first)), edited);
}

INSTANTIATE_TEST_SUITE_P(Positions, SimpleInfoSheetAddress, testing::Values(0, 1, 2));

TEST_F(ContactCommands, ASheetEndingAfterAnUndoRemovedItsContactChangesNothing)
{
    const int index = firstRows().at(1);
    selectByClicks({index});
    table().setClickedCell(column(FieldId::Company), index);
    table().contactCommands()->duplicateContact();
    endTurn();
    // The copy's row is selected after the add.
    const SubContactRecordPtr copyRow = row(table().selectedRow());
    ASSERT_TRUE(copyRow->person->created());
    contactMenuItem(u"showContact"_s)->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));
    mainView().undo();
    endTurn();
    typeInSheet(sheetCompanyRow, u"Too Late"_s);
    QTest::mouseClick(sheet()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_NE(copyRow->person->valueForIdentifier(FieldId::Company), PersonValue(u"Too Late"_s));
    EXPECT_FALSE(undoManager().canUndo());
}

TEST_F(ContactCommands, AddNewContactAddsARowToTheShownGroupAndASecondCallCloses)
{
    const int before = shownContactCount();
    QAction *add = contactMenuItem(u"addContact"_s);
    window().validateMenus();
    ASSERT_TRUE(add->isEnabled());
    add->trigger();
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));
    // The table's font follows to the open sheet.
    QFont larger = table().selectedFont();
    larger.setPointSize(18);
    table().setSelectedFont(larger);
    EXPECT_EQ(sheet()->selectedFont(), larger);
    typeInSheet(sheetCompanyRow, u"New Company"_s);
    QTest::mouseClick(sheet()->doneButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(shownContactCount(), before + 1);
    bool found = false;
    for (const SubContactRecordPtr &shownRow : table().subContactTable())
        found = found || shownRow->person->valueForIdentifier(FieldId::Company) == PersonValue(u"New Company"_s);
    EXPECT_TRUE(found);
    pressCtrlZ();
    EXPECT_EQ(shownContactCount(), before);

    // Open, then the command again: the sheet closes and nothing is added.
    add->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));
    typeInSheet(sheetCompanyRow, u"Dropped"_s);
    add->trigger();
    endTurn();
    EXPECT_FALSE(sheet()->isVisible());
    EXPECT_EQ(shownContactCount(), before);

    // Locked, neither command is offered.
    mainView().setEditState(false);
    window().validateMenus();
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(contactMenuItem(u"showContact"_s)->isEnabled());
}

// A Return typed twice at once reaches the sheet again after it closed: the
// sheet answers once, one contact is added.
TEST_F(ContactCommands, AddNewContactAnsweredByTwoReturnsTypedAheadAddsOneContact)
{
    const int before = shownContactCount();
    contactMenuItem(u"addContact"_s)->trigger();
    ASSERT_NE(sheet(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet()));
    typeInSheet(sheetCompanyRow, u"Typed Twice"_s);
    QApplication::setActiveWindow(sheet());
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet()));
    sheet()->doneButton()->setFocus();
    typeAhead(sheet()->windowHandle(), Qt::Key_Return, 2);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !sheet()->isVisible(); }));
    endTurn();
    EXPECT_EQ(shownContactCount(), before + 1);
}

// --- Workspace actions ------------------------------------------------------------------

struct WorkspaceRow {
    const char *name;
    ContactIdentifier column;
    QString text; // set as the clicked row's value first
    QString itemKey;
    QStringList schemes; // the handlers the desktop has
    QString opened; // empty: nothing opened
};

class TableWorkspaceCommands : public ContactCommands, public testing::WithParamInterface<WorkspaceRow> { };

TEST_P(TableWorkspaceCommands, TheClickedCellsValueReachesTheDesktop)
{
    const WorkspaceRow &param = GetParam();
    showColumns({param.column});
    const int index = firstRows().first();
    if (param.column == FieldId::Address) {
        LabeledValueRecord address;
        address.label = u"home"_s;
        address.address->street = param.text;
        person(index).setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address)}, FieldId::Address);
    } else if (param.column != FieldId::Birthday) {
        LabeledValueRecord value;
        value.label = u"home"_s;
        value.value = param.text;
        person(index).setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(value)}, param.column);
    }
    table().updateTable();
    endTurn();
    const QString shownText = param.column == FieldId::Birthday
        ? QString()
        : person(index).labeledValueForIdentifierAtIndex(param.column, 0)->stringValue;
    OpenedUrls desktop(param.schemes);
    table().setClickedCell(column(param.column), index);
    table().contactCommands()->doWorkspaceAction(param.itemKey);
    QString expected = param.opened;
    expected.replace(u"%TEXT%"_s, WorkspaceUrls::percentEncoded(shownText));
    // The desktop sees the address fully encoded.
    expected = QUrl(expected).toString(QUrl::FullyEncoded);
    EXPECT_EQ(desktop.urls, expected.isEmpty() ? QStringList() : QStringList{expected});
}

const QStringList allSchemes{u"tel"_s, u"mailto"_s, u"http"_s, u"https"_s, u"maps"_s, u"ical"_s};

INSTANTIATE_TEST_SUITE_P(Rows, TableWorkspaceCommands,
    testing::Values(
        WorkspaceRow{"Phone", FieldId::Phone, u"(03) 1234-5678"_s, u"Call Phone"_s, allSchemes, u"tel:031234-5678"_s},
        WorkspaceRow{
            "Intl", FieldId::Phone, u"+81-3-1234-5678"_s, u"Call Phone"_s, allSchemes, u"tel:+81-3-1234-5678"_s},
        WorkspaceRow{"Mail", FieldId::Email, u"a@b.jp"_s, u"Send Email"_s, allSchemes, u"mailto:a%40b.jp"_s},
        WorkspaceRow{"Web", FieldId::URL, u"a.example"_s, u"Open URL"_s, allSchemes, u"http://a.example"_s},
        WorkspaceRow{"WebMap", FieldId::Address, u"東京"_s, u"Open Google Map"_s, allSchemes,
            WorkspaceUrls::webMapSearchEndpoint + u"%TEXT%"_s},
        WorkspaceRow{"NoMapsHandler", FieldId::Address, u"東京"_s, u"Open Apple Map"_s, {u"https"_s},
            WorkspaceUrls::webMapSearchEndpoint + u"%TEXT%"_s},
        WorkspaceRow{"Calendar", FieldId::Birthday, {}, u"Open Calendar"_s, allSchemes, u"ical://"_s},
        WorkspaceRow{"EmptyPhone", FieldId::Phone, {}, u"Call Phone"_s, allSchemes, {}}),
    [](const testing::TestParamInfo<WorkspaceRow> &info) { return std::string(info.param.name); });

} // namespace
