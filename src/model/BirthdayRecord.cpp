#include "model/BirthdayRecord.h"

#include "model/ValueRecordKeys.h"

QVariantMap BirthdayRecord::toVariantMap() const
{
    QVariantMap map{{RecordKey::StringValue, stringValue}};
    if (value)
        map.insert(RecordKey::Value, QVariant::fromValue(*value));
    return map;
}

BirthdayRecord BirthdayRecord::fromVariantMap(const QVariantMap &map)
{
    BirthdayRecord record;
    const QVariant value = map.value(RecordKey::Value);
    if (value.metaType() == QMetaType::fromType<StoreDateComponents>())
        record.value = value.value<StoreDateComponents>();
    record.stringValue = map.value(RecordKey::StringValue).toString();
    return record;
}
