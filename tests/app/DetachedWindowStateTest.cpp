// A window dragged off a contact's popover shows what the address-book
// window holds of its contact: its title is the contact's name, marked edited
// exactly while the address-book window is, and it goes away with a contact
// deleted from the window, which an Undo brings back.
#include "ContactViewFixture.h"

#include "detail/ContactDetailPane.h"

#include <QLineEdit>
#include <QPointer>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace {

class DetachedWindowState : public ContactViewTest {
protected:
    // The title the window system shows: "[*]" made "*" or nothing.
    static QString shownTitle(const ContactInfoView &view)
    {
        const QWindow *handle = view.window()->windowHandle();
        return handle ? handle->title() : QString();
    }
    // The company typed into the view's row and entered with Return.
    static void typeCompany(ContactInfoView &view, const QString &text)
    {
        QPlainTextEdit *editor = retypeRow(view, rowIn(view, FieldId::Company), text);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        endTurn();
    }
    // A key typed into the address-book window's table.
    void typeInTable(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        activateMainWindow();
        QTest::keyClick(view(), key, modifiers);
        endTurn();
    }
};

TEST_F(DetachedWindowState, TheTitleIsTheShownNameMarkedEditedAsTheAddressBookWindowIs)
{
    // A person, whose name is not the company typed below.
    int index = -1;
    for (const int each : firstRows()) {
        if (person(each).showAsPerson() && index < 0)
            index = each;
    }
    ASSERT_GE(index, 0);
    const QPointer<ContactInfoPopover> detached = openDetached(index);
    ASSERT_TRUE(detached);
    const QString name = detached->contact()->person->compositeName();
    EXPECT_EQ(shownTitle(*detached), name);

    typeCompany(*detached, u"Titled Co."_s);
    EXPECT_EQ(shownTitle(*detached), name + u'*');
    ASSERT_TRUE(save());
    ASSERT_TRUE(detached);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(shownTitle(*detached), name);

    // Undone back to where it was saved, with the address-book window's Undo.
    typeCompany(*detached, u"Undone Co."_s);
    EXPECT_EQ(shownTitle(*detached), name + u'*');
    typeInTable(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(shownTitle(*detached), name);

    typeCompany(*detached, u"Reverted Co."_s);
    EXPECT_EQ(shownTitle(*detached), name + u'*');
    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    m_app.delegate().revertAddressBookToSaved(nullptr);
    ASSERT_TRUE(m_app.waitForHandOver());
    endTurn();
    ASSERT_TRUE(detached);
    EXPECT_FALSE(window().isWindowModified());
    EXPECT_EQ(shownTitle(*detached), name);

    // The name edited in the window, then undone there.
    QPlainTextEdit *editor = retypeRow(*detached, rowIn(*detached, FieldId::Name, u"FirstName"_s), u"Zelda"_s);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    const QString renamed = detached->contact()->person->compositeName();
    ASSERT_TRUE(renamed.contains(u"Zelda"_s)) << qPrintable(renamed);
    EXPECT_EQ(shownTitle(*detached), renamed + u'*');
    QTest::keyClick(detached, Qt::Key_Z, Qt::ControlModifier);
    endTurn();
    EXPECT_EQ(shownTitle(*detached), name);
    EXPECT_FALSE(window().isWindowModified());
    detached->window()->close();
    endTurn();
}

// Nothing typed into the window of a deleted contact could be saved: the
// window closes with the delete, and again with its Redo.
TEST_F(DetachedWindowState, ADeletedContactsWindowClosesAndUndoBringsTheContactBack)
{
    const UniqueId deletedId = row(firstRows().at(2))->uniqueId;
    QPointer<ContactInfoPopover> detached = openDetached(firstRows().at(2));
    ASSERT_TRUE(detached);

    deleteContact(deletedId);
    ASSERT_EQ(firstRowOf(deletedId), -1);
    EXPECT_TRUE(QTest::qWaitFor([&detached] { return !detached || !detached->isVisible(); }));
    EXPECT_TRUE(table().detachedWindows().isEmpty());

    typeInTable(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_GE(firstRowOf(deletedId), 0);
    detached = openDetached(firstRowOf(deletedId));
    ASSERT_TRUE(detached);
    typeInTable(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(firstRowOf(deletedId), -1);
    EXPECT_TRUE(QTest::qWaitFor([&detached] { return !detached || !detached->isVisible(); }));
    EXPECT_TRUE(table().detachedWindows().isEmpty());

    // The contact's popover goes with it too.
    typeInTable(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_NE(openPopover(firstRowOf(deletedId)), nullptr);
    deleteContact(deletedId);
    EXPECT_EQ(table().contactInfoPopoverPane(), nullptr);
    typeInTable(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_GE(firstRowOf(deletedId), 0);
    EXPECT_FALSE(window().isWindowModified());
}

// A name typed in the address-book window's detail pane is the name the
// contact's own window shows, in its title (its edited mark aside) and its
// header.
TEST_F(DetachedWindowState, FollowsANameTypedInTheDetailPane)
{
    if (!mainView().contactInfoVisible())
        window().toggleContactInfo();
    const int index = firstRows().at(1);
    const UniqueId id = row(index)->uniqueId;
    click(FieldId::Phone, index);
    endTurn();
    auto &pane = *dynamic_cast<ContactInfoView *>(mainView().contactInfoController());
    ASSERT_TRUE(pane.contact());
    ASSERT_EQ(pane.contact()->uniqueId, id);
    const QPointer<ContactInfoPopover> detached = openDetached(index);
    ASSERT_TRUE(detached);
    activateMainWindow();

    // The name grows at its end, so that the row keeps its place in the sort.
    const QString given = person(index).nameValue()->firstName + u"ny"_s;
    QPlainTextEdit *editor = retypeRow(pane, rowIn(pane, FieldId::Name, u"FirstName"_s), given);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    ASSERT_EQ(firstRowOf(id), index);
    const QString renamed = person(index).compositeName();
    ASSERT_TRUE(renamed.contains(given)) << qPrintable(renamed);
    EXPECT_EQ(detached->contactNameField()->text(), renamed);
    EXPECT_EQ(shownTitle(*detached).remove(u'*'), renamed);
    detached->window()->close();
    endTurn();
}

} // namespace
