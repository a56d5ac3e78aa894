#pragma once

#include "model/ContactRecord.h"

// What the window's controller asks of the contact detail pane.
class ContactDetailPane {
public:
    virtual ~ContactDetailPane() = default;

    // Shows the row; a null row is ignored.
    virtual void setContact(const ContactRecordPtr &contact) = 0;
    [[nodiscard]] virtual ContactRecordPtr contact() const = 0;
    // Rebuilds the rows from the shown contact's person.
    virtual void updateTable() = 0;
    // Whether in-place editing is allowed.
    virtual void setEditState(bool editState) = 0;
};
