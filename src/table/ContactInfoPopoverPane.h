#pragma once

#include "table/ContactInfoPane.h"
#include "model/ContactIdentifier.h"

class ContactInfoPopoverDelegate;
class Popover;
class QWidget;
class UndoManager;

// A contact's details shown in a popover or in a window detached from it.
class ContactInfoPopoverPane : public ContactInfoPane {
public:
    // Starts editing the field's first row.
    virtual void editForIdentifier(const ContactIdentifier &type) = 0;
    // The popover that hosts the view; none in a detached window.
    virtual void setParentPopover(Popover *popover) = 0;
    // The window marked edited after an edit.
    virtual void setParentWindow(QWidget *window) = 0;
    // The undo manager of the window whose table opened the view; Undo and
    // Redo typed in the view act on it.
    virtual void setMyUndoManager(UndoManager *undoManager) = 0;
    // Not owned: the opening window's controller.
    virtual void setDelegate(ContactInfoPopoverDelegate *delegate) = 0;
    // Closes the popover that hosts the view.
    virtual void closePopover() = 0;
    // The window's controller now can, or can no longer, be unlocked: a
    // view that may not be unlocked any more is locked.
    virtual void windowLockDidChange() { }
};
