#include "platform/contacts/StorePostalAddress.h"

#include "platform/contacts/ContactKeys.h"

QString StorePostalAddress::valueForKey(const QString &key) const
{
    const Part part = partForKey(key);
    return part ? this->*part : QString();
}

StorePostalAddress::Part StorePostalAddress::partForKey(const QString &key)
{
    if (key == ContactKeys::postalAddressStreet)
        return &StorePostalAddress::street;
    if (key == ContactKeys::postalAddressSubLocality)
        return &StorePostalAddress::subLocality;
    if (key == ContactKeys::postalAddressCity)
        return &StorePostalAddress::city;
    if (key == ContactKeys::postalAddressSubAdministrativeArea)
        return &StorePostalAddress::subAdministrativeArea;
    if (key == ContactKeys::postalAddressState)
        return &StorePostalAddress::state;
    if (key == ContactKeys::postalAddressPostalCode)
        return &StorePostalAddress::postalCode;
    if (key == ContactKeys::postalAddressCountry)
        return &StorePostalAddress::country;
    if (key == ContactKeys::postalAddressISOCountryCode)
        return &StorePostalAddress::isoCountryCode;
    return nullptr;
}
