#pragma once

#include "model/MVPerson.h"

#include <QString>

#include <memory>

// One row of the contact table: a contact and the label position the row
// shows (0 for the contact's first row, n for the row of its n-th value).
struct SubContactRecord {
    MVPersonPtr person; // "person": the very object of the contact's ContactRecord
    QString uniqueId; // "uniqueId": the person's when the row was made
    qint64 labelIndex = 0; // "labelIndex"
};

using SubContactRecordPtr = std::shared_ptr<SubContactRecord>;

namespace SubContactRecordKey {
inline const QString Person = QStringLiteral("person");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString LabelIndex = QStringLiteral("labelIndex");
} // namespace SubContactRecordKey
