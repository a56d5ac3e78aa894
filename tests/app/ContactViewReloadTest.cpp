// A contact's popover and the windows dragged off from it show the window's
// records as a reload leaves them: what is typed there after a save reaches
// the store, a contact the store no longer holds takes its window away, and
// an editor that Tab opened stays open when the edit moved the contact's rows.
#include "ContactViewFixture.h"

#include "common/Screenshot.h"

#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace {

class ContactViewReload : public ContactViewTest {
protected:
    // The company typed over in the view's row and Ctrl+S typed into its
    // editor; true once the store holds it.
    bool saveCompanyWithCtrlS(ContactInfoView &view, const QString &company)
    {
        const UniqueId uniqueId = view.contact()->uniqueId;
        QPlainTextEdit *editor = retypeRow(view, rowIn(view, FieldId::Company), company);
        if (!editor)
            return false;
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        endTurn();
        return QTest::qWaitFor([&] { return storedString(m_book, uniqueId, FieldId::Company) == company; }, 3000);
    }
};

TEST_F(ContactViewReload, WhatIsTypedInADetachedWindowAfterASaveIsStoredByTheNext)
{
    const QList<int> starts = firstRows();
    const UniqueId detachedId = row(starts[0])->uniqueId;
    const QPointer<ContactInfoPopover> detached = openDetached(starts[0]);
    ASSERT_TRUE(detached);
    EXPECT_EQ(detached->contact()->uniqueId, detachedId);

    // Another contact, selected and edited in its cell, is saved.
    activateMainWindow();
    table().selectRowIndexes({starts[1]});
    doubleClick(FieldId::Company, starts[1]);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClicks(cellEditor(), u" Renamed"_s);
    QTest::keyClick(cellEditor(), Qt::Key_Return);
    endTurn();
    ASSERT_TRUE(window().isWindowModified());
    ASSERT_TRUE(save());

    QPlainTextEdit *editor = retypeRow(*detached, rowIn(*detached, FieldId::Company), u"Detached 61 Co."_s);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    endTurn();
    Screenshot::grab(detached->window(), u"detachedAfterSave"_s);
    ASSERT_TRUE(window().isWindowModified());
    ASSERT_TRUE(save());
    EXPECT_EQ(storedString(m_book, detachedId, FieldId::Company), u"Detached 61 Co."_s);
    EXPECT_FALSE(window().isWindowModified());
    detached->window()->close();
    endTurn();
}

// The window dragged off a row takes the File menu's Ctrl+S as the window it
// came from does, and what is still typed in its row is what is saved.
TEST_F(ContactViewReload, CtrlSInADetachedWindowSavesTheTextStillTypedThere)
{
    const QList<int> starts = firstRows();
    const UniqueId detachedId = row(starts[0])->uniqueId;
    const QPointer<ContactInfoPopover> detached = openDetached(starts[0]);
    ASSERT_TRUE(detached);
    ASSERT_FALSE(window().isWindowModified());

    EXPECT_TRUE(saveCompanyWithCtrlS(*detached, u"Saved From Afar Co."_s));
    EXPECT_FALSE(window().isWindowModified());
    ASSERT_TRUE(detached);
    EXPECT_EQ(detached->contact()->uniqueId, detachedId);
    detached->window()->close();
    endTurn();
}

// The popover beside a row is a window of its own too.
TEST_F(ContactViewReload, CtrlSInTheContactPopoverSavesTheTextStillTypedThere)
{
    ContactInfoPopover *popover = openPopover(firstRows().first());
    ASSERT_NE(popover, nullptr);
    ASSERT_FALSE(window().isWindowModified());
    EXPECT_TRUE(saveCompanyWithCtrlS(*popover, u"Saved Beside Co."_s));
    EXPECT_FALSE(window().isWindowModified());
    closePopover();
}

TEST_F(ContactViewReload, AContactTheStoreNoLongerHoldsClosesItsDetachedWindow)
{
    const QList<int> starts = firstRows();
    const UniqueId goneId = row(starts[2])->uniqueId;
    const QPointer<ContactInfoPopover> detached = openDetached(starts[2]);
    ASSERT_TRUE(detached);

    // The contact deleted from the window's top group, and saved.
    deleteContact(goneId);
    ASSERT_TRUE(save());
    ASSERT_EQ(firstRowOf(goneId), -1);
    EXPECT_TRUE(QTest::qWaitFor([&detached] { return !detached || !detached->isVisible(); }));
    EXPECT_TRUE(table().detachedWindows().isEmpty());

    // The contact's next popover shows again once a row shows it.
    doubleClick(FieldId::Name, firstRows().first());
    endTurn();
    EXPECT_NE(table().contactInfoPopoverPane(), nullptr);
    closePopover();
}

TEST_F(ContactViewReload, AnEditThatMovesTheContactKeepsTheEditorTabOpenedInThePopover)
{
    // The first person read in Latin letters, whose first name leads its
    // sort key: a name from the end of the alphabet moves it down.
    int index = -1;
    for (const int each : firstRows()) {
        if (person(each).showAsPerson() && person(each).phoneticName().isEmpty()) {
            index = each;
            break;
        }
    }
    ASSERT_GE(index, 0);
    const UniqueId moved = row(index)->uniqueId;
    ContactInfoPopover *popover = openPopover(index);
    ASSERT_NE(popover, nullptr);
    const int firstName = rowIn(*popover, FieldId::Name, u"FirstName"_s);
    ASSERT_GE(firstName, 0);
    const InfoRowRecord next = popover->infoModel()->rowAt(popover->infoModel()->nextEditableRow(firstName));

    QPlainTextEdit *editor = retypeRow(*popover, firstName, u"Zeke"_s);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    endTurn();
    ASSERT_NE(firstRowOf(moved), index) << "the edit moves the contact's rows";
    ASSERT_EQ(table().contactInfoPopoverPane(), popover);

    // The editor of the next row is still open and has the focus.
    auto *open = qobject_cast<QPlainTextEdit *>(QApplication::focusWidget());
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(popover->isAncestorOf(open));
    Screenshot::grab(table().popover(), u"tabAfterMove"_s);
    QTest::keyClicks(open, u"Kept"_s);
    QTest::keyClick(open, Qt::Key_Return);
    endTurn();
    int shown = -1;
    for (int each = 0; each < popover->infoModel()->rowCount() && shown < 0; ++each) {
        const InfoRowRecord &record = popover->infoModel()->rowAt(each);
        if (record.type == next.type && record.label == next.label && record.labelIndex == next.labelIndex)
            shown = each;
    }
    ASSERT_GE(shown, 0);
    EXPECT_EQ(popover->infoModel()->valueText(shown), u"Kept"_s);
    EXPECT_EQ(person(firstRowOf(moved)).nameValue()->firstName, u"Zeke"_s);
    closePopover();
}

} // namespace
