#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "editors/ValueEditorDelegate.h"
#include "editors/ValueEditorResult.h"

#include <gtest/gtest.h>

#include <functional>

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

struct ResultRow {
    const char *name;
    ContactIdentifier type;
    std::function<void(PopoverContextInfo &)> fill;
    bool toContextsContact;
    QString expected;
};

void PrintTo(const ResultRow &row, std::ostream *out)
{
    *out << row.name;
}

LabeledValueRecord numbered(qint64 labelIndex)
{
    LabeledValueRecord record;
    record.labelIndex = labelIndex;
    return record;
}

class ValueEditorResult : public testing::TestWithParam<ResultRow> { };

TEST_P(ValueEditorResult, AddsANewSingleValueAndReplacesAnythingElse)
{
    const ResultRow &row = GetParam();
    const ContactRecordPtr opened = testContact();
    const ContactRecordPtr host = ContactRecord::makeWithPerson(opened->person);
    host->uniqueId = QStringLiteral("host");
    auto context = std::make_shared<PopoverContextInfo>();
    context->contact = opened;
    context->type = row.type;
    context->dirty = true;
    row.fill(*context);
    RecordingDelegate delegate;
    const bool applied = applyValueEditorResult(context, row.toContextsContact ? nullptr : host, &delegate);
    EXPECT_EQ(applied, !row.expected.isEmpty());
    EXPECT_EQ(delegate.calls, row.expected.isEmpty() ? QStringList() : QStringList{row.expected});
}

INSTANTIATE_TEST_SUITE_P(Rows, ValueEditorResult,
    testing::Values(ResultRow{"NotDirty", FieldId::Address,
                        [](PopoverContextInfo &c) {
                            c.dirty = false;
                            c.value = numbered(-1);
                        },
                        false, {}},
        ResultRow{"NewAddress", FieldId::Address, [](PopoverContextInfo &c) { c.value = numbered(-1); }, false,
            QStringLiteral("add Address host -1")},
        ResultRow{"NewChat", FieldId::InstantMessage, [](PopoverContextInfo &c) { c.value = numbered(-1); }, false,
            QStringLiteral("add Instant Message host -1")},
        ResultRow{"NumberedSocial", FieldId::SocialNetwork, [](PopoverContextInfo &c) { c.value = numbered(2); }, false,
            QStringLiteral("replace Social Network host 2")},
        ResultRow{"AddressList", FieldId::Address, [](PopoverContextInfo &c) { c.value = LabeledValueList(); }, false,
            QStringLiteral("replace Address host list")},
        ResultRow{"NewPhoneReplaces", FieldId::Phone, [](PopoverContextInfo &c) { c.value = numbered(-1); }, false,
            QStringLiteral("replace Phone host -1")},
        ResultRow{"JointNames", FieldId::Renmei,
            [](PopoverContextInfo &c) {
                c.values = {QStringLiteral("花子"), QStringLiteral("一郎")};
            },
            false, QStringLiteral("replace Renmei host 花子\n一郎")},
        ResultRow{"BirthdayToTheContextsContact", FieldId::Birthday,
            [](PopoverContextInfo &c) { c.value = BirthdayRecord(); }, true,
            QStringLiteral("replace Birthday taro birthday")}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
