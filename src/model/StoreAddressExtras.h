#pragma once

#include <QString>

// What an address record read from the store keeps of the store's postal
// address beyond its own fields: the two parts it has no field for, which the
// mailing form still shows. Held in the record's store-object slot, where
// holding it at all tells that the record was read from the store (its
// mailing form then shows its postal code); most addresses have neither
// part, and such a record holds it without room of its own.
struct StoreAddressExtras {
    QString subLocality;
    QString subAdministrativeArea;

    friend bool operator==(const StoreAddressExtras &, const StoreAddressExtras &) = default;
};
