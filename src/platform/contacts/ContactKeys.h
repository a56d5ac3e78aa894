#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

// The names of the fields of a store contact and of a postal address. Fetch
// requests list them as keys to fetch, a fetched contact answers
// isKeyAvailable() with them, and the contact model maps its own field
// identifiers onto them. The strings are stored in nothing but are part of the
// API: callers keep them in lists and maps, so they never change.
class ContactKeys {
public:
    ContactKeys() = delete;

    static constexpr QLatin1StringView identifier{"identifier"};
    static constexpr QLatin1StringView contactType{"contactType"};
    static constexpr QLatin1StringView namePrefix{"namePrefix"};
    static constexpr QLatin1StringView givenName{"givenName"};
    static constexpr QLatin1StringView middleName{"middleName"};
    static constexpr QLatin1StringView familyName{"familyName"};
    static constexpr QLatin1StringView previousFamilyName{"previousFamilyName"};
    static constexpr QLatin1StringView nameSuffix{"nameSuffix"};
    static constexpr QLatin1StringView nickname{"nickname"};
    static constexpr QLatin1StringView phoneticGivenName{"phoneticGivenName"};
    static constexpr QLatin1StringView phoneticMiddleName{"phoneticMiddleName"};
    static constexpr QLatin1StringView phoneticFamilyName{"phoneticFamilyName"};
    static constexpr QLatin1StringView phoneticOrganizationName{"phoneticOrganizationName"};
    static constexpr QLatin1StringView organizationName{"organizationName"};
    static constexpr QLatin1StringView departmentName{"departmentName"};
    static constexpr QLatin1StringView jobTitle{"jobTitle"};
    static constexpr QLatin1StringView note{"note"};
    static constexpr QLatin1StringView birthday{"birthday"};
    static constexpr QLatin1StringView dates{"dates"};
    static constexpr QLatin1StringView phoneNumbers{"phoneNumbers"};
    static constexpr QLatin1StringView emailAddresses{"emailAddresses"};
    static constexpr QLatin1StringView postalAddresses{"postalAddresses"};
    static constexpr QLatin1StringView urlAddresses{"urlAddresses"};
    static constexpr QLatin1StringView contactRelations{"contactRelations"};
    static constexpr QLatin1StringView socialProfiles{"socialProfiles"};
    static constexpr QLatin1StringView instantMessageAddresses{"instantMessageAddresses"};
    static constexpr QLatin1StringView imageData{"imageData"};
    static constexpr QLatin1StringView thumbnailImageData{"thumbnailImageData"};

    // The parts of a postal address. The ISO country code is also the key
    // under which the contact model keeps it in its address records.
    static constexpr QLatin1StringView postalAddressStreet{"street"};
    static constexpr QLatin1StringView postalAddressSubLocality{"subLocality"};
    static constexpr QLatin1StringView postalAddressCity{"city"};
    static constexpr QLatin1StringView postalAddressSubAdministrativeArea{"subAdministrativeArea"};
    static constexpr QLatin1StringView postalAddressState{"state"};
    static constexpr QLatin1StringView postalAddressPostalCode{"postalCode"};
    static constexpr QLatin1StringView postalAddressCountry{"country"};
    static constexpr QLatin1StringView postalAddressISOCountryCode{"ISOCountryCode"};

    // Every contact key above, in a fixed order (identifier first).
    [[nodiscard]] static const QStringList &allContactKeys();
    // The contact keys whose value is one string (the names, organisation,
    // department, job title and note); StoreContact::setStringForKey takes them.
    [[nodiscard]] static const QStringList &stringContactKeys();
    // Position of a contact key in allContactKeys(), -1 for anything else.
    [[nodiscard]] static int indexOfContactKey(const QString &key);
    [[nodiscard]] static int indexOfContactKey(QLatin1StringView key);

    // The English name of a contact key or a postal-address key, through tr()
    // so that translations apply ("givenName" → "First name"); an unknown key
    // comes back unchanged.
    [[nodiscard]] static QString localizedStringForKey(const QString &key);
};
