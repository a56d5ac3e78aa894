#pragma once

#include "model/PersonRecord.h"

#include <QStringList>

class ContactInfoControllerDelegate;
class QFont;
class QTableView;

// What the window's controller asks of the contact detail pane.
class ContactDetailPane {
public:
    virtual ~ContactDetailPane() = default;

    // Not owned: the window's controller, which outlives the pane.
    virtual void setDelegate(ContactInfoControllerDelegate *delegate) = 0;
    // Shows the row (a contact table's record or a table row); a null row is
    // ignored.
    virtual void setContact(const PersonRecordPtr &contact) = 0;
    [[nodiscard]] virtual PersonRecordPtr contact() const = 0;
    // Rebuilds the rows from the shown contact's person.
    virtual void updateTable() = 0;
    // Only stored: whether in-place editing is allowed.
    virtual void setEditState(bool editState) = 0;
    // The labels whose values are shown (["All"]: every label).
    virtual void setSelectedLabels(const QStringList &labels) = 0;
    virtual void setSelectedFont(const QFont &font) = 0;
    // The pane's table, made the window's focus when the pane is shown.
    [[nodiscard]] virtual QTableView *tableView() = 0;
};
