#pragma once

#include "detail/ContactInfoControllerDelegate.h"
#include "detail/DetachedWindowCloseInfo.h"

// The same for the details shown in a popover or a detached window, which
// also tell when they close, step the window's history with keys of their
// own and keep the window's lock.
class ContactInfoPopoverDelegate : public ContactInfoControllerDelegate {
public:
    virtual void detachedWindowDidClose(const DetachedWindowCloseInfo &info) = 0;
    // Whether the window's history may go one step back (or forward) now,
    // as its Edit menu allows it; a delegate without one says no.
    [[nodiscard]] virtual bool canUndo() const { return false; }
    [[nodiscard]] virtual bool canRedo() const { return false; }
    // The view stepped that history with its own keys: the window is edited
    // exactly while anything is left to undo, as after its own Undo.
    virtual void windowHistoryDidStep() { }
    // Whether the window can be unlocked for editing: a view of a window
    // that cannot (a CSV document, layout mode) stays locked.
    [[nodiscard]] virtual bool canUnlock() const { return true; }
};
