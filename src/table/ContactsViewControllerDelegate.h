#pragma once

#include "model/GroupRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"
#include "table/ReplaceAlertRequest.h"

#include <QList>
#include <QString>
#include <QStringList>

class AlertPresenter;
class ContactInfoPopoverPane;
class QWidget;
class UndoManager;
class ValueEditorDelegate;

// What the contact table tells the window's controller, and what it asks of
// it: the postcard sender and the selected group, whose name the footer row
// shows.
class ContactsViewControllerDelegate {
public:
    virtual ~ContactsViewControllerDelegate() = default;

    // The row the user selected (the table's current row, when selected).
    virtual void rowSelectionDidChange(const SubContactRecordPtr &row) = 0;
    // Contacts dropped onto the table as vCard text, for the selected group,
    // as one undoable step; false when none was added (the text held no
    // readable card, or there was no group).
    virtual bool addContactByVCardString(const QString &vCardString) = 0;
    // Contacts read from vCard files dropped onto the table, for the selected
    // group, as one undoable step; false when none was added (the user
    // cancelled, or there was no group).
    virtual bool addDroppedContacts(const QList<ContactRecordPtr> &contacts) = 0;
    // The last row, in row order, whose address is marked as the sender.
    virtual void changeSenderInHagakiView(const SubContactRecordPtr &row) = 0;
    [[nodiscard]] virtual SubContactRecordPtr senderInHagakiView() const = 0;
    // The first sort descriptor changed: the controller sorts its contact list.
    virtual void sortDescriptorsDidChange(const QList<SortDescriptor> &descriptors) = 0;
    // Whether sortDescriptorsDidChange sorts the contact list by the very key
    // each contact's rows have under the descriptor, equal keys by a fixed
    // order: the rows in the list's order are then sorted already.
    [[nodiscard]] virtual bool sortsContactsByRowKey(const SortDescriptor &) const { return false; }
    [[nodiscard]] virtual const GroupRecordPtr &selectedGroupDict() const = 0;

    // --- What the table's edits and popovers go through -----------------
    // The window's undo manager, on which a change of several rows is one group.
    [[nodiscard]] virtual UndoManager *undoManager() const = 0;
    // The undoable value operations.
    [[nodiscard]] virtual ValueEditorDelegate *valueEditorDelegate() = 0;
    // Where the window's confirmations are asked.
    [[nodiscard]] virtual AlertPresenter *alertPresenter() const = 0;
    // Has the table rebuild once when the event-loop turn ends.
    virtual void updateTableLater() = 0;
    // Removes one labeled value (by its own labelIndex) as an undoable step.
    virtual void undoDeleteLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
    // Shows the column-command sheet window-modal on the request's window;
    // the completion runs after its OK.
    virtual void showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion)
        = 0;
    // Contacts added to or removed from a group as one undo step; the table
    // is refreshed and, after an add, the new rows are selected.
    virtual void undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group) = 0;
    virtual void undoDeleteContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool doUndo)
        = 0;
    // The window's QR-code panel for the selected contact.
    virtual void showQRCode() = 0;
    // Whether the window can be unlocked for editing (a CSV document can't).
    [[nodiscard]] virtual bool canUnlock() const = 0;
    // The names of the groups that hold the row's contact.
    [[nodiscard]] virtual QStringList groupNamesOfContact(const PersonRecordPtr &row) const = 0;
    // The window's record of the contact with this identifier, found in any
    // group it has read; null when it holds no such contact.
    [[nodiscard]] virtual PersonRecordPtr contactWithUniqueId(const UniqueId & /*uniqueId*/) const { return {}; }
    // Whether the contact is deleted from its container: the window keeps
    // its record, marked, until the save, so that an Undo can bring it back.
    [[nodiscard]] virtual bool isDeletedContact(const UniqueId & /*uniqueId*/) const { return false; }

    // A view of one contact's details, told the window's delegate, undo
    // manager and parent window; nothing when none can be made. The window's
    // controller counts it as its shown popover until the view closes.
    struct ContactView {
        QWidget *widget = nullptr;
        ContactInfoPopoverPane *pane = nullptr;
    };
    [[nodiscard]] virtual ContactView makeContactInfoPopover() = 0;
    // A window of its own, not yet shown, holding a new view of the contact.
    struct DetachedContactWindow {
        QWidget *window = nullptr;
        QWidget *view = nullptr;
        ContactInfoPopoverPane *pane = nullptr;
    };
    [[nodiscard]] virtual DetachedContactWindow makeDetachedContactWindow(const PersonRecordPtr &contact) = 0;
};
