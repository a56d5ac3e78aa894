#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "editors/ValueEditorDelegate.h"
#include "editors/ValueEditorResult.h"

#include <gtest/gtest.h>

namespace {

// Writes each call as "operation type contact what", answering true.
class RecordingDelegate : public ValueEditorDelegate {
public:
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        QString what = QStringLiteral("list");
        if (const auto *text = std::get_if<QString>(&value))
            what = *text;
        else if (const auto *record = std::get_if<LabeledValueRecord>(&value))
            what = QString::number(record->labelIndex);
        else if (std::holds_alternative<BirthdayRecord>(value))
            what = QStringLiteral("birthday");
        calls.append(QStringLiteral("replace %1 %2 %3").arg(identifier, contact->uniqueId, what));
        return true;
    }
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        calls.append(QStringLiteral("add %1 %2 %3").arg(identifier, contact->uniqueId).arg(value.labelIndex));
    }

    QStringList calls;
};

LabeledValueRecord numbered(qint64 labelIndex)
{
    LabeledValueRecord record;
    record.labelIndex = labelIndex;
    return record;
}

// Applied to the contact given ("host"), or without one to the context's.
TEST(ValueEditorResult, AddsANewSingleValueAndReplacesAnythingElse)
{
    const struct {
        ContactIdentifier type;
        PersonValue value;
        QStringList values;
        bool dirty;
        bool toContextsContact;
        QString expected;
    } rows[] = {
        {FieldId::Address, numbered(-1), {}, false, false, {}},
        {FieldId::Address, numbered(-1), {}, true, false, "add Address host -1"},
        {FieldId::InstantMessage, numbered(-1), {}, true, false, "add Instant Message host -1"},
        {FieldId::SocialNetwork, numbered(2), {}, true, false, "replace Social Network host 2"},
        {FieldId::Address, LabeledValueList(), {}, true, false, "replace Address host list"},
        {FieldId::Phone, numbered(-1), {}, true, false, "replace Phone host -1"},
        {FieldId::Renmei, {}, {"花子", "一郎"}, true, false, "replace Renmei host 花子\n一郎"},
        {FieldId::Birthday, BirthdayRecord(), {}, true, true, "replace Birthday taro birthday"},
    };
    for (const auto &row : rows) {
        const ContactRecordPtr opened = testContact();
        const ContactRecordPtr host = ContactRecord::makeWithPerson(opened->person);
        host->uniqueId = QStringLiteral("host");
        auto context = std::make_shared<PopoverContextInfo>();
        context->contact = opened;
        context->type = row.type;
        context->dirty = row.dirty;
        context->value = row.value;
        context->values = row.values;
        RecordingDelegate delegate;
        EXPECT_EQ(applyValueEditorResult(context, row.toContextsContact ? nullptr : host, &delegate),
            !row.expected.isEmpty());
        EXPECT_EQ(delegate.calls.join(u'|'), row.expected);
    }
}

} // namespace
