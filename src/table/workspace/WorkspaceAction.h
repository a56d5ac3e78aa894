#pragma once

#include "table/workspace/WorkspaceOpener.h"

#include <QString>

// A value handed to the application that takes it: the address is built by
// WorkspaceUrls and opened by WorkspaceOpener, with the web map search in
// place of a maps query no application takes. Shared by the table's and the
// detail views' commands, so both open the same addresses.
namespace WorkspaceAction {

enum class Kind { CallPhone, SendEmail, OpenURL, OpenMap, OpenWebMap, OpenCalendar };

struct Result {
    WorkspaceOpener::Outcome outcome = WorkspaceOpener::Outcome::Invalid;
    // The address last handed to the desktop; empty when none was made.
    QString url;
};

// The calendar opens without a date; every other kind opens nothing for an
// empty text.
Result perform(Kind kind, const QString &text);

} // namespace WorkspaceAction
