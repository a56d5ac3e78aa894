#pragma once

#include <QCoreApplication>

// Lets the event loop finish the turn a test's step started: what the step
// posted runs (queued signals, refreshes, the close of the turn's undo
// group), and what those posted in their turn, as deep as the window's
// longest chain of queued calls goes. Window tests call it between steps.
inline void endTurn()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}
