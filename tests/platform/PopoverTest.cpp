#include "common/LoggedMessages.h"
#include "common/QtPrinting.h"
#include "platform/widgets/Popover.h"
#include "platform/widgets/PopoverDelegate.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

using Edge = Popover::Edge;
using Behavior = Popover::Behavior;

// A window at (100, 100) of 400 × 680 on the 800 × 800 offscreen screen,
// with a button, and the popovers shown from it, each holding a 100 × 50
// content and so 102 × 52 with its border.
class PopoverTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_window.setGeometry(100, 100, 400, 680);
        m_button.setGeometry(300, 10, 80, 30);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // A shown popover holding the content (a plain widget when none).
    Popover *show(QWidget *view, Behavior behavior = Behavior::Semitransient, QWidget *content = nullptr,
        QRect rect = QRect(50, 20, 40, 10), Edge edge = Edge::MaxY)
    {
        auto *popover = new Popover(view->window());
        popover->setBehavior(behavior);
        popover->setContentWidget(content ? content : new QWidget);
        popover->setContentSize(QSize(100, 50));
        QObject::connect(popover, &Popover::didClose, popover, [this](Popover *closed) { m_closed.append(closed); });
        popover->showRelativeToRect(rect, view, edge);
        return popover;
    }

    // Declared first so that it outlives the window: destroying the window
    // closes its shown popovers, which still report to it.
    QList<Popover *> m_closed;
    QWidget m_window;
    QPushButton m_button{QStringLiteral("Press"), &m_window};
};

struct PlacementRow {
    const char *name;
    QRect rect;
    Edge edge;
    QPoint expected;
};

class PopoverPlacement : public PopoverTest, public testing::WithParamInterface<PlacementRow> { };

TEST_P(PopoverPlacement, SitsCentredOnTheEdgeOfTheRectangle)
{
    Popover *popover = show(&m_window, Behavior::Semitransient, nullptr, GetParam().rect, GetParam().edge);
    EXPECT_EQ(popover->geometry(), QRect(GetParam().expected, QSize(102, 52)));
    EXPECT_TRUE(popover->parentWidget() == &m_window && popover->windowFlags().testFlag(Qt::Tool));
}

// The rectangle (50, 20, 40, 10) lies at (150, 120) on the screen.
INSTANTIATE_TEST_SUITE_P(Rows, PopoverPlacement,
    testing::Values(PlacementRow{"Below", QRect(50, 20, 40, 10), Edge::MaxY, QPoint(119, 130)},
        PlacementRow{"Above", QRect(50, 20, 40, 10), Edge::MinY, QPoint(119, 68)},
        PlacementRow{"Right", QRect(50, 20, 40, 10), Edge::MaxX, QPoint(190, 99)},
        PlacementRow{"Left", QRect(50, 20, 40, 10), Edge::MinX, QPoint(48, 99)},
        PlacementRow{"AboveAtTheScreensBottom", QRect(50, 660, 40, 10), Edge::MaxY, QPoint(119, 708)},
        PlacementRow{"RectangleClampedIntoTheView", QRect(500, 20, 40, 10), Edge::MaxY, QPoint(449, 130)}),
    [](const auto &info) { return std::string(info.param.name); });

class PopoverBehavior : public PopoverTest, public testing::WithParamInterface<Behavior> { };

TEST_P(PopoverBehavior, ClickInTheWindowClosesItAndStillPressesTheButton)
{
    Popover *popover = show(&m_window, GetParam());
    QSignalSpy clicked(&m_button, &QPushButton::clicked);
    QTest::mouseClick(&m_button, Qt::LeftButton);
    EXPECT_FALSE(popover->isShown() || popover->isVisible());
    EXPECT_EQ(m_closed, QList<Popover *>{popover});
    EXPECT_EQ(clicked.count(), 1);
}

TEST_P(PopoverBehavior, InactiveApplicationClosesOnlyATransientOne)
{
    Popover *popover = show(&m_window, GetParam());
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &inactive);
    EXPECT_EQ(popover->isShown(), GetParam() != Behavior::Transient);
}

INSTANTIATE_TEST_SUITE_P(Rows, PopoverBehavior, testing::Values(Behavior::Transient, Behavior::Semitransient),
    [](const auto &info) { return info.param == Behavior::Transient ? "Transient" : "Semitransient"; });

TEST_F(PopoverTest, ClicksInTheContentItsComboListAndAButtonsMenuKeepIt)
{
    auto *content = new QWidget;
    auto *combo = new QComboBox(content);
    combo->setGeometry(0, 0, 60, 20);
    combo->addItems({QStringLiteral("one"), QStringLiteral("two")});
    auto *tool = new QToolButton(content);
    tool->setGeometry(0, 25, 30, 20);
    auto *menu = new QMenu(tool);
    QAction *item = menu->addAction(QStringLiteral("Item"));
    tool->setMenu(menu);
    Popover *popover = show(&m_window, Behavior::Transient, content);

    QTest::mouseClick(content, Qt::LeftButton, {}, QPoint(90, 45));
    combo->showPopup();
    auto *list = qobject_cast<QListView *>(combo->view());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    QSignalSpy triggered(item, &QAction::triggered);
    menu->popup(tool->mapToGlobal(QPoint(0, tool->height())));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    EXPECT_EQ(triggered.count(), 1);
    EXPECT_TRUE(popover->isShown() && m_closed.isEmpty());
}

TEST_F(PopoverTest, ClosesOnceWhenTheContentClosesItAndIsReleasedInDidClose)
{
    auto *content = new QWidget;
    auto *done = new QPushButton(QStringLiteral("Done"), content);
    QPointer<Popover> popover = show(&m_window, Behavior::Semitransient, content);
    QObject::connect(done, &QPushButton::clicked, popover, [&popover] { popover->close(); });
    QObject::connect(popover, &Popover::didClose, popover, [](Popover *closed) { closed->deleteLater(); });
    QTest::mouseClick(done, Qt::LeftButton);
    popover->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popover.isNull());
    EXPECT_EQ(m_closed.size(), 1);
}

TEST_F(PopoverTest, NewContentOfAShownPopoverReplacesTheOldWithoutClosing)
{
    QPointer<QWidget> old = new QWidget;
    Popover *popover = show(&m_window, Behavior::Transient, old);
    auto *content = new QWidget;
    content->setMinimumSize(120, 80);
    popover->setContentWidget(content);
    EXPECT_TRUE(old->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(popover->size(), QSize(122, 82));
    EXPECT_TRUE(popover->isShown() && m_closed.isEmpty());
}

TEST_F(PopoverTest, ClosesWhenItsViewsWindowHidesOrTheViewDies)
{
    auto *view = new QWidget(&m_window);
    view->show();
    Popover *fromView = show(view);
    delete view;
    EXPECT_FALSE(fromView->isShown());
    Popover *fromWindow = show(&m_window);
    m_window.hide();
    EXPECT_FALSE(fromWindow->isShown());
    EXPECT_EQ(m_closed, (QList<Popover *>{fromView, fromWindow}));
}

TEST_F(PopoverTest, NestedPopoverClosesAloneOnAClickInItsOpenerAndFirstWhenItsOpenerCloses)
{
    auto *outerContent = new QWidget;
    auto *anchor = new QWidget(outerContent);
    anchor->setGeometry(0, 0, 50, 20);
    auto *innerContent = new QWidget;
    auto *innerButton = new QPushButton(QStringLiteral("Inner"), innerContent);
    Popover *outer = show(&m_window, Behavior::Transient, outerContent);
    Popover *inner = show(anchor, Behavior::Transient, innerContent);
    EXPECT_EQ(inner->parentWidget(), outer);

    QTest::mouseClick(innerButton, Qt::LeftButton);
    EXPECT_TRUE(inner->isShown() && outer->isShown());
    QTest::mouseClick(outerContent, Qt::LeftButton, {}, QPoint(80, 40));
    EXPECT_TRUE(!inner->isShown() && outer->isShown());

    inner->showRelativeToRect(anchor->rect(), anchor, Edge::MaxY);
    outer->close();
    EXPECT_EQ(m_closed, (QList<Popover *>{inner, inner, outer}));
}

TEST_F(PopoverTest, PopoverFromAnApplicationModalDialogTakesClicks)
{
    QDialog dialog(&m_window);
    dialog.setWindowModality(Qt::ApplicationModal);
    auto *opener = new QPushButton(QStringLiteral("Open"), &dialog);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto *content = new QWidget;
    auto *inside = new QPushButton(QStringLiteral("Inside"), content);
    Popover *popover = show(opener, Behavior::Transient, content, opener->rect());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popover));

    QSignalSpy insideClicked(inside, &QPushButton::clicked);
    QSignalSpy blockedClicked(&m_button, &QPushButton::clicked);
    QTest::mouseClick(popover->windowHandle(), Qt::LeftButton, {}, inside->mapTo(popover, inside->rect().center()));
    QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {}, m_button.geometry().center());
    EXPECT_EQ(std::pair(insideClicked.count(), blockedClicked.count()), std::pair(qsizetype(1), qsizetype(0)));
    EXPECT_TRUE(popover->isShown());
}

// Records the detach conversation and what the windows see.
class DetachLog : public QObject, public PopoverDelegate {
public:
    explicit DetachLog(bool answer)
        : m_answer(answer)
    {
        m_window.installEventFilter(this);
    }

    bool popoverShouldDetach(Popover * /*popover*/) override
    {
        lines.append(QStringLiteral("should detach"));
        return m_answer;
    }
    QWidget *detachableWindowForPopover(Popover * /*popover*/) override
    {
        lines.append(QStringLiteral("window"));
        return &m_window;
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == &m_window)
            lines.append(
                QStringLiteral("window shown at %1,%2").arg(m_window.geometry().x()).arg(m_window.geometry().y()));
        else if (event->type() == QEvent::Hide && watched != &m_window)
            lines.append(QStringLiteral("content hidden"));
        return false;
    }

    QStringList lines;

private:
    bool m_answer;
    QWidget m_window;
};

class PopoverDetach : public PopoverTest, public testing::WithParamInterface<bool> { };

TEST_P(PopoverDetach, DraggingWhereNoControlTakesThePressAsksTheDelegate)
{
    DetachLog log(GetParam());
    auto *content = new QWidget;
    content->installEventFilter(&log);
    Popover *popover = show(&m_window, Behavior::Transient, content);
    popover->setDelegate(&log);
    QObject::connect(popover, &Popover::didClose, &log, [&log] { log.lines.append(QStringLiteral("did close")); });
    const QPoint start = popover->pos();

    QTest::mousePress(content, Qt::LeftButton, {}, QPoint(50, 25));
    QMouseEvent drag(QEvent::MouseMove, QPointF(80, 45), QPointF(popover->mapToGlobal(QPoint(80, 45))), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(popover, &drag);

    const QStringList detached{QStringLiteral("should detach"), QStringLiteral("window"),
        QStringLiteral("window shown at %1,%2").arg(start.x()).arg(start.y()), QStringLiteral("content hidden"),
        QStringLiteral("did close")};
    EXPECT_EQ(log.lines, GetParam() ? detached : QStringList{QStringLiteral("should detach")});
    EXPECT_EQ(popover->isShown(), !GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PopoverDetach, testing::Bool(), [](const auto &info) { return info.param ? "Yes" : "No"; });

TEST_F(PopoverTest, WithoutContentOrVisibleViewIsNotShownAndLogged)
{
    LoggedMessages messages;
    auto *empty = new Popover(&m_window);
    empty->showRelativeToRect(QRect(0, 0, 10, 10), &m_window, Edge::MaxY);
    QWidget hiddenView(&m_window);
    hiddenView.hide();
    Popover *besideHidden = show(&hiddenView);
    EXPECT_FALSE(empty->isVisible() || besideHidden->isShown());
    EXPECT_TRUE(m_closed.isEmpty());
    EXPECT_EQ(messages.lines().filter(QStringLiteral(": ERROR ")).size(), 2);
}

} // namespace
