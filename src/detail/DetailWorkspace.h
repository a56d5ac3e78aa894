#pragma once

#include <QString>

class QWidget;

// A row's value handed to the application that takes it (a call, a mail, a
// map, a web page, the calendar), by the context-menu key that asked. Shared
// by every view whose rows carry these items.
namespace DetailWorkspace {

// Opens the link of the key for the text; a link nothing opens (the calendar
// aside) is named in an alert, a sheet of the parent's window, so a popover
// the parent lies in stays. A key of no link does nothing.
void open(const QString &key, const QString &text, QWidget *alertParent);

} // namespace DetailWorkspace
