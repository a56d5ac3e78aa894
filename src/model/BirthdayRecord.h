#pragma once

#include "platform/contacts/StoreDateComponents.h"

#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

// The birthday ("birthdayValue"): its date parts when there is one, and its
// display text "yyyy.MM.dd(EEE)".
struct BirthdayRecord {
    std::optional<StoreDateComponents> value; // "value"
    QString stringValue; // "stringValue"

    [[nodiscard]] QVariantMap toVariantMap() const;
    [[nodiscard]] static BirthdayRecord fromVariantMap(const QVariantMap &map);

    bool operator==(const BirthdayRecord &) const = default;
};

using BirthdayRecordPtr = std::shared_ptr<BirthdayRecord>;
