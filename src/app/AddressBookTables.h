#pragma once

#include "model/ContainerRecord.h"

#include <QString>
#include <QStringList>

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
    // Why, naming the file, when it could not be read.
    QString unreadableCause;
    // The side files written for a later save than the store's (the store
    // was put back from a backup); their records are applied as they stand.
    QStringList newerSideFiles;
};
