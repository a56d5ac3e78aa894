#include "editors/ValueEditorResult.h"

#include "editors/ValueEditorDelegate.h"

bool applyValueEditorResult(
    const PopoverContextInfoPtr &context, const PersonRecordPtr &contact, ValueEditorDelegate *delegate)
{
    if (!context || !context->dirty || !delegate)
        return false;
    const PersonRecordPtr target = contact ? contact : context->contact;
    if (!target)
        return false;
    const ContactIdentifier &type = context->type;
    if (type == FieldId::Renmei)
        return delegate->undoReplaceValue(context->values.join(u'\n'), type, target);
    const auto *single = std::get_if<LabeledValueRecord>(&context->value);
    const bool addable = type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage;
    if (single && addable && single->labelIndex == -1) {
        delegate->undoAddLabeledValue(*single, type, target);
        return true;
    }
    return delegate->undoReplaceValue(context->value, type, target);
}
