#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Values kept by the user defaults and the key-value store: strings, numbers,
// booleans, byte arrays and arrays and dictionaries of them, nested to any
// depth. Both stores write them as JSON and read them back whole, and both
// answer typed reads the same way.
namespace StoredValue {

// JSON form of a value. A byte array becomes {"$data": base64}; a dictionary
// key that begins with "$" gets one more "$", so no stored dictionary can be
// taken for a byte array. A value of any other kind is logged and stored as
// null.
[[nodiscard]] QJsonValue toJson(const QVariant &value);

// The value of a JSON form written by toJson(). Integers come back as
// qlonglong, other numbers as double, null as an invalid QVariant.
[[nodiscard]] QVariant fromJson(const QJsonValue &json);

// Typed reads as the stores answer them: a value of another kind gives the
// empty or zero result, except that strings and numbers convert into each
// other ("12" reads as the integer 12, 3 as the string "3").
// Any integer or floating-point kind (not booleans, not text).
[[nodiscard]] bool isNumber(const QVariant &value);
[[nodiscard]] QString toString(const QVariant &value);
[[nodiscard]] qint64 toInteger(const QVariant &value);
[[nodiscard]] double toDouble(const QVariant &value);
[[nodiscard]] bool toBool(const QVariant &value);
[[nodiscard]] QVariantList toArray(const QVariant &value);
[[nodiscard]] QVariantMap toDictionary(const QVariant &value);
[[nodiscard]] QByteArray toData(const QVariant &value);

} // namespace StoredValue
