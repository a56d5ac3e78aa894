#pragma once

#include <QPointingDevice>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>
#include <qpa/qwindowsysteminterface_p.h>

// Input fed through the window system's own entry, as a real mouse and pen
// deliver it: Qt makes the double-clicks and passes each event from the
// window to the widget under it. Times are the window system's, in ms.
namespace WindowSystemInput {

// A mouse event at a point of the screen, with the left button held or let go.
inline void mouse(QWindow *window, ulong timestamp, QEvent::Type type, const QPointF &global)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
        window, timestamp, window->mapFromGlobal(global), global, held, button, type);
}

// A pen touching the screen (`held` the left button) or lifted from it. As
// on X11, Qt and not the window system makes a mouse press of a tablet press
// that no widget takes.
inline void pen(QWindow *window, ulong timestamp, const QPointF &global, Qt::MouseButtons held)
{
    static const QPointingDevice *stylus = [] {
        QWindowSystemInterfacePrivate::TabletEvent::setPlatformSynthesizesMouse(false);
        auto *device = new QPointingDevice(QStringLiteral("pen"), 7, QInputDevice::DeviceType::Stylus,
            QPointingDevice::PointerType::Pen, QInputDevice::Capability::Position | QInputDevice::Capability::Pressure,
            1, 2);
        QWindowSystemInterface::registerInputDevice(device);
        return device;
    }();
    QWindowSystemInterface::handleTabletEvent(
        window, timestamp, stylus, window->mapFromGlobal(global), global, held, 0.5, 0, 0, 0, 0, 0);
    QWindowSystemInterface::flushWindowSystemEvents();
}

// A pen brought over the point from elsewhere, then touching it twice. Qt
// makes a double-click of every other tap of a pen that stays in place,
// whatever the time between them; a pen that comes from afar, as a pen
// does, taps a press first.
inline void penDoubleTap(QWindow *window, ulong &time, const QPointF &global)
{
    pen(window, time += 100, global - QPointF(60, 60), Qt::NoButton);
    pen(window, time += 100, global, Qt::NoButton);
    for (int tap = 0; tap < 2; ++tap) {
        pen(window, time += 80, global, Qt::LeftButton);
        pen(window, time += 50, global, Qt::NoButton);
    }
}

} // namespace WindowSystemInput
