#pragma once

#include "platform/contacts/StorePostalAddress.h"

#include <QString>

#include <functional>

// Formats a postal address as the lines of an envelope, in the order of the
// address's country.
//
// A country's order is a template of postal-address keys in braces, one line
// per "\n" line: "{postalCode}\n{state}{city}\n{street}\n{country}". Empty
// parts drop out, and so do lines left empty. The built-in table knows a few
// countries; setFormatProvider() replaces it (the address-format data of the
// application plugs in here).
class StorePostalAddressFormatter {
public:
    enum class Style { MailingAddress = 0 };

    // Gives the template for an ISO country code in capitals, or an empty
    // string to fall back to the built-in table.
    using FormatProvider = std::function<QString(const QString &isoCountryCode)>;

    StorePostalAddressFormatter() = delete;

    // The country is the address's ISO country code, else the user's default
    // country (StoreUserDefaults::countryCode).
    [[nodiscard]] static QString stringFromPostalAddress(
        const StorePostalAddress &address, Style style = Style::MailingAddress);
    // The template used for a country.
    [[nodiscard]] static QString formatForCountry(const QString &isoCountryCode);
    // An empty provider restores the built-in table.
    static void setFormatProvider(const FormatProvider &provider);
};
