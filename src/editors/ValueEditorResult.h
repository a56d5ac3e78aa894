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
