#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QWindow>

// A key typed that many times faster than the application handles it, into
// the window that has the keyboard: the presses and releases wait in the
// queue and all reach that window, one after the other, on the next turn of
// the event loop and before anything the handling of the first one queues,
// as the window system keeps handing them to a window whose closing is not
// handled yet.
inline void typeAhead(QWindow *window, Qt::Key key, int times)
{
    QMetaObject::invokeMethod(
        qApp,
        [target = QPointer<QWindow>(window), key, times] {
            for (int typed = 0; typed < times; ++typed) {
                for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                    if (target)
                        qt_handleKeyEvent(target, type, key, Qt::NoModifier);
                }
            }
        },
        Qt::QueuedConnection);
}
