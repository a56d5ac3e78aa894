#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <optional>

// One country of the address-format table. The table and the dictionary by
// country code hold the same row objects.
struct AddressFormatRow {
    QString countryCode; // "CountryCode": two capital letters
    QString country; // "Country": the name as callers pass it, in capitals
    QString alpha3; // "Alpha3"
    QString formatString; // "formatString": field identifiers separated by white space
    QStringList order; // "Order": formatString split at every white-space character
    std::optional<QString> localizedCountry; // "LocalizedCountry": only for a non-English user
    std::optional<QString> language; // "Language": the user's two-letter language
    // A merged row also carries its localized name under "Country.<language>".
    bool keyedByLanguage = false;

    [[nodiscard]] QVariantMap toVariantMap() const;
    // Reads the resource keys; "Order" and the localized keys are made by the table.
    [[nodiscard]] static AddressFormatRow fromVariantMap(const QVariantMap &map);

    // formatString less its left-to-right marks, split at every white-space
    // character; consecutive separators give empty tokens, which match no field.
    [[nodiscard]] static QStringList orderFromFormatString(const QString &formatString);
};

using AddressFormatRowPtr = std::shared_ptr<AddressFormatRow>;
