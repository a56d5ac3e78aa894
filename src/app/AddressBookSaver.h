#pragma once

#include "model/ContainerRecord.h"

#include <QString>

#include <optional>

class ContactStore;
class RenmeiAndHagakiStore;

// Writes every pending change of the address book's tables: the side records
// of joint names and postcard layouts first, stamped with the generation the
// contacts store is to be given, then the store's request in one transaction
// with that generation. Until the store takes it, nothing counts as saved and
// the side data written reads as not made, so after an interruption at any
// moment each contact reads wholly as before or wholly as after the save.
class AddressBookSaver {
public:
    // What the user is told when a save fails: the message and its cause.
    struct Failure {
        QString messageText;
        QString informativeText;
    };

    AddressBookSaver(ContactStore &store, const RenmeiAndHagakiStore &sideStore);

    // nullopt when the store, the side-store file and the key-value store
    // were all written; the tables are then in line with the store. On a
    // failure the tables keep every pending change (the persons' flags
    // included), for the next save to write whatever is still unwritten.
    [[nodiscard]] std::optional<Failure> save(const ContainerTable &containerTable) const;

private:
    ContactStore &m_store;
    const RenmeiAndHagakiStore &m_sideStore;
};
