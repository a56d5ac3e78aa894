#pragma once

#include <QHash>
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
    // The names the address editor offers for the state field: its codes
    // ("StateCodes"), or its names in one language ("States.<language>"), or
    // in English ("States"). Most countries have none.
    QStringList stateCodes;
    QStringList states;
    QHash<QString, QStringList> statesByLanguage; // keyed by language code

    // The list to offer in a language: the codes, else that language's
    // names, else the English ones; empty when the country has none.
    [[nodiscard]] QStringList stateChoices(const QString &language) const;

    [[nodiscard]] QVariantMap toVariantMap() const;
    // Reads the resource keys; "Order" and the localized keys are made by the table.
    [[nodiscard]] static AddressFormatRow fromVariantMap(const QVariantMap &map);

    // formatString less its left-to-right marks, split at every white-space
    // character; consecutive separators give empty tokens, which match no field.
    [[nodiscard]] static QStringList orderFromFormatString(const QString &formatString);
};

using AddressFormatRowPtr = std::shared_ptr<AddressFormatRow>;
