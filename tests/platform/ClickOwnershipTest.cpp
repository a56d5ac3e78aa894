// The application keeps a click to the window it began in, on plain windows
// fed through the window system's own entry, as a real mouse and pen are.
#include "common/WindowSystemInput.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace {

using WindowSystemInput::mouse;
using WindowSystemInput::penDoubleTap;

// A window that notes the mouse events it gets.
class RecordingWindow : public QWidget {
public:
    QList<QEvent::Type> events;

protected:
    bool event(QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
            events.append(event->type());
            return true;
        default:
            return QWidget::event(event);
        }
    }
};

// The presses an application event filter sees, as a popover's does.
class PressFilter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched->isWindowType()
            && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
            ++presses;
        return false;
    }
};

// A dialog over a window, both at (100, 100); the point pressed lies in both.
class ClickOwnershipTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (RecordingWindow *window : {&m_under, &m_dialog}) {
            window->setGeometry(100, 100, 300, 300);
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        m_time += 10000;
    }

    void click(RecordingWindow &window, QEvent::Type type, int after, QPoint global = {150, 150})
    {
        m_time += after;
        mouse(window.windowHandle(), m_time, type, global);
    }

    static inline ulong m_time = 0;
    RecordingWindow m_under;
    RecordingWindow m_dialog;
};

// The dialog closes on the release of its button; the second press of the
// burst reaches the window under it as a double-click that goes on as a
// drag, and a third press follows: no widget and no filter of that window
// sees any of them. A later click is the window's own.
TEST_F(ClickOwnershipTest, TheRestOfABurstBegunOnAClosedDialogReachesNothingUnderIt)
{
    PressFilter filter;
    qApp->installEventFilter(&filter);
    click(m_dialog, QEvent::MouseButtonPress, 0);
    click(m_dialog, QEvent::MouseButtonRelease, 60);
    m_dialog.hide();
    click(m_under, QEvent::MouseButtonPress, 90);
    click(m_under, QEvent::MouseMove, 20, {200, 260});
    click(m_under, QEvent::MouseButtonRelease, 20, {200, 260});
    click(m_under, QEvent::MouseButtonPress, 150, {151, 151});
    click(m_under, QEvent::MouseButtonRelease, 40, {151, 151});
    qApp->removeEventFilter(&filter);
    EXPECT_EQ(filter.presses, 1);
    EXPECT_EQ(m_under.events, QList<QEvent::Type>());

    click(m_under, QEvent::MouseButtonPress, 1000);
    click(m_under, QEvent::MouseButtonRelease, 50);
    EXPECT_EQ(m_under.events, (QList<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease}));
}

// A tablet press no widget takes comes again as a mouse press: one press,
// and the second tap of a pair is a double-click.
TEST_F(ClickOwnershipTest, APensDoubleTapReachesItsWidgetAsADoubleClick)
{
    m_dialog.hide();
    penDoubleTap(m_under.windowHandle(), m_time, QPointF(150, 150));
    EXPECT_EQ(m_under.events,
        (QList<QEvent::Type>{QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
            QEvent::MouseButtonRelease}));
}

} // namespace
