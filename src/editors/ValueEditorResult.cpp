#include "editors/ValueEditorResult.h"

#include "editors/ValueEditorDelegate.h"

namespace {

bool addsOrReplacesOne(const ContactIdentifier &type)
{
    return type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage;
}

} // namespace

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
    if (single && addsOrReplacesOne(type) && single->labelIndex == -1) {
        delegate->undoAddLabeledValue(*single, type, target);
        return true;
    }
    return delegate->undoReplaceValue(context->value, type, target);
}

bool replacesOneLabeledValue(const PopoverContextInfo &context)
{
    const auto *single = std::get_if<LabeledValueRecord>(&context.value);
    return single && addsOrReplacesOne(context.type) && single->labelIndex != -1;
}

LabeledValueRecord editedValueOver(const LabeledValueRecord &edited, const LabeledValueRecord &other)
{
    LabeledValueRecord landed = edited;
    landed.labelIndex = other.labelIndex;
    landed.layout = other.layout;
    return landed;
}
