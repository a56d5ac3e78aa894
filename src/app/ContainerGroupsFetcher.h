#pragma once

#include "model/ContainerRecord.h"
#include "model/UniqueId.h"

class ContactStore;
class RenmeiAndHagakiStore;

// Gives every group of a container a table of its members whose rows hold
// the top group's persons, so that one contact is one person everywhere in
// the window: the top group's contacts are read first when they aren't yet,
// a group table that exists already is kept and bound to them, and the
// others are read as their members' identifiers.
class ContainerGroupsFetcher {
public:
    ContainerGroupsFetcher(ContactStore &store, const RenmeiAndHagakiStore &sideStore);

    // False when the top group's contacts can't be read.
    bool fetchGroups(const ContainerRecord &container) const;
    // The first of the containers whose contacts weren't read yet that holds
    // the contact, its groups fetched; null when none does or its contacts
    // can't be read. A load reads the chosen container only.
    [[nodiscard]] ContainerRecordPtr fetchContainerHolding(
        const ContainerTable &containers, const UniqueId &uniqueId) const;

private:
    ContactStore &m_store;
    const RenmeiAndHagakiStore &m_sideStore;
};
