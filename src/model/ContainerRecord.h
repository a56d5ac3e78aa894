#pragma once

#include "model/GroupRecord.h"

#include <QList>
#include <QString>

#include <memory>

// One container of the contacts store with its groups. "groups" starts with
// the top group; a group deleted since the last load is moved to its end.
struct ContainerRecord {
    QString name; // "name": "On This Computer" for the local container
    int type = 0; // "type": the store's container type (1 local, 2 Exchange, 3 CardDAV)
    QString identifier; // "identifier"
    GroupListPtr groups = std::make_shared<GroupList>(); // "groups"

    // The top group, or null when the record has no groups.
    [[nodiscard]] GroupRecordPtr topGroup() const;
};

using ContainerRecordPtr = std::shared_ptr<ContainerRecord>;
using ContainerTable = QList<ContainerRecordPtr>;
using ContainerTablePtr = std::shared_ptr<ContainerTable>;

namespace ContainerRecordKey {
inline const QString Name = QStringLiteral("name");
inline const QString Type = QStringLiteral("type");
inline const QString Identifier = QStringLiteral("identifier");
inline const QString Groups = QStringLiteral("groups");
} // namespace ContainerRecordKey
