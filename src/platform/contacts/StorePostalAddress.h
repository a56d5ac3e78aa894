#pragma once

#include <QString>

// A postal address in parts, as the store keeps it. The part names match the
// postal-address keys of ContactKeys.
struct StorePostalAddress {
    QString street{};
    QString subLocality{};
    QString city{};
    QString subAdministrativeArea{};
    QString state{};
    QString postalCode{};
    QString country{};
    QString isoCountryCode{};

    // The part named by a postal-address key of ContactKeys; empty for any
    // other key.
    [[nodiscard]] QString valueForKey(const QString &key) const;
    // The member that holds the part a key names; null for any other key.
    using Part = QString StorePostalAddress::*;
    [[nodiscard]] static Part partForKey(const QString &key);

    friend bool operator==(const StorePostalAddress &, const StorePostalAddress &) = default;
};
