#pragma once

#include "table/ContactInfoPane.h"

class ContactInfoControllerDelegate;
class QTableView;

// What the window's controller asks of the contact detail pane.
class ContactDetailPane : public ContactInfoPane {
public:
    // Not owned: the window's controller, which outlives the pane.
    virtual void setDelegate(ContactInfoControllerDelegate *delegate) = 0;
    // A null row given to setContact is ignored; the edit state is only
    // stored.
    // The pane's table, made the window's focus when the pane is shown.
    [[nodiscard]] virtual QTableView *tableView() = 0;
};
