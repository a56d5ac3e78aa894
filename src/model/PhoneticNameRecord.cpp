#include "model/PhoneticNameRecord.h"

#include "model/ContactIdentifier.h"
#include "model/ValueRecordKeys.h"

QVariantMap PhoneticNameRecord::toVariantMap() const
{
    QVariantMap map{{RecordKey::StringValue, stringValue}};
    if (!firstName.isEmpty())
        map.insert(FieldId::FirstName, firstName);
    if (!middleName.isEmpty())
        map.insert(FieldId::MiddleName, middleName);
    if (!lastName.isEmpty())
        map.insert(FieldId::LastName, lastName);
    return map;
}

PhoneticNameRecord PhoneticNameRecord::fromVariantMap(const QVariantMap &map)
{
    PhoneticNameRecord record;
    record.firstName = map.value(FieldId::FirstName).toString();
    record.middleName = map.value(FieldId::MiddleName).toString();
    record.lastName = map.value(FieldId::LastName).toString();
    record.stringValue = map.value(RecordKey::StringValue).toString();
    return record;
}
