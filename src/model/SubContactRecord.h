#pragma once

#include "model/PersonRecord.h"

#include <QString>

#include <memory>

// One row of the contact table: a contact and the label position the row
// shows ("labelIndex": 0 for the contact's first row, n for the row of its
// n-th value). "person" is the very object of the contact's ContactRecord.
struct SubContactRecord : PersonRecord {
    // "notFirstRow": the row directly follows a row of the same contact in
    // the table's current order (present with YES = true).
    bool notFirstRow = false;
    // "numLines": the row's height in text lines, as last computed.
    int numLines = 1;

    using PersonRecord::PersonRecord;
};

using SubContactRecordPtr = std::shared_ptr<SubContactRecord>;

namespace SubContactRecordKey {
inline const QString NotFirstRow = QStringLiteral("notFirstRow");
inline const QString NumLines = QStringLiteral("numLines");
inline const QString GroupNames = PersonRecordKey::GroupNames;
inline const QString Person = PersonRecordKey::Person;
inline const QString UniqueId = PersonRecordKey::UniqueId;
inline const QString LabelIndex = PersonRecordKey::LabelIndex;
inline const QString LayoutDict = QStringLiteral("layoutDict");
} // namespace SubContactRecordKey
