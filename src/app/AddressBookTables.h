#pragma once

#include "model/ContainerRecord.h"

// The three tables of an address book: every container with its groups, the
// selected group and the contact table shown, and whether the store allowed
// them to be read. The window's panes are handed these very objects and
// change them in place.
struct AddressBookTables {
    ContainerTablePtr containerTable;
    GroupRecordPtr selectedGroupDict;
    ContactTablePtr contactTable;
    // The store could not be read whole (damaged, held by another program, or
    // a fetch failed): nothing of it is shown, and no save is offered into it.
    bool storeUnreadable = false;
};
