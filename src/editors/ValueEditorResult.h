#pragma once

#include "editors/PopoverContextInfo.h"

class ValueEditorDelegate;

// Applies what a closed editor left in its context to the contact through
// the delegate's undoable operations; nothing unless the context is dirty.
// A single address, chat or social value numbered -1 is added, any other
// value replaces the field's, and joint names are stored as one text of
// lines. A null contact takes the context's. True when the contact changed.
bool applyValueEditorResult(
    const PopoverContextInfoPtr &context, const PersonRecordPtr &contact, ValueEditorDelegate *delegate);

// Whether the result replaces one existing address, chat or social value,
// which on another contact is that contact's own value of the field.
[[nodiscard]] bool replacesOneLabeledValue(const PopoverContextInfo &context);

// The edited value as it lands on another contact's value of the same field:
// what the editor edits, under that value's own number and print flags, so
// that neither another value of the contact nor a sender mark is taken over.
[[nodiscard]] LabeledValueRecord editedValueOver(const LabeledValueRecord &edited, const LabeledValueRecord &other);
