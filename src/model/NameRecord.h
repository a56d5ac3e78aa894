#pragma once

#include "model/HeapFields.h"

#include <QString>
#include <QVariantMap>

#include <memory>

// The contact's name ("nameValue"): its parts, how it is ordered and whether
// the contact shows as a person or as a company.
struct NameRecord {
    QString firstName; // "FirstName"
    QString lastName; // "LastName"
    QString stringValue; // "stringValue": the name as displayed

private:
    // Few names have either part, and every contact holds a name: the two
    // share one pointer.
    struct RareParts {
        QString middleName;
        QString previousFamilyName;
        bool operator==(const RareParts &) const = default;
    };
    // Before the small members, so that the room after them is left at the
    // end, where a contact keeps its own flags.
    HeapFields<RareParts> m_rareParts;

public:
    int nameOrdering = 0; // "nameOrdering": 0 system default, 1 first name first, 2 last name first
    bool showAsPerson = true; // "showAsPerson"

    // "MiddleName" and "PreviousFamilyName", null until set.
    [[nodiscard]] const QString &middleName() const { return m_rareParts->middleName; }
    void setMiddleName(const QString &text) { m_rareParts.setText(&RareParts::middleName, text); }
    [[nodiscard]] const QString &previousFamilyName() const { return m_rareParts->previousFamilyName; }
    void setPreviousFamilyName(const QString &text) { m_rareParts.setText(&RareParts::previousFamilyName, text); }

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static NameRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const NameRecord &) const = default;
};

using NameRecordPtr = std::shared_ptr<NameRecord>;
