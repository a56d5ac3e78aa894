#pragma once

#include "model/HeapText.h"

#include <QString>
#include <QVariantMap>

#include <memory>

// The contact's name ("nameValue"): its parts, how it is ordered and whether
// the contact shows as a person or as a company.
struct NameRecord {
    QString firstName; // "FirstName"
    HeapString middleName; // "MiddleName": rarely set, so kept on the heap
    QString lastName; // "LastName"
    HeapString previousFamilyName; // "PreviousFamilyName": rarely set, so kept on the heap
    int nameOrdering = 0; // "nameOrdering": 0 system default, 1 first name first, 2 last name first
    bool showAsPerson = true; // "showAsPerson"
    QString stringValue; // "stringValue": the name as displayed

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static NameRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const NameRecord &) const = default;
};

using NameRecordPtr = std::shared_ptr<NameRecord>;
