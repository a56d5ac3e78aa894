#pragma once

#include "model/ContactRecord.h"
#include "platform/contacts/StoreGroup.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// One group of a container, or the container's top group "All Contacts"
// (top == true), which holds every contact of the container.
//
// "changed", "new" and "deleted" are present-with-YES-or-absent flags (true =
// present), as on ContactRecord. "groupNameChanged" is read by its value.
struct GroupRecord {
    bool top = false; // "top"
    QString name; // "name"
    QString containerName; // "containerName"
    QString uniqueId; // "uniqueId": the group's, or the container's for the top group
    QString containerIdentifier; // "containerIdentifier"
    std::optional<StoreGroup> cnGroup; // "cnGroup": absent in the top group and in groups not yet saved
    ContactTablePtr contactTable; // "contactTable": null until the group's contacts were fetched
    bool changed = false; // "changed": members were added or removed since the last load
    bool isNew = false; // "new": created since the last load
    bool deleted = false; // "deleted": deleted since the last load
    bool groupNameChanged = false; // "groupNameChanged"
};

using GroupRecordPtr = std::shared_ptr<GroupRecord>;
using GroupList = QList<GroupRecordPtr>;
using GroupListPtr = std::shared_ptr<GroupList>;

namespace GroupRecordKey {
inline const QString Top = QStringLiteral("top");
inline const QString Name = QStringLiteral("name");
inline const QString ContainerName = QStringLiteral("containerName");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString ContainerIdentifier = QStringLiteral("containerIdentifier");
inline const QString CnGroup = QStringLiteral("cnGroup");
inline const QString ContactTable = QStringLiteral("contactTable");
inline const QString Changed = QStringLiteral("changed");
inline const QString New = QStringLiteral("new");
inline const QString Deleted = QStringLiteral("deleted");
inline const QString GroupNameChanged = QStringLiteral("groupNameChanged");
} // namespace GroupRecordKey
