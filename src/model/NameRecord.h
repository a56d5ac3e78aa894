#pragma once

#include <QString>
#include <QVariantMap>

#include <memory>

// The contact's name ("nameValue"): its parts, how it is ordered and whether
// the contact shows as a person or as a company.
struct NameRecord {
    QString firstName; // "FirstName"
    QString middleName; // "MiddleName"
    QString lastName; // "LastName"
    QString previousFamilyName; // "PreviousFamilyName"
    int nameOrdering = 0; // "nameOrdering": 0 system default, 1 first name first, 2 last name first
    bool showAsPerson = true; // "showAsPerson"
    QString stringValue; // "stringValue": the name as displayed

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static NameRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const NameRecord &) const = default;
};

using NameRecordPtr = std::shared_ptr<NameRecord>;
