// Value editors left open as the window saves, closes, quits or reverts: a
// save ends them as their Done would, so that what was typed in them is
// stored and no editor hands a result to the records the reload replaced; a
// revert ends them as their Cancel would.
#include "TableEditingFixture.h"

#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoRowCommands.h"
#include "detail/ContactInfoView.h"
#include "detail/ValueEditorHandOff.h"
#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/MultiValueTableModel.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTableMenu.h"

#include <QLineEdit>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace {

QString streetOf(MVPerson &person, qint64 labelIndex)
{
    const LabeledValueRecordPtr address = person.labeledValueForIdentifierAtLabelIndex(FieldId::Address, labelIndex);
    return address ? address->addressParts().street : u"(none)"_s;
}

// Where the address editor is opened from.
enum class Host { Table, DetailPane, ContactPopover, DetachedWindow };

class EditorsOverSave : public TableEditingTest {
protected:
    void SetUp() override
    {
        TableEditingTest::SetUp();
        m_first = firstRows().first();
        m_id = row(m_first)->uniqueId;
    }

    // An edit before the editor opens, so that the window has something to
    // save whatever the editor does.
    void editJointNames()
    {
        ASSERT_TRUE(mainView().undoReplaceValue(u"Hanako"_s, FieldId::Renmei, row(m_first)));
        endTurn();
        ASSERT_TRUE(window().isWindowModified());
    }

    AddressViewController *openAddressEditor(Host host)
    {
        switch (host) {
        case Host::Table:
            table().selectRowIndexes({m_first});
            doubleClick(FieldId::Address, m_first);
            endTurn();
            return qobject_cast<AddressViewController *>(editor());
        case Host::DetailPane:
            if (!mainView().contactInfoVisible())
                window().toggleContactInfo();
            table().selectRowIndexes({m_first});
            endTurn();
            return openAddressEditorIn(dynamic_cast<ContactInfoView *>(mainView().contactInfoController()));
        case Host::ContactPopover:
            doubleClick(FieldId::Name, m_first);
            endTurn();
            return openAddressEditorIn(dynamic_cast<ContactInfoView *>(table().contactInfoPopoverPane()));
        case Host::DetachedWindow:
            return openAddressEditorIn(detach());
        }
        return nullptr;
    }

    // After an edit, the birthday editor of the first row.
    DateViewController *openBirthdayEditor()
    {
        showColumns({FieldId::Company, FieldId::Birthday});
        editJointNames();
        table().selectRowIndexes({m_first});
        doubleClick(FieldId::Birthday, m_first);
        endTurn();
        return qobject_cast<DateViewController *>(editor());
    }

    // The contact popover of the first row torn off into a window.
    ContactInfoView *detach()
    {
        doubleClick(FieldId::Name, m_first);
        endTurn();
        Popover *popover = table().popover();
        QWidget *detached = popover ? table().detachableWindowForPopover(popover) : nullptr;
        if (!detached)
            return nullptr;
        detached->show();
        popover->close();
        endTurn();
        QApplication::setActiveWindow(detached);
        const QList<ContactInfoPopoverPane *> windows = table().detachedWindows();
        return windows.isEmpty() ? nullptr : dynamic_cast<ContactInfoView *>(windows.first());
    }

    AddressViewController *openAddressEditorIn(ContactInfoView *view)
    {
        return qobject_cast<AddressViewController *>(openEditorIn(view, FieldId::Address));
    }

    // The value editor a double-click opens on the field's first row.
    static ValueEditor *openEditorIn(ContactInfoView *view, const ContactIdentifier &type)
    {
        if (!view)
            return nullptr;
        for (int each = 0; each < view->infoModel()->rowCount(); ++each) {
            if (view->infoModel()->rowAt(each).type != type)
                continue;
            const QRect cell = view->visualRect(view->infoModel()->index(each, ContactInfoTableModel::ValueColumn));
            // As the window system delivers it: a click, then a press that is
            // also a double click.
            QWidget *viewport = view->viewport();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, cell.center());
            QTest::mousePress(viewport, Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell.center());
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell.center());
            endTurn();
            return view->rowCommands()->handOff().editor();
        }
        return nullptr;
    }

    static void retype(QLineEdit *field, const QString &text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }

    // Ctrl+S typed where the keyboard is.
    void pressCtrlS(QWidget *where)
    {
        QTest::keyClick(where, Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(m_app.waitForHandOver());
        endTurn();
    }

    [[nodiscard]] MVPersonPtr stored() const { return storedPerson(m_book, m_id); }

    int m_first = 0;
    UniqueId m_id;
};

class AddressEditorOverSave : public EditorsOverSave, public testing::WithParamInterface<Host> { };

TEST_P(AddressEditorOverSave, StoresTheTypedStreetAndLeavesNoEditorOpen)
{
    editJointNames();
    const QPointer<AddressViewController> address = openAddressEditor(GetParam());
    ASSERT_TRUE(address);
    const qint64 labelIndex = address->labeledValue()->labelIndex;
    retype(address->streetField(), u"Typed Street 12"_s);
    // The table's and the detail pane's editors lie over the address-book
    // window, where Ctrl+S reaches its Save; the others are saved from the
    // menu.
    if (GetParam() == Host::Table || GetParam() == Host::DetailPane) {
        pressCtrlS(address->streetField());
    } else {
        m_app.delegate().saveAction()->trigger();
        ASSERT_TRUE(m_app.waitForHandOver());
        endTurn();
    }

    EXPECT_FALSE(address && address->isVisible());
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_FALSE(undoManager().canUndo());
    const MVPersonPtr saved = stored();
    ASSERT_TRUE(saved);
    EXPECT_EQ(streetOf(*saved, labelIndex), u"Typed Street 12"_s);
    EXPECT_EQ(saved->stringValues()->value(FieldId::Renmei), u"Hanako"_s);
    // The reloaded rows show it, and a second save keeps it.
    EXPECT_EQ(streetOf(person(m_first), labelIndex), u"Typed Street 12"_s);
    m_app.delegate().saveAddressBook(nullptr);
    endTurn();
    EXPECT_EQ(streetOf(*stored(), labelIndex), u"Typed Street 12"_s);
}

std::string hostName(const testing::TestParamInfo<Host> &info)
{
    static const char *const names[] = {"Table", "DetailPane", "ContactPopover", "DetachedWindow"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Hosts, AddressEditorOverSave,
    testing::Values(Host::Table, Host::DetailPane, Host::ContactPopover, Host::DetachedWindow), hostName);

TEST_F(EditorsOverSave, CtrlSStoresTheNameTypedInTheNameEditor)
{
    editJointNames();
    rightClickAndChoose(FieldId::Name, m_first, ContactTableMenu::Key::OpenNamePanel);
    auto *name = qobject_cast<NameViewController *>(editor());
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(name->isEditing());
    retype(name->firstNameField(), u"Typedfirst"_s);
    pressCtrlS(name->firstNameField());

    EXPECT_EQ(editor(), nullptr);
    EXPECT_FALSE(window().isWindowModified());
    const MVPersonPtr saved = stored();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->nameValue()->firstName, u"Typedfirst"_s);
}

TEST_F(EditorsOverSave, CtrlSStoresTheBirthdayTypedInTheDateEditor)
{
    DateViewController *date = openBirthdayEditor();
    ASSERT_NE(date, nullptr);
    ASSERT_TRUE(date->isEditing());
    // Typed, not entered with Return: Done enters it.
    retype(date->dateField(), u"2001.2.3"_s);
    pressCtrlS(date->dateField());

    EXPECT_EQ(editor(), nullptr);
    const MVPersonPtr saved = stored();
    ASSERT_TRUE(saved && saved->birthdayValue() && saved->birthdayValue()->value);
    EXPECT_EQ(saved->birthdayValue()->value->date(), QDate(2001, 2, 3));
}

// The contact popover is a window of its own, over which its value editors
// lie: Ctrl+S and Ctrl+Q typed into them reach Save and Quit as they do over
// the address-book window, ending the editor as its Done would.
TEST_F(EditorsOverSave, CtrlSAndCtrlQTypedInTheContactPopoversEditorsSaveAndQuit)
{
    const QPointer<AddressViewController> address = openAddressEditor(Host::ContactPopover);
    ASSERT_TRUE(address);
    const qint64 labelIndex = address->labeledValue()->labelIndex;
    retype(address->streetField(), u"Popover Street 5"_s);
    pressCtrlS(address->streetField());
    EXPECT_FALSE(address && address->isVisible());
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(streetOf(*stored(), labelIndex), u"Popover Street 5"_s);

    // The birthday's year typed over, then Ctrl+Q: Quit asks about it, and
    // its Save stores it.
    auto *popover = dynamic_cast<ContactInfoView *>(table().contactInfoPopoverPane());
    if (!popover) {
        doubleClick(FieldId::Name, m_first);
        endTurn();
        popover = dynamic_cast<ContactInfoView *>(table().contactInfoPopoverPane());
    }
    const QPointer<DateViewController> date
        = qobject_cast<DateViewController *>(openEditorIn(popover, FieldId::Birthday));
    ASSERT_TRUE(date);
    const QDate before = stored()->birthdayValue()->value->date();
    const QDate typed(before.year() - 7, before.month(), before.day());
    retype(date->dateField(), typed.toString(u"yyyy.M.d"_s));
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    // The offscreen platform binds no key to Quit; a desktop binds Ctrl+Q.
    for (QAction *item : window().fileMenu()->actions()) {
        if (item->menuRole() == QAction::QuitRole && item->shortcut().isEmpty())
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
    QTest::keyClick(date->dateField(), Qt::Key_Q, Qt::ControlModifier);
    endTurn();

    EXPECT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(date && date->isVisible());
    const MVPersonPtr saved = stored();
    ASSERT_TRUE(saved && saved->birthdayValue() && saved->birthdayValue()->value);
    EXPECT_EQ(saved->birthdayValue()->value->date(), typed);
}

// A number still being typed into a cell of the all-values editor is entered
// as its Done enters it.
TEST_F(EditorsOverSave, CtrlSStoresThePhoneTypedInACellOfTheAllValuesEditor)
{
    showColumns({FieldId::Company, FieldId::Phone});
    editJointNames();
    table().selectRowIndexes({m_first});
    doubleClick(FieldId::Phone, m_first, Qt::ControlModifier);
    endTurn();
    auto *values = qobject_cast<MultiValueViewController *>(editor());
    ASSERT_NE(values, nullptr);
    ASSERT_TRUE(values->isEditing());
    const QString number = std::get<QString>(values->table()->rows().first()->value);
    QTableView *rows = values->tableView();
    QModelIndex cell;
    for (int each = 0; each < rows->model()->columnCount() && !cell.isValid(); ++each) {
        if (rows->model()->index(0, each).data().toString() == number)
            cell = rows->model()->index(0, each);
    }
    ASSERT_TRUE(cell.isValid());
    const QPoint point = rows->visualRect(cell).center();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, point);
    auto *typing = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(typing, nullptr);
    typing->selectAll();
    QTest::keyClicks(typing, u"0120-999-999"_s);
    pressCtrlS(typing);

    EXPECT_EQ(editor(), nullptr);
    // Held: a temporary in the loop's range is gone before the loop runs.
    const MVPersonPtr person = this->stored();
    QStringList stored;
    for (const LabeledValueRecordPtr &phone : *person->labeledValues(FieldId::Phone))
        stored.append(std::get<QString>(phone->value));
    EXPECT_TRUE(stored.contains(u"0120-999-999"_s)) << qPrintable(stored.join(u", "_s));
    EXPECT_FALSE(stored.contains(number));
}

// As its Done would, the editor refuses a date that reads as none: it stays
// open and nothing is saved.
TEST_F(EditorsOverSave, ADateThatReadsAsNoneKeepsTheEditorOpenAndSavesNothing)
{
    const BirthdayRecordPtr before = stored()->birthdayValue();
    DateViewController *date = openBirthdayEditor();
    ASSERT_NE(date, nullptr);
    retype(date->dateField(), u"someday"_s);
    QTest::keyClick(date->dateField(), Qt::Key_S, Qt::ControlModifier);
    endTurn();

    EXPECT_EQ(editor(), date);
    EXPECT_TRUE(date->isVisible());
    EXPECT_TRUE(window().isWindowModified());
    EXPECT_EQ(stored()->stringValues()->value(FieldId::Renmei), QString());
    const BirthdayRecordPtr after = stored()->birthdayValue();
    ASSERT_TRUE(before && after);
    EXPECT_EQ(*after, *before);
    closePopover();
}

// Closing and Quit ask about the edits with the editor's result among them.
TEST_F(EditorsOverSave, ClosingTheWindowSavesTheTypedStreet)
{
    editJointNames();
    AddressViewController *address = openAddressEditor(Host::Table);
    ASSERT_NE(address, nullptr);
    const qint64 labelIndex = address->labeledValue()->labelIndex;
    retype(address->streetField(), u"Closing Street 3"_s);
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    for (QAction *item : window().fileMenu()->actions()) {
        if (item->menuRole() == QAction::QuitRole)
            item->trigger();
    }
    endTurn();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(streetOf(*stored(), labelIndex), u"Closing Street 3"_s);
}

// An editor only looked at is no edit: closing asks nothing.
TEST_F(EditorsOverSave, AnEditorOnlyLookedAtLeavesTheWindowUnedited)
{
    ASSERT_NE(openAddressEditor(Host::Table), nullptr);
    window().close();
    endTurn();
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
    EXPECT_FALSE(window().isVisible());
}

TEST_F(EditorsOverSave, RevertLetsTheEditorsTypingGo)
{
    editJointNames();
    const QPointer<AddressViewController> address = openAddressEditor(Host::Table);
    ASSERT_TRUE(address);
    const qint64 labelIndex = address->labeledValue()->labelIndex;
    const QString before = streetOf(person(m_first), labelIndex);
    retype(address->streetField(), u"Reverted Street 9"_s);
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    m_app.delegate().revertAddressBookToSaved(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    endTurn();

    EXPECT_FALSE(address && address->isVisible());
    EXPECT_EQ(editor(), nullptr);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(streetOf(person(m_first), labelIndex), before);
    m_app.delegate().saveAddressBook(nullptr);
    endTurn();
    EXPECT_EQ(streetOf(*stored(), labelIndex), before);
}

} // namespace
