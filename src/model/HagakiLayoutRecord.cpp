#include "model/HagakiLayoutRecord.h"

#include "model/ValueRecordKeys.h"

QVariantMap HagakiLayoutRecord::toVariantMap() const
{
    QVariantMap map;
    map.insert(RecordKey::LabelIndex, labelIndex);
    if (label)
        map.insert(RecordKey::Label, *label);
    insertInto(map);
    if (!stringValue.isNull())
        map.insert(RecordKey::StringValue, stringValue);
    return map;
}

HagakiLayoutRecord HagakiLayoutRecord::fromVariantMap(const QVariantMap &map)
{
    HagakiLayoutRecord record;
    record.labelIndex = map.value(RecordKey::LabelIndex).toLongLong();
    if (map.contains(RecordKey::Label))
        record.label = map.value(RecordKey::Label).toString();
    record.readFrom(map);
    record.stringValue = map.value(RecordKey::StringValue).toString();
    return record;
}
