#pragma once

#include <QString>

// Hands an address to the desktop, which opens the application that takes
// its scheme; never a shell. The text is read strictly: one that makes no
// valid address opens nothing and is logged.
namespace WorkspaceOpener {

enum class Outcome {
    Opened,
    // The text is empty or makes no valid address.
    Invalid,
    // Valid, but no application on the desktop took it.
    NotOpened,
};

Outcome open(const QString &urlText);

} // namespace WorkspaceOpener
