// What the user is typing when the window saves, closes, quits, reverts or
// locks: stored where the user meant it to be stored, let go where the
// records it was meant for are replaced, never stored into a locked window.
#include "TableEditingFixture.h"

#include "common/Screenshot.h"
#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoView.h"
#include "editors/SeparatorBox.h"
#include "table/ContactInfoPopoverPane.h"
#include "app/ContactMenuCommands.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class OpenEditor { DetailPane, ContactPopover, TableCell };

class OpenEditors : public TableEditingTest {
protected:
    // The editor of the Company of the row's contact, opened where the user
    // types it.
    QWidget *openCompanyEditor(OpenEditor where, int index)
    {
        switch (where) {
        case OpenEditor::DetailPane:
            return editCompanyInDetailPane(index);
        case OpenEditor::ContactPopover: {
            doubleClick(FieldId::Name, index);
            endTurn();
            auto *popover = dynamic_cast<ContactInfoView *>(table().contactInfoPopoverPane());
            return popover ? editCompanyIn(*popover) : nullptr;
        }
        case OpenEditor::TableCell:
            table().selectRowIndexes({index});
            doubleClick(FieldId::Company, index);
            return cellEditor();
        }
        return nullptr;
    }
    [[nodiscard]] QString storedCompany(const UniqueId &uniqueId) const
    {
        return storedString(m_book, uniqueId, FieldId::Company);
    }
    [[nodiscard]] ContactInfoView &detailPane() const
    {
        return *dynamic_cast<ContactInfoView *>(mainView().contactInfoController());
    }
    // The detail pane shown with the row's contact, the editor of its
    // Company row open: the click selects the row, F2 starts the edit.
    QPlainTextEdit *editCompanyInDetailPane(int index)
    {
        if (!mainView().contactInfoVisible())
            window().toggleContactInfo();
        table().selectRowIndexes({index});
        endTurn();
        return editCompanyIn(detailPane());
    }
    static QPlainTextEdit *editCompanyIn(ContactInfoView &view)
    {
        int company = -1;
        for (int each = 0; each < view.infoModel()->rowCount() && company < 0; ++each) {
            if (view.infoModel()->rowAt(each).type == FieldId::Company)
                company = each;
        }
        if (company < 0)
            return nullptr;
        const QRect cell = view.visualRect(view.infoModel()->index(company, ContactInfoTableModel::ValueColumn));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.topRight() + QPoint(-10, 5));
        QTest::keyClick(&view, Qt::Key_F2);
        return qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
    }
    static void retype(QWidget *editor, const QString &text)
    {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
    }
    [[nodiscard]] SeparatorBox *separator() const { return window().findChild<SeparatorBox *>(u"redSeparator"_s); }
};

// --- Save, close and Quit with the detail pane's editor open ---------------------

enum class Ending { CtrlS, Close, Quit };

class EndingWithDetailEditor : public OpenEditors, public testing::WithParamInterface<Ending> { };

TEST_P(EndingWithDetailEditor, StoresTheTypedValue)
{
    const int first = firstRows().first();
    const UniqueId id = row(first)->uniqueId;
    // Nothing else is pending: the typed value is the window's first edit.
    ASSERT_FALSE(window().isWindowModified());
    QPlainTextEdit *editor = editCompanyInDetailPane(first);
    ASSERT_NE(editor, nullptr);
    retype(editor, u"Typed 2307 Co."_s);
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    switch (GetParam()) {
    case Ending::CtrlS:
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(m_app.waitForHandOver());
        EXPECT_FALSE(window().isWindowModified());
        break;
    case Ending::Close:
        window().close();
        break;
    case Ending::Quit:
        // Its key differs between desktops; the item is what they share.
        for (QAction *item : window().fileMenu()->actions()) {
            if (item->menuRole() == QAction::QuitRole)
                item->trigger();
        }
        break;
    }
    endTurn();
    if (GetParam() != Ending::CtrlS) {
        ASSERT_EQ(m_alerts.alerts.size(), 1) << "closing asks about the typed value";
        EXPECT_FALSE(window().isVisible());
    }
    EXPECT_EQ(storedCompany(id), u"Typed 2307 Co."_s);
}

std::string endingName(const testing::TestParamInfo<Ending> &info)
{
    static const char *const names[] = {"CtrlS", "Close", "Quit"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EndingWithDetailEditor, testing::Values(Ending::CtrlS, Ending::Close, Ending::Quit), endingName);

TEST_F(OpenEditors, SaveStoresWhatIsTypedInTheContactPopover)
{
    const int first = firstRows().first();
    const UniqueId id = row(first)->uniqueId;
    ASSERT_TRUE(mainView().undoReplaceValue(u"Hanako"_s, FieldId::Renmei, row(first)));
    QWidget *editor = openCompanyEditor(OpenEditor::ContactPopover, first);
    ASSERT_NE(editor, nullptr);
    retype(editor, u"Popover 88 Co."_s);
    m_app.delegate().saveAddressBook(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    EXPECT_EQ(storedCompany(id), u"Popover 88 Co."_s);
}

// --- Revert with an editor open ------------------------------------------------------

class RevertWithEditor : public OpenEditors, public testing::WithParamInterface<OpenEditor> { };

TEST_P(RevertWithEditor, LetsTheTypingGoAndTheReloadedRecordsStayUnchanged)
{
    const int first = firstRows().first();
    const UniqueId id = row(first)->uniqueId;
    const QString before = person(first).stringValues()->value(FieldId::Company);
    // The contact popover keeps showing its contact through the reload.
    const QPointer<QWidget> editor = openCompanyEditor(GetParam(), first);
    ASSERT_TRUE(editor);
    retype(editor, u"Reverted 5 Co."_s);
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    m_app.delegate().revertAddressBookToSaved(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    endTurn();
    EXPECT_FALSE(editor && editor->isVisible());
    EXPECT_EQ(editedCell(), QString()) << "no editor opens again on the reloaded rows";
    // An editor still open would store its text with the next Return.
    if (QWidget *focus = QApplication::focusWidget())
        QTest::keyClick(focus, Qt::Key_Return);
    endTurn();

    EXPECT_FALSE(window().isWindowModified());
    EXPECT_FALSE(undoManager().canUndo());
    for (const ContactRecordPtr &each : std::as_const(*mainView().contactTable())) {
        if (each->uniqueId == id) {
            EXPECT_EQ(each->person->stringValues()->value(FieldId::Company), before);
        }
    }
    EXPECT_EQ(storedCompany(id), before);
}

std::string editorName(const testing::TestParamInfo<OpenEditor> &info)
{
    static const char *const names[] = {"DetailPane", "ContactPopover", "TableCell"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Editors, RevertWithEditor,
    testing::Values(OpenEditor::DetailPane, OpenEditor::ContactPopover, OpenEditor::TableCell), editorName);

// --- The lock ----------------------------------------------------------------------------

enum class Locking { EditButton, LayoutMode };

class LockWithEditor : public OpenEditors, public testing::WithParamInterface<std::tuple<Locking, OpenEditor>> { };

TEST_P(LockWithEditor, KeepsWhatWasTypedClosesTheEditorAndStoresNothingAfterwards)
{
    const auto [locking, where] = GetParam();
    const MVPersonPtr edited = row(firstRows().first())->person;
    const QString before = edited->stringValues()->value(FieldId::Company);
    const QPointer<QWidget> editor = openCompanyEditor(where, firstRows().first());
    ASSERT_TRUE(editor);
    retype(editor, u"Before Lock Ltd."_s);
    if (locking == Locking::EditButton)
        window().editButton()->trigger();
    else
        QTest::mouseClick(window().layoutButton(), Qt::LeftButton);
    endTurn();
    ASSERT_FALSE(mainView().editState());
    EXPECT_FALSE(editor && editor->isVisible()) << "the lock closes the editor";
    EXPECT_EQ(editedCell(), QString());
    EXPECT_EQ(edited->stringValues()->value(FieldId::Company), u"Before Lock Ltd."_s);

    // Return, typing and Return again, wherever the keyboard now is.
    const auto focus = [this] { return QApplication::focusWidget() ? QApplication::focusWidget() : view(); };
    QTest::keyClick(focus(), Qt::Key_Return);
    QTest::keyClicks(focus(), u"x"_s);
    QTest::keyClick(focus(), Qt::Key_Return);
    endTurn();
    EXPECT_EQ(edited->stringValues()->value(FieldId::Company), u"Before Lock Ltd."_s);
    // One step only, the one the lock committed.
    undoManager().undo();
    endTurn();
    EXPECT_EQ(edited->stringValues()->value(FieldId::Company), before);
    EXPECT_FALSE(undoManager().canUndo());
}

std::string lockName(const testing::TestParamInfo<std::tuple<Locking, OpenEditor>> &info)
{
    const auto [locking, where] = info.param;
    return std::string(locking == Locking::EditButton ? "EditButton" : "LayoutMode")
        + (where == OpenEditor::TableCell ? "TableCell" : "DetailPane");
}

INSTANTIATE_TEST_SUITE_P(Locks, LockWithEditor,
    testing::Combine(testing::Values(Locking::EditButton, Locking::LayoutMode),
        testing::Values(OpenEditor::TableCell, OpenEditor::DetailPane)),
    lockName);

TEST_F(OpenEditors, ALockedWindowOffersNoUndoRedoOrPhoneFormatAndCtrlZChangesNothing)
{
    // The phone formats act on the rows of a view type that shows phones.
    for (QAction *item : window().itemsPopup()->menu()->actions()) {
        if (item->data().toString() == FieldId::Phone && !item->isChecked())
            item->trigger();
    }
    const SubContactRecordPtr edited = row(firstRows().first());
    table().selectRowIndexes({firstRows().first()});
    ASSERT_TRUE(mainView().undoReplaceValue(u"Step One"_s, FieldId::Company, edited));
    endTurn();
    ASSERT_TRUE(mainView().undoReplaceValue(u"Step Two"_s, FieldId::Company, edited));
    undoOnce();
    window().validateMenus();
    QAction *formats = window().contactCommands()->phoneFormatMenu()->menuAction();
    EXPECT_TRUE(window().undoAction()->isEnabled());
    EXPECT_TRUE(window().redoAction()->isEnabled());
    EXPECT_TRUE(formats->isEnabled());

    window().editButton()->trigger();
    EXPECT_FALSE(window().undoAction()->isEnabled());
    EXPECT_FALSE(window().redoAction()->isEnabled());
    EXPECT_FALSE(formats->isEnabled());
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    endTurn();
    EXPECT_EQ(edited->person->stringValues()->value(FieldId::Company), u"Step One"_s);

    window().editButton()->trigger();
    EXPECT_TRUE(window().undoAction()->isEnabled());
    EXPECT_TRUE(formats->isEnabled());
}

// --- The edit state shown ------------------------------------------------------------

TEST_F(OpenEditors, TheLineUnderTheToolbarIsRedWhileEditingAndGreyedWhenLocked)
{
    SeparatorBox *line = separator();
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_LT(line->mapTo(&window(), QPoint()).y(), view()->mapTo(&window(), QPoint()).y());
    EXPECT_EQ(std::tuple(line->borderWidth(), line->borderColor(), line->fillColor()),
        std::tuple(2.0, QColor(Qt::red), QColor(Qt::red)));
    window().editButton()->trigger();
    Screenshot::grab(&window(), u"locked"_s);
    EXPECT_EQ(std::tuple(line->borderWidth(), line->borderColor(), line->fillColor()),
        std::tuple(2.0, QColor(Qt::gray), QColor(Qt::gray)));
    window().editButton()->trigger();
    EXPECT_EQ(line->fillColor(), QColor(Qt::red));
}

} // namespace
