#pragma once

#include "model/ContainerRecord.h"

// The three tables of an address book: every container with its groups, the
// selected group and the contact table shown. The window's panes are handed
// these very objects and change them in place.
struct AddressBookTables {
    ContainerTablePtr containerTable;
    GroupRecordPtr selectedGroupDict;
    ContactTablePtr contactTable;
};
