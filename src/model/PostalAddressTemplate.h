#pragma once

#include <QString>
#include <QStringList>

// The envelope template of the contacts store's postal-address formatter made
// from a country's field order in the address-format data, so that the
// store's formatted address and the one-line text follow the same order.
class PostalAddressTemplate {
public:
    PostalAddressTemplate() = delete;

    // "Street City State ZIP Country" → "{street}\n{city} {state} {postalCode}\n{country}":
    // the street and the country each on a line of their own, the runs of
    // city, state and postal code between them on one line. Unknown tokens
    // are skipped; an order without any field gives "".
    [[nodiscard]] static QString fromOrder(const QStringList &order);

    // The template of a country of the application's address-format table,
    // or "" (the formatter then uses its own) for a country it lacks.
    [[nodiscard]] static QString forCountry(const QString &isoCountryCode);

    // Makes the store's formatter use forCountry. Called once, when the
    // contact model's class tables are built.
    static void install();
};
