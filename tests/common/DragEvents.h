#pragma once

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

// Drags delivered as the drag manager delivers them: an enter (which makes
// the widget that takes it the drag's target), a move and, for a drop, the
// drop; a leave ends the drag. The data is whatever the drag code made, so
// a receiver tells its origin from it as it does in a real drag.
namespace DragEvents {

inline constexpr Qt::DropActions everyAction = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// Whether the widget takes the data at the point (its move is accepted).
inline bool move(QWidget *target, const QPoint &point, const QMimeData *data, Qt::DropActions actions = everyAction)
{
    QDragEnterEvent enter(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent moved(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted())
        QApplication::sendEvent(target, &moved);
    QDragLeaveEvent leave;
    QApplication::sendEvent(target, &leave);
    return enter.isAccepted() && moved.isAccepted();
}

// Whether the widget accepted the drop at the point.
inline bool drop(QWidget *target, const QPoint &point, const QMimeData *data, Qt::DropActions actions = everyAction)
{
    QDragEnterEvent enter(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent moved(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &moved);
    QDropEvent dropped(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

} // namespace DragEvents
