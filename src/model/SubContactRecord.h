#pragma once

#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PersonRecord.h"

#include <QString>

#include <memory>
#include <optional>

// One row of the contact table: a contact and the label position the row
// shows ("labelIndex": 0 for the contact's first row, n for the row of its
// n-th value). "person" is the very object of the contact's ContactRecord.
struct SubContactRecord : PersonRecord {
    // What the preview adds to a row it prepares for printing, so that the
    // table, the preview and a print job draw the very rows. The row's
    // "Address" is its layoutDict below: one object, absent when the contact
    // has no address at the row's position.
    std::optional<NameRecord> name; // "Name": a copy of the contact's name
    QString compositeName; // "Name" within "Name": the contact's display name
    std::optional<QString> renmei; // "Renmei": joint names, one a line; "" for none
    std::optional<QString> company; // "Company": absent when the contact has none
    // "notFirstRow": the row directly follows a row of the same contact in
    // the table's current order (present with YES = true).
    bool notFirstRow = false;
    // "numLines": the row's height in text lines, as last computed.
    int numLines = 1;

    // "layoutDict": a copy of the row's address with its postcard layout keys,
    // which the preview draws and its layout editing changes; null when the
    // row was never prepared for printing or its contact has no address there.
    // Never the person's own address: layout edits reach the person through
    // the undoable operations only.
    LabeledValueRecordPtr layoutDict;

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
