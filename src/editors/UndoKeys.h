#pragma once

class QKeyEvent;
class UndoManager;

// Undo and Redo typed in a window with an undo manager of its own, such as
// a sheet or a panel, act on that manager and never on the main window's.
class UndoKeys {
public:
    // True when the key was Undo or Redo and has been handled.
    static bool handle(const QKeyEvent *event, UndoManager *manager);
};
