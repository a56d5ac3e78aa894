#pragma once

#include "platform/StoredValue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QVariant>

#include <ostream>

// Lets GoogleTest show a mismatching QVariant as the JSON the stores write,
// with its type name, instead of its bytes.
inline void PrintTo(const QVariant &value, std::ostream *out)
{
    const QByteArray json = QJsonDocument(QJsonArray{StoredValue::toJson(value)}).toJson(QJsonDocument::Compact);
    *out << (value.isValid() ? value.typeName() : "invalid") << ' ' << json.left(2000).toStdString();
}
