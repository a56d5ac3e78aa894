// The keyed coding of a contact record: a JSON object with a version, under
// the record's field names. Store objects kept beside the plain values are
// not coded; the write-back does not need them.
#include "model/MVPerson.h"

#include <QJsonArray>
#include <QJsonValue>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString versionKey = u"version"_s;
const QString yearKey = u"year"_s;
const QString monthKey = u"month"_s;
const QString dayKey = u"day"_s;

QJsonObject jsonFromComponents(const StoreDateComponents &components)
{
    QJsonObject object;
    if (components.year)
        object.insert(yearKey, *components.year);
    if (components.month)
        object.insert(monthKey, *components.month);
    if (components.day)
        object.insert(dayKey, *components.day);
    return object;
}

StoreDateComponents componentsFromJson(const QJsonObject &object)
{
    StoreDateComponents components;
    if (object.contains(yearKey))
        components.year = object.value(yearKey).toInt();
    if (object.contains(monthKey))
        components.month = object.value(monthKey).toInt();
    if (object.contains(dayKey))
        components.day = object.value(dayKey).toInt();
    return components;
}

// Date parts (the only nested values of the records) become objects.
QJsonObject jsonFromMap(const QVariantMap &map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it->metaType() == QMetaType::fromType<StoreDateComponents>())
            object.insert(it.key(), jsonFromComponents(it->value<StoreDateComponents>()));
        else if (it->metaType() == QMetaType::fromType<QDate>())
            object.insert(it.key(), jsonFromComponents(StoreDateComponents::fromDate(it->toDate())));
        else
            object.insert(it.key(), QJsonValue::fromVariant(*it));
    }
    return object;
}

QVariantMap mapFromJson(const QJsonObject &object)
{
    QVariantMap map;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it->isObject())
            map.insert(it.key(), QVariant::fromValue(componentsFromJson(it->toObject())));
        else
            map.insert(it.key(), it->toVariant());
    }
    return map;
}

template <typename Record>
void encodeRecord(QJsonObject &coder, const QString &key, const std::shared_ptr<Record> &record)
{
    if (record)
        coder.insert(key, jsonFromMap(record->toVariantMap()));
}

template <typename Record> std::shared_ptr<Record> decodeRecord(const QJsonObject &coder, const QString &key)
{
    if (!coder.value(key).isObject())
        return nullptr;
    return std::make_shared<Record>(Record::fromVariantMap(mapFromJson(coder.value(key).toObject())));
}

void encodeList(QJsonObject &coder, const QString &key, const LabeledValueListPtr &records)
{
    if (!records)
        return;
    QJsonArray array;
    for (const LabeledValueRecordPtr &record : std::as_const(*records))
        array.append(jsonFromMap(record->toVariantMap()));
    coder.insert(key, array);
}

LabeledValueListPtr decodeList(const QJsonObject &coder, const QString &key)
{
    if (!coder.value(key).isArray())
        return nullptr;
    auto records = std::make_shared<LabeledValueList>();
    for (const QJsonValue &value : coder.value(key).toArray())
        records->append(
            std::make_shared<LabeledValueRecord>(LabeledValueRecord::fromVariantMap(mapFromJson(value.toObject()))));
    return records;
}

} // namespace

const QList<std::pair<QString, PersonCaches::Slot<LabeledValueList>>> &MVPerson::codedLists()
{
    static const QList<std::pair<QString, PersonCaches::Slot<LabeledValueList>>> lists{
        {u"phoneValues"_s, PersonCaches::Phone},
        {u"emailValues"_s, PersonCaches::Email},
        {u"addressValues"_s, PersonCaches::Address},
        {u"urlValues"_s, PersonCaches::Url},
        {u"relationshipValues"_s, PersonCaches::Relationship},
        {u"snsValues"_s, PersonCaches::Sns},
        {u"imsValues"_s, PersonCaches::Ims},
        {u"datesValues"_s, PersonCaches::Dates},
    };
    return lists;
}

void MVPerson::encodeWithCoder(QJsonObject &coder) const
{
    coder.insert(versionKey, CodingVersion);
    coder.insert(u"defaultNameOrdering"_s, m_defaultNameOrdering);
    coder.insert(u"defaultCountryCode"_s, defaultCountryCode());
    coder.insert(u"showAsPerson"_s, m_showAsPerson ? 1 : 0);
    coder.insert(u"compositeName"_s, m_compositeName);
    encodeRecord(coder, u"nameValue"_s, m_nameValue);
    encodeRecord(coder, u"phoneticNameValue"_s, m_caches.get(PersonCaches::PhoneticName));
    for (const auto &[key, cache] : codedLists())
        encodeList(coder, key, m_caches.get(cache));
    encodeRecord(coder, u"birthdayValue"_s, m_caches.get(PersonCaches::Birthday));
    encodeRecord(coder, u"stringValues"_s, m_caches.get(PersonCaches::Strings));
    // Present exactly when the photo was read or set, empty when removed.
    if (m_photoHeld)
        coder.insert(u"imageData"_s, QString::fromLatin1(imageData().toBase64()));
    if (!thumbnailImageData().isEmpty())
        coder.insert(u"thumbnailImageData"_s, QString::fromLatin1(thumbnailImageData().toBase64()));
    coder.insert(u"created"_s, m_created ? 1 : 0);
    coder.insert(u"changed"_s, m_changed ? 1 : 0);
    coder.insert(u"uniqueId"_s, m_uniqueId.toString());
    coder.insert(u"uniqueId2"_s, uniqueId2());
}

MVPersonPtr MVPerson::initWithCoder(const QJsonObject &coder)
{
    const int version = coder.value(versionKey).toInt();
    if (version > CodingVersion) {
        qWarning("%s: ERROR coding version %d is newer than %d", Q_FUNC_INFO, version, CodingVersion);
        return nullptr;
    }
    // The layouts and the name ordering are not coded: they keep a new
    // record's values.
    MVPersonPtr person = init();
    person->m_defaultNameOrdering = coder.value(u"defaultNameOrdering"_s).toInt();
    person->m_defaultCountryCode = coder.value(u"defaultCountryCode"_s).toString();
    person->m_showAsPerson = coder.value(u"showAsPerson"_s).toInt(1) != 0;
    person->m_compositeName = coder.value(u"compositeName"_s).toString();
    person->m_nameValue = decodeRecord<NameRecord>(coder, u"nameValue"_s);
    person->m_caches.set(PersonCaches::PhoneticName, decodeRecord<PhoneticNameRecord>(coder, u"phoneticNameValue"_s));
    for (const auto &[key, cache] : codedLists())
        person->m_caches.set(cache, decodeList(coder, key));
    person->m_caches.set(PersonCaches::Birthday, decodeRecord<BirthdayRecord>(coder, u"birthdayValue"_s));
    person->m_caches.set(PersonCaches::Strings, decodeRecord<StringValuesRecord>(coder, u"stringValues"_s));
    person->m_photoHeld = coder.contains(u"imageData"_s);
    person->m_rare.setText(
        &RareFields::imageData, QByteArray::fromBase64(coder.value(u"imageData"_s).toString().toLatin1()));
    person->m_rare.setText(&RareFields::thumbnailImageData,
        QByteArray::fromBase64(coder.value(u"thumbnailImageData"_s).toString().toLatin1()));
    person->m_created = coder.value(u"created"_s).toInt() != 0;
    person->m_changed = coder.value(u"changed"_s).toInt() != 0;
    person->m_uniqueId = coder.value(u"uniqueId"_s).toString();
    person->setUniqueId2(coder.value(u"uniqueId2"_s).toString());
    return person;
}
