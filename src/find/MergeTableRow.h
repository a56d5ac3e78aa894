#pragma once

#include "model/ContactIdentifier.h"

#include <QString>

#include <memory>
#include <optional>

// One row of either side of the merge sheet. Rows of both sides line up: row
// i of the left side belongs to the same field block as row i of the right.
struct MergeTableRow {
    ContactIdentifier type; // "Type": the field block, or "Photo", "Name Ordering", "Name Display"
    std::optional<QString> label; // "Label": name part, value label or pop-up text; absent for plain string fields
    bool emptyValue = false; // "Value": present (always empty) on the photo row and on fields without a value
    std::optional<qint64> labelIndex; // "labelIndex": -1 on a filler row
    std::optional<qint64> index; // "index": the value's position; -1 on a filler row
    std::optional<qint64> valueCount; // "valueCount": count minus position; 0, -1, -2 … on filler rows
    int numLines = 0; // "numLines": set once the row's height is asked, 0 before

    [[nodiscard]] QString labelText() const { return label.value_or(QString()); }
    [[nodiscard]] bool isFiller() const { return labelIndex && *labelIndex < 0; }
};

using MergeTableRowPtr = std::shared_ptr<MergeTableRow>;
