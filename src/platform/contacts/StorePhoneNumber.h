#pragma once

#include <QString>

#include <optional>

// A phone number as the user wrote it. The text is kept verbatim (no
// normalising: "+81 (3) 1234-5678" stays so); the only rule is that a number
// has text, so an empty string makes no number.
class StorePhoneNumber {
public:
    [[nodiscard]] static std::optional<StorePhoneNumber> phoneNumberWithStringValue(const QString &text);

    [[nodiscard]] const QString &stringValue() const { return m_stringValue; }

    friend bool operator==(const StorePhoneNumber &, const StorePhoneNumber &) = default;

private:
    explicit StorePhoneNumber(const QString &text)
        : m_stringValue(text)
    {
    }

    QString m_stringValue;
};
