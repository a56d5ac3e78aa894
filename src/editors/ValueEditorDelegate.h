#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonRecord.h"
#include "model/PersonValue.h"

// The undoable operations through which an editor's result reaches a
// contact; the window's content controller implements them.
class ValueEditorDelegate {
public:
    virtual ~ValueEditorDelegate() = default;

    // True when the contact changed.
    virtual bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
    virtual void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact)
        = 0;
};
