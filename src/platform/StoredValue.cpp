#include "platform/StoredValue.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

const QString dataKey = QStringLiteral("$data");
const QLatin1Char escapeMark('$');

QString escapedKey(const QString &key)
{
    return key.startsWith(escapeMark) ? escapeMark + key : key;
}

QString unescapedKey(const QString &key)
{
    return key.startsWith(escapeMark) ? key.mid(1) : key;
}

QJsonObject dictionaryToJson(const QVariantMap &map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        object.insert(escapedKey(it.key()), StoredValue::toJson(it.value()));
    return object;
}

QJsonArray arrayToJson(const QVariantList &list)
{
    QJsonArray array;
    for (const QVariant &item : list)
        array.append(StoredValue::toJson(item));
    return array;
}

bool isIntegral(const QVariant &value)
{
    return StoredValue::isNumber(value) && value.typeId() != QMetaType::Double && value.typeId() != QMetaType::Float;
}

} // namespace

namespace StoredValue {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QJsonValue toJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return QJsonValue::Null;
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QJsonObject{{dataKey, QString::fromLatin1(value.toByteArray().toBase64())}};
    case QMetaType::QVariantMap:
        return dictionaryToJson(value.toMap());
    case QMetaType::QVariantHash:
        return dictionaryToJson(toDictionary(value));
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return arrayToJson(value.toList());
    default:
        break;
    }
    if (isIntegral(value))
        return QJsonValue(value.toLongLong());
    if (isNumber(value))
        return QJsonValue(value.toDouble());
    qWarning("%s: ERROR can't store a value of type %s", Q_FUNC_INFO, value.typeName());
    return QJsonValue::Null;
}

QVariant fromJson(const QJsonValue &json)
{
    switch (json.type()) {
    case QJsonValue::Bool:
        return json.toBool();
    case QJsonValue::Double:
        // Integers come back as qlonglong, exactly, even beyond 2^53.
        return json.toVariant();
    case QJsonValue::String:
        return json.toString();
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue &item : json.toArray())
            list.append(fromJson(item));
        return list;
    }
    case QJsonValue::Object: {
        const QJsonObject object = json.toObject();
        if (object.size() == 1 && object.contains(dataKey) && object.value(dataKey).isString())
            return QByteArray::fromBase64(object.value(dataKey).toString().toLatin1());
        QVariantMap map;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it)
            map.insert(unescapedKey(it.key()), fromJson(it.value()));
        return map;
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

QString toString(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (isIntegral(value))
        return QString::number(value.toLongLong());
    if (isNumber(value))
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return {};
}

qint64 toInteger(const QVariant &value)
{
    if (isIntegral(value))
        return value.toLongLong();
    const double number = toDouble(value);
    if (!std::isfinite(number) || std::abs(number) >= 0x1p63)
        return 0;
    return static_cast<qint64>(number);
}

double toDouble(const QVariant &value)
{
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1.0 : 0.0;
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        return ok ? number : 0.0;
    }
    return 0.0;
}

bool toBool(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
            || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        return toInteger(value) != 0;
    }
    return isNumber(value) && value.toDouble() != 0.0;
}

QVariantList toArray(const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    return {};
}

QVariantMap toDictionary(const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantMap)
        return value.toMap();
    QVariantMap map;
    if (value.typeId() == QMetaType::QVariantHash) {
        const QVariantHash hash = value.toHash();
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            map.insert(it.key(), it.value());
    }
    return map;
}

QByteArray toData(const QVariant &value)
{
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

} // namespace StoredValue
