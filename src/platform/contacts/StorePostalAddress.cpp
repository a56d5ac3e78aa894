#include "platform/contacts/StorePostalAddress.h"

#include "platform/contacts/ContactKeys.h"

QString StorePostalAddress::valueForKey(const QString &key) const
{
    if (key == ContactKeys::postalAddressStreet)
        return street;
    if (key == ContactKeys::postalAddressSubLocality)
        return subLocality;
    if (key == ContactKeys::postalAddressCity)
        return city;
    if (key == ContactKeys::postalAddressSubAdministrativeArea)
        return subAdministrativeArea;
    if (key == ContactKeys::postalAddressState)
        return state;
    if (key == ContactKeys::postalAddressPostalCode)
        return postalCode;
    if (key == ContactKeys::postalAddressCountry)
        return country;
    if (key == ContactKeys::postalAddressISOCountryCode)
        return isoCountryCode;
    return {};
}
