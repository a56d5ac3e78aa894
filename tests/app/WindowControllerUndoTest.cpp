#include "app/WindowController.h"

#include "platform/UndoManager.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A value of the window changed through an undoable edit, as the window's
// controllers change contact data.
class EditedText {
public:
    explicit EditedText(WindowController &window)
        : m_window(window)
    {
    }

    void replace(const QString &text)
    {
        const QString old = m_text;
        m_window.undoManager()->registerUndo(this, [this, old]() { replace(old); });
        m_text = text;
        if (!m_window.undoManager()->isUndoing() && !m_window.undoManager()->isRedoing())
            m_window.setWindowModified(true);
    }

    [[nodiscard]] QString text() const { return m_text; }

private:
    WindowController &m_window;
    QString m_text = u"Yamada"_s;
};

// Shows the window and makes it the active one, so that its shortcuts work.
void showActive(WindowController &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Opens the Edit menu from the menu bar, as a user would, and closes it.
void openEditMenu(WindowController &window)
{
    const auto menus = window.menuBar()->actions();
    const auto edit
        = std::find_if(menus.cbegin(), menus.cend(), [](QAction *action) { return action->text() == u"Edit"_s; });
    ASSERT_NE(edit, menus.cend());
    QMenu *menu = (*edit)->menu();
    menu->popup(window.geometry().center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->close();
}

} // namespace

TEST(WindowControllerUndo, ShortcutsAndMenuUndoAndRedoAndTheEditedMarkFollowsWhatIsLeftToUndo)
{
    WindowController window;
    showActive(window);
    EditedText name(window);
    name.replace(u"Tanaka"_s);
    window.undoManager()->setActionName(u"Typing"_s);
    QCoreApplication::processEvents();
    openEditMenu(window);
    EXPECT_TRUE(window.undoAction()->isEnabled());
    EXPECT_FALSE(window.redoAction()->isEnabled());
    EXPECT_EQ(window.undoAction()->text(), u"Undo Typing"_s);

    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name.text(), u"Yamada"_s);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(window.undoAction()->isEnabled());
    EXPECT_TRUE(window.redoAction()->isEnabled());
    EXPECT_EQ(window.redoAction()->text(), u"Redo Typing"_s);

    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(name.text(), u"Tanaka"_s);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_TRUE(window.undoAction()->isEnabled());
    EXPECT_FALSE(window.redoAction()->isEnabled());

    // Undoing one of two steps from the menu keeps the window edited; with
    // nothing left, the disabled item does nothing.
    name.replace(u"Suzuki"_s);
    QCoreApplication::processEvents();
    openEditMenu(window);
    EXPECT_EQ(window.undoAction()->text(), u"Undo"_s);
    window.undoAction()->trigger();
    EXPECT_EQ(name.text(), u"Tanaka"_s);
    EXPECT_TRUE(window.isWindowModified());
    window.undoAction()->trigger();
    EXPECT_EQ(name.text(), u"Yamada"_s);
    EXPECT_FALSE(window.isWindowModified());
    window.undoAction()->trigger();
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name.text(), u"Yamada"_s);
}
