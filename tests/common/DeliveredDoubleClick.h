#pragma once

#include <QTest>
#include <QWidget>

// A double-click as the window system delivers it to a widget: a click, then
// the second press as the double-click, and its release. QTest::mouseDClick
// sends the double-click alone, as a widget gets it when the first press
// went to another window: the contact table ignores that one.
inline void deliveredDoubleClick(QWidget *widget, const QPoint &point, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(widget, Qt::LeftButton, modifiers, point);
    QTest::mouseDClick(widget, Qt::LeftButton, modifiers, point);
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, point);
}
