#include "platform/widgets/ClickOwnership.h"

#include <QGuiApplication>
#include <QSinglePointEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The top-level window an event goes to: the widget's window, by the window
// the window system knows it as where it has one, so that an event sent to
// the window and the same event passed on to a widget in it agree.
QObject *topLevelWindow(QObject *receiver)
{
    if (receiver->isWindowType()) {
        auto *window = static_cast<QWindow *>(receiver);
        while (window->parent())
            window = window->parent();
        return window;
    }
    if (receiver->isWidgetType()) {
        QWidget *window = static_cast<QWidget *>(receiver)->window();
        if (QWindow *handle = window->windowHandle())
            return handle;
        return window;
    }
    return nullptr;
}

bool isPopup(const QObject *window)
{
    if (window->isWindowType())
        return static_cast<const QWindow *>(window)->type() == Qt::Popup;
    return static_cast<const QWidget *>(window)->windowType() == Qt::Popup;
}

bool isPress(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::TabletPress;
}

bool isMoveOrRelease(QEvent::Type type)
{
    return type == QEvent::MouseMove || type == QEvent::MouseButtonRelease || type == QEvent::TabletMove
        || type == QEvent::TabletRelease;
}

} // namespace

bool ClickOwnership::admits(QObject *receiver, QEvent *event)
{
    if (!event->spontaneous())
        return true;
    const QEvent::Type type = event->type();
    bool admitted = true;
    if (isPress(type)) {
        admitted = admitsPress(receiver, static_cast<const QSinglePointEvent &>(*event));
        if (admitted && receiver->isWidgetType())
            notePressedWidget(static_cast<QWidget *>(receiver), type);
    } else if (isMoveOrRelease(type)) {
        const bool allUp = static_cast<const QSinglePointEvent *>(event)->buttons() == Qt::NoButton;
        admitted = !m_dropping;
        if (allUp) {
            m_dropping = false;
            m_letGo = true;
        }
    }
    // Accepted, so that Qt makes no mouse event of a dropped tablet event.
    if (!admitted)
        event->accept();
    return admitted;
}

bool ClickOwnership::admitsPress(QObject *receiver, const QSinglePointEvent &event)
{
    if (m_lastPress && event.timestamp() == m_lastPress->timestamp
        && event.globalPosition() == m_lastPress->globalPosition)
        return m_lastPress->admitted;
    QObject *window = topLevelWindow(receiver);
    if (!window)
        return true;
    const bool admitted = !continuesBurst(event) || window == m_owner.data() || isPopup(window);
    if (admitted)
        m_owner = window;
    m_dropping = !admitted;
    m_letGo = false;
    m_lastPress = Press{event.timestamp(), event.globalPosition(), admitted};
    return admitted;
}

QWidget *ClickOwnership::pressedWidget() const
{
    return m_pressedWidget;
}

// Only the press's first delivery to a widget counts: Qt passes a press no
// widget takes on to the parents inside that one delivery, and the window
// got it before any widget.
void ClickOwnership::notePressedWidget(QWidget *widget, QEvent::Type type)
{
    if (m_lastPress->reachedWidget)
        return;
    m_lastPress->reachedWidget = true;
    if (type != QEvent::MouseButtonDblClick)
        m_pressedWidget = widget;
    else if (widget != m_pressedWidget)
        m_pressedWidget = nullptr;
}

// The double-click's own test, as loose as the window system's: within the
// interval of the press before, and within the distance of it. A press while
// the one before is still held can't reach another window (the window that
// has the buttons gets it), so it begins a burst of its own.
bool ClickOwnership::continuesBurst(const QSinglePointEvent &event) const
{
    if (!m_lastPress || !m_letGo)
        return false;
    const QStyleHints *hints = QGuiApplication::styleHints();
    const auto elapsed = qint64(event.timestamp() - m_lastPress->timestamp);
    const qreal distance = std::max(hints->mouseDoubleClickDistance(), hints->touchDoubleTapDistance());
    const QPointF moved = event.globalPosition() - m_lastPress->globalPosition;
    return elapsed >= 0 && elapsed <= hints->mouseDoubleClickInterval() && qAbs(moved.x()) <= distance
        && qAbs(moved.y()) <= distance;
}
