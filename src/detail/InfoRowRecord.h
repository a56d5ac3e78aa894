#pragma once

#include "model/ContactIdentifier.h"

#include <QString>

#include <optional>

// One row of a contact's details: a name part, one value of a multi-valued
// field, or a single field. A row carries only what its kind needs.
struct InfoRowRecord {
    ContactIdentifier type; // "Type": the field the row shows
    // "Label": the part key of a name or phonetic-name row, the label of a
    // labeled value, the shown choice of "Name Ordering" and "Name Display";
    // empty on a photo or empty row, absent on the row of a text field.
    std::optional<QString> label;
    // "labelIndex": the name part's number, or the labeled value's own number.
    std::optional<qint64> labelIndex;
    // "index": the labeled value's position in its field's list.
    std::optional<qsizetype> index;
    int rowOrderIndex = 0; // "rowOrderIndex": the type's position in the row order
    int numLines = 1; // "numLines": the row's height in text lines, as last measured

    [[nodiscard]] QString labelText() const { return label.value_or(QString()); }
    bool operator==(const InfoRowRecord &) const = default;
};
