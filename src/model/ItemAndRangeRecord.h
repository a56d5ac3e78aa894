#pragma once

#include "model/ContactIdentifier.h"
#include "model/PersonRecord.h"
#include "model/TextRange.h"
#include "model/UniqueId.h"

#include <QString>

#include <memory>
#include <optional>

// One find hit: where in which contact the find string was found. The window
// keeps its current hit as one shared record and changes it in place, so the
// table and the detail pane always mark the same one.
struct ItemAndRangeRecord {
    PersonRecordPtr contact; // "contact": the record that was searched
    UniqueId uniqueId; // "uniqueId": the identifier of the record's person
    ContactIdentifier identifier; // "identifier": the field, or the table column
    // "subIdentifier": the part of the field holding the hit; absent when the
    // hit lies in the field's text as a whole, which an empty part is not.
    std::optional<QString> subIdentifier;
    // "labelIndex": the label position; absent in the find walk's first target.
    std::optional<qint64> labelIndex;
    TextRange range; // "range": the hit in the field's displayed text
    std::optional<TextRange> itemRange; // "itemRange": the hit in the part's own text
};

using ItemAndRangeRecordPtr = std::shared_ptr<ItemAndRangeRecord>;

namespace ItemAndRangeRecordKey {
inline const QString Contact = QStringLiteral("contact");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString Identifier = QStringLiteral("identifier");
inline const QString SubIdentifier = QStringLiteral("subIdentifier");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString Range = QStringLiteral("range");
inline const QString ItemRange = QStringLiteral("itemRange");
} // namespace ItemAndRangeRecordKey
