#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// What a contact's details shown in a popover or a window of their own tell
// their delegate once, when they close.
struct DetachedWindowCloseInfo {
    QString uniqueId; // "uniqueId": the shown person's
    QPointer<QWidget> window; // "Window": the window marked edited, absent when none
};
