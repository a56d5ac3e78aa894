#include "model/NameRecord.h"

#include "model/ContactIdentifier.h"
#include "model/ValueRecordKeys.h"

QVariantMap NameRecord::toVariantMap() const
{
    return {
        {FieldId::FirstName, firstName},
        {FieldId::MiddleName, middleName()},
        {FieldId::LastName, lastName},
        {FieldId::PreviousFamilyName, previousFamilyName()},
        {RecordKey::NameOrdering, nameOrdering},
        {RecordKey::ShowAsPerson, showAsPerson},
        {RecordKey::StringValue, stringValue},
    };
}

NameRecord NameRecord::fromVariantMap(const QVariantMap &map)
{
    NameRecord record;
    record.firstName = map.value(FieldId::FirstName).toString();
    record.setMiddleName(map.value(FieldId::MiddleName).toString());
    record.lastName = map.value(FieldId::LastName).toString();
    record.setPreviousFamilyName(map.value(FieldId::PreviousFamilyName).toString());
    record.nameOrdering = map.value(RecordKey::NameOrdering).toInt();
    record.showAsPerson = map.value(RecordKey::ShowAsPerson, true).toBool();
    record.stringValue = map.value(RecordKey::StringValue).toString();
    return record;
}
