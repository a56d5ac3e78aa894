#pragma once

#include "model/PersonRecord.h"

#include <QStringList>

class QFont;

// What the window's controller asks of the contact detail pane.
class ContactDetailPane {
public:
    virtual ~ContactDetailPane() = default;

    // Shows the row (a contact table's record or a table row); a null row is
    // ignored.
    virtual void setContact(const PersonRecordPtr &contact) = 0;
    [[nodiscard]] virtual PersonRecordPtr contact() const = 0;
    // Rebuilds the rows from the shown contact's person.
    virtual void updateTable() = 0;
    // Whether in-place editing is allowed.
    virtual void setEditState(bool editState) = 0;
    // The labels whose values are shown (["All"]: every label).
    virtual void setSelectedLabels(const QStringList &labels) = 0;
    virtual void setSelectedFont(const QFont &font) = 0;
};
