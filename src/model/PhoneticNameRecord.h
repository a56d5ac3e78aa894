#pragma once

#include <QString>
#include <QVariantMap>

#include <memory>

// The phonetic name ("phoneticNameValue"). A part is written into a
// dictionary only when it holds text.
struct PhoneticNameRecord {
    QString firstName; // "FirstName"
    QString middleName; // "MiddleName"
    QString lastName; // "LastName"
    QString stringValue; // "stringValue"

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static PhoneticNameRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const PhoneticNameRecord &) const = default;
};

using PhoneticNameRecordPtr = std::shared_ptr<PhoneticNameRecord>;
