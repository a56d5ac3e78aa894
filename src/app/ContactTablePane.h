#pragma once

#include "model/ContactRecord.h"

#include <QList>

class ContactInfoPopoverPane;

// What the window's controller asks of the contact table: show a contact
// list, rebuild its rows after a change, and read and set the selection.
class ContactTablePane {
public:
    virtual ~ContactTablePane() = default;

    virtual void setContactTable(const ContactTablePtr &contactTable) = 0;
    // Rebuilds and redraws the rows, keeping the selected row.
    virtual void updateTable() = 0;
    virtual void setEditState(bool editState) = 0;

    // Selects every row that shows one of the contacts.
    virtual void selectRowIndexesWithContacts(const QList<ContactRecordPtr> &contacts) = 0;
    // The distinct contacts of the selected rows, in row order.
    [[nodiscard]] virtual QList<ContactRecordPtr> selectedContacts() const = 0;
    // Ascending.
    [[nodiscard]] virtual QList<int> selectedRowIndexes() const = 0;
    // The table view's own selection and scrolling.
    virtual void selectRowIndexes(const QList<int> &rows) = 0;
    virtual void scrollRowToVisible(int row) = 0;

    // The contact views detached from the table into windows of their own.
    [[nodiscard]] virtual QList<ContactInfoPopoverPane *> detachedWindows() const = 0;
};
