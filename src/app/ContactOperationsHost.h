#pragma once

#include "model/ContactRecord.h"
#include "model/ContainerRecord.h"
#include "model/PersonRecord.h"

#include <variant>

class ContactDetailPane;
class ContactInfoPopoverPane;
class ContactTablePane;
class UndoManager;

// What the window's undoable contact and group operations ask of the
// window's content controller: the undo manager their inverses go on, the
// panes that show a change (each null when the window lacks it or it is
// gone), the shown group and its contacts, and the controller's own refresh.
class ContactOperationsHost {
public:
    // Who made a change: one of the panes, or nothing for the controller's
    // own operations.
    using ChangeSender = std::variant<std::monostate, const ContactTablePane *, const ContactDetailPane *,
        const ContactInfoPopoverPane *>;

    virtual ~ContactOperationsHost() = default;

    [[nodiscard]] virtual UndoManager *undoManager() const = 0;
    [[nodiscard]] virtual ContactTablePane *tablePane() const = 0;
    // The detail popover now open, or null.
    [[nodiscard]] virtual ContactInfoPopoverPane *popover() const = 0;
    virtual void setPopover(ContactInfoPopoverPane *popover) = 0;
    // A pane that made the change, or the detail view announced as its
    // sender, else the fallback.
    [[nodiscard]] virtual ChangeSender changeSenderOr(ChangeSender fallback) const = 0;
    // The panes other than the sender redraw the contact when the turn ends.
    virtual void contactDidUpdate(const PersonRecordPtr &contact, ChangeSender sender) = 0;
    [[nodiscard]] virtual const ContactTablePtr &contactTable() const = 0;
    [[nodiscard]] virtual const GroupRecordPtr &selectedGroupDict() const = 0;
    virtual void setSelectedGroupDict(const GroupRecordPtr &group) = 0;
    // Shows the group's contacts in the table.
    virtual void groupSelectionDidChange(const GroupRecordPtr &group) = 0;
    // The container whose identifier the group names; null when none.
    [[nodiscard]] virtual ContainerRecordPtr containerOfGroup(const GroupRecord &group) const = 0;
    // Gives every group of the container a table whose rows hold the top
    // group's persons; false when the top group's contacts can't be read.
    virtual bool fetchGroupsOfContainer(const ContainerRecord &container) = 0;
    // Sorts the shown contact list by the table's sort keys.
    virtual void sortContactTable() = 0;
    // The outline shows the container table again, with the selected group
    // selected when asked.
    virtual void showGroupOutline(bool withSelection) = 0;
    // The contact views of contacts now deleted from their container close.
    virtual void closeViewsOfDeletedContacts() = 0;
};
