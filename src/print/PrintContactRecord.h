#pragma once

#include "model/LabeledValueRecord.h"
#include "model/NameRecord.h"
#include "model/PersonRecord.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

// A receiver or the sender of a print: a value made from one row of the
// contact table ("Name", "Renmei", "Address" as "layoutDict", "Company").
// Printing reads the row and writes only here, so a print or a preview never
// changes the table; a layout edited in the preview reaches the contact
// through the row in "source", by the undoable operations.
struct PrintContactRecord : PersonRecord {
    // The table row this value was made from; null for a value made by hand.
    // Two values of one row are the same contact on the card.
    SubContactRecordPtr source;

    std::optional<NameRecord> name; // "Name": a copy of the contact's name
    QString compositeName; // "Name" within "Name": the contact's display name
    std::optional<QString> renmei; // "Renmei": joint names, one a line; "" for none
    std::optional<QString> company; // "Company": absent when the contact has none

    // "layoutDict": a copy of the row's address with its postcard layout keys,
    // which the preview draws and its layout editing changes; null when the
    // contact has no address at the row's position. Never the person's own
    // address.
    LabeledValueRecordPtr layoutDict;

    using PersonRecord::PersonRecord;

    // True when both are made from the same table row (or are one value).
    [[nodiscard]] bool isSameRowAs(const PrintContactRecord *other) const
    {
        return other == this || (other && source && other->source == source);
    }
};

using PrintContactRecordPtr = std::shared_ptr<PrintContactRecord>;
using PrintContactList = QList<PrintContactRecordPtr>;
// The table's rows a print is asked for.
using PrintSourceRows = QList<SubContactRecordPtr>;
