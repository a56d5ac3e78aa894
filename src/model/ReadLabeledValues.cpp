#include "model/ReadLabeledValues.h"

#include "model/LabeledValueBlock.h"
#include "model/MVPerson.h"

using namespace Qt::Literals::StringLiterals;

qsizetype ReadLabeledValues::count(const ContactIdentifier &field) const
{
    if (field == FieldId::Phone)
        return phone.isEmpty() ? 0 : 1;
    if (field == FieldId::Email)
        return email.isEmpty() ? 0 : 1;
    if (field == FieldId::Address)
        return hasAddress() ? 1 : 0;
    return 0;
}

const QString &ReadLabeledValues::label()
{
    static const QString home = u"home"_s;
    return home;
}

ReadLabeledValues::Lists ReadLabeledValues::lists() const
{
    Lists lists;
    const qsizetype total = count(FieldId::Email) + count(FieldId::Phone) + count(FieldId::Address);
    if (total == 0)
        return lists;
    // The contact's values share one block.
    LabeledValueBlock records{std::size_t(total)};
    const auto homeValue = [&records]() {
        LabeledValueRecordPtr record = records.next();
        record->label = label();
        record->labelIndex = 0;
        return record;
    };
    const auto oneValue = [&homeValue](const QString &value) {
        const LabeledValueRecordPtr record = homeValue();
        record->value = value;
        record->stringValue = value;
        return LabeledValueList{record};
    };
    if (!email.isEmpty())
        lists.append({FieldId::Email, oneValue(email)});
    if (!phone.isEmpty())
        lists.append({FieldId::Phone, oneValue(phone)});
    if (hasAddress()) {
        const LabeledValueRecordPtr address = homeValue();
        address->address->zip = zip;
        address->address->state = state;
        address->address->street = street;
        lists.append({FieldId::Address, LabeledValueList{address}});
    }
    return lists;
}

ReadLabeledValues::Lists ReadLabeledValues::madeLists() const
{
    Lists made = lists();
    for (const LabeledFieldValues &list : std::as_const(made)) {
        for (const LabeledValueRecordPtr &record : list.values)
            MVPerson::updateLabeledValue(list.identifier, record.get());
    }
    return made;
}

void ReadLabeledValues::applyTo(MVPerson &person) const
{
    Lists made = lists();
    if (made.isEmpty())
        return;
    person.setLabeledValues(made);
    if (!layout.isEmpty())
        person.shareHagakiLayoutText(layout);
}
