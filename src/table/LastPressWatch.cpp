#include "table/LastPressWatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointerEvent>
#include <QWidget>

LastPressWatch::LastPressWatch(QWidget *widget)
    : QObject(widget)
    , m_widget(widget)
{
    QCoreApplication::instance()->installEventFilter(this);
}

LastPressWatch::~LastPressWatch()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

// A press reaches the window before the widget under it: only widgets count.
// The double-click on the widget is the pair's second press and keeps what
// the first one said.
bool LastPressWatch::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
        if (watched->isWidgetType()
            && firstDelivery(static_cast<QWidget *>(watched), static_cast<const QPointerEvent &>(*event)))
            m_here = watched == m_widget;
        break;
    case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType()
            && firstDelivery(static_cast<QWidget *>(watched), static_cast<const QPointerEvent &>(*event))
            && watched != m_widget)
            m_here = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool LastPressWatch::firstDelivery(QWidget *receiver, const QPointerEvent &event)
{
    const QList<QEventPoint> &points = event.points();
    const QPointF position = points.isEmpty() ? QPointF() : points.first().globalPosition();
    if (position == m_pressPosition
        && (event.timestamp() == m_pressTime || (m_pressedWidget && receiver->isAncestorOf(m_pressedWidget))))
        return false;
    m_pressTime = event.timestamp();
    m_pressPosition = position;
    m_pressedWidget = receiver;
    return true;
}
