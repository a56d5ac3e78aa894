#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "model/PersonValue.h"

#include <QStringList>

#include <memory>
#include <optional>

// What an opener hands a value editor and reads back when the editor's
// popover has closed. Opener and editor hold the very same object: the editor
// writes its result into it, never into a copy.
struct PopoverContextInfo {
    // Put in by the opener.
    PersonRecordPtr contact; // "contact": editors read its person
    ContactIdentifier type; // "type": the field to edit
    std::optional<qint64> labelIndex; // "labelIndex": the value's own number, -1 a new value
    bool editEnabled = false; // "editEnabled": false makes the reading editors view-only
    LabeledValueRecordPtr labeledValue; // "labeledValue": the address to edit, when given
    qint64 rowIndex = -1; // "rowIndex": handed back unchanged

    // Written by the editor.
    bool dirty = false; // "dirty": Done was pressed while editing
    PersonValue value; // "value": the result
    QStringList values; // "values": the joint names
};

using PopoverContextInfoPtr = std::shared_ptr<PopoverContextInfo>;
