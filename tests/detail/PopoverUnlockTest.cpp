// A contact view of a window that cannot be unlocked stays locked, whatever
// its opener passed on.
#include "DetailTestSupport.h"

#include "detail/DetachedWindow.h"
#include "editors/EditLockToggle.h"
#include "editors/SeparatorBox.h"

using namespace DetailTest;

namespace {

class PopoverUnlock : public PaneTest {
protected:
    // A detached window's view, set up as the table sets it up: editing on.
    DetachedWindow *openDetached()
    {
        auto *view = new ContactInfoPopover(m_defaults.get());
        view->setDelegate(&m_controller);
        view->setMyUndoManager(m_window.undoManager());
        view->setContact(fullContact());
        view->setEditState(true);
        auto *window = new DetachedWindow(view);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
};

TEST_F(PopoverUnlock, AViewOfAWindowThatCannotBeUnlockedOpensLockedWithoutEdit)
{
    m_controller.enableEditButton(false);
    DetachedWindow *window = openDetached();
    ContactInfoPopover &view = *window->contactInfoPopover();
    EXPECT_FALSE(view.editState());
    EXPECT_FALSE(view.editButton()->isEnabled());
    EXPECT_EQ(view.editButton()->text(), QStringLiteral("Edit"));

    QTest::mouseClick(view.editButton(), Qt::LeftButton);
    EXPECT_FALSE(view.editState());
    window->close();
}

} // namespace
