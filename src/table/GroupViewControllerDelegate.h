#pragma once

#include "model/ContainerRecord.h"

#include <QString>

// What the group outline tells the window's controller, and asks of it.
class GroupViewControllerDelegate {
public:
    virtual ~GroupViewControllerDelegate() = default;

    // The user chose a group.
    virtual void groupSelectionDidChange(const GroupRecordPtr &group) = 0;
    // Rows of the window's contact table were dropped onto the group: their
    // positions, each but the last followed by a comma.
    virtual void addContactByStringIndexes(const QString &stringIndexes, const GroupRecordPtr &group) = 0;
    // The user typed a new, different name for the group; the record is not
    // changed yet.
    virtual void groupNameWillChange(const QString &name, const GroupRecordPtr &group) = 0;
    // Appends the container's groups as the store holds them, whatever its
    // identifier and type.
    virtual void updateGroupTable(ContainerRecord &container) = 0;
};
