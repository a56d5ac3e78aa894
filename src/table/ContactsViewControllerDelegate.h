#pragma once

#include "model/GroupRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QString>

// What the contact table tells the window's controller, and what it asks of
// it: the postcard sender and the selected group, whose name the footer row
// shows.
class ContactsViewControllerDelegate {
public:
    virtual ~ContactsViewControllerDelegate() = default;

    // The row the user selected (the table's current row, when selected).
    virtual void rowSelectionDidChange(const SubContactRecordPtr &row) = 0;
    // Contacts dropped onto the table as vCard text, for the selected group.
    virtual void addContactByVCardString(const QString &vCardString) = 0;
    // Contacts read from vCard files dropped onto the table, for the selected
    // group, as one undoable step.
    virtual void addDroppedContacts(const QList<ContactRecordPtr> &contacts) = 0;
    // The last row, in row order, whose address is marked as the sender.
    virtual void changeSenderInHagakiView(const SubContactRecordPtr &row) = 0;
    [[nodiscard]] virtual SubContactRecordPtr senderInHagakiView() const = 0;
    // The first sort descriptor changed: the controller sorts its contact list.
    virtual void sortDescriptorsDidChange(const QList<SortDescriptor> &descriptors) = 0;
    [[nodiscard]] virtual const GroupRecordPtr &selectedGroupDict() const = 0;
};
