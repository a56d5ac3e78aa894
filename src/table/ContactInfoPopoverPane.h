#pragma once

#include "model/SubContactRecord.h"

// A contact's details shown in a popover or in a window detached from it.
class ContactInfoPopoverPane {
public:
    virtual ~ContactInfoPopoverPane() = default;

    [[nodiscard]] virtual SubContactRecordPtr contact() const = 0;
    // Redraws the rows from the contact's person.
    virtual void updateTable() = 0;
    virtual void setEditState(bool editState) = 0;
    // Closes the popover that hosts the view.
    virtual void closePopover() = 0;
};
