#pragma once

#include "app/AddressBookTables.h"
#include "app/RenmeiAndHagakiStore.h"
#include "model/UniqueId.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreError.h"
#include "platform/contacts/StoreGroup.h"
#include "platform/contacts/StorePredicate.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ContactStore;

// Reads the contacts store into the address book's tables: every container
// with its top group "All Contacts" and its groups, and the contacts of the
// chosen container, each in a new MVPerson with its side records applied
// (the file's first, then the key-value store's, which win), as they stand
// for the save the store last took.
//
// Touches no widget, so it runs on a worker for the first load. Alerts are
// handed to the poster, which must bring them to the main thread.
class AddressBookLoader {
public:
    using AlertPoster = std::function<void(const QString &message, const QString &informativeText)>;

    AddressBookLoader(ContactStore &store, const RenmeiAndHagakiStore &sideStore);

    void setAlertPoster(const AlertPoster &poster) { m_alertPoster = poster; }

    // The tables of the store. The preferred container is the one last shown
    // (empty: the store's default container); when the store has no usable
    // container, the selected group and contact table of previous are kept.
    // The store is checked first; a store that can't be read whole, or whose
    // contacts can't be fetched, gives an alert and empty tables marked
    // storeUnreadable. So does an empty store file beside side data that
    // holds records: it is no first start, and nothing is written to it. A
    // write-protected store is shown, after an alert.
    [[nodiscard]] AddressBookTables loadAddressBook(
        const QString &preferredContainerIdentifier, const AddressBookTables &previous = {}) const;

    // Every container with its top group and groups, but no contacts.
    [[nodiscard]] ContainerTablePtr aContainerTable() const;

    // The contacts of a group of the container, or without a group every
    // contact of the container; nullopt when they can't be fetched (with the
    // store's error in *error, when given).
    [[nodiscard]] std::optional<QList<StoreContact>> cnContactsForGroup(
        const std::optional<StoreGroup> &group, const QString &containerIdentifier, StoreError *error = nullptr) const;
    // The store identifiers of the same contacts, their fields unread.
    [[nodiscard]] std::optional<QStringList> contactIdentifiersForGroup(
        const std::optional<StoreGroup> &group, const QString &containerIdentifier) const;
    // The same for each of the container's groups, in their order, read
    // from the store at once; a group the container no longer holds has
    // none, and so has every group when the store can't be read.
    // The identities come from the store's bytes, without a text each.
    [[nodiscard]] QList<QList<UniqueId>> contactIdentifiersOfGroups(
        const QList<GroupRecordPtr> &groups, const QString &containerIdentifier) const;
    // The contacts of the identifiers, read in full.
    [[nodiscard]] QList<StoreContact> contactsWithIdentifiers(const QStringList &identifiers) const;

    // The contacts of the container's top group, each in a new MVPerson with
    // its side records applied as the load applies them; null when they
    // can't be fetched.
    [[nodiscard]] ContactTablePtr topGroupContactTable(
        const ContainerRecord &container, StoreError *error = nullptr) const;
    // Appends the container's groups as the store holds them, without their
    // contacts. A store that fails is logged; one that throws is also shown.
    void appendGroups(ContainerRecord &container) const;

    // The contact keys every fetch of the address book asks for.
    [[nodiscard]] static const QStringList &keysToFetch();
    // The same without the thumbnail, which the store makes itself on saving.
    [[nodiscard]] static const QStringList &keysToFetchForSave();

private:
    // The predicate of the group's contacts, nullopt when the container no
    // longer holds the group.
    [[nodiscard]] std::optional<StorePredicate> predicateForGroup(
        const StoreGroup &group, const QString &containerIdentifier, StoreError &error) const;
    [[nodiscard]] bool openStore(StoreError *error) const;
    // The alert for a store that failed: its message names the kind of
    // failure (damaged, write-protected, in use), else it is `otherwise`.
    void alertStoreFailure(const StoreError &error, const QString &otherwise) const;
    [[nodiscard]] static ContactRecordPtr makeContactRecord(
        StoreContact &&contact, const RenmeiAndHagakiRecords *fileRecords);
    [[nodiscard]] ContactTablePtr containerContactTable(
        const QString &containerIdentifier, const RenmeiAndHagakiRecords *fileRecords, StoreError *error) const;
    void applyKeyValueRecords(const ContactTable &table, std::optional<qint64> storeGeneration) const;
    [[nodiscard]] std::optional<qint64> storeGeneration() const;
    void postAlert(const QString &message, const QString &informativeText) const;

    ContactStore &m_store;
    const RenmeiAndHagakiStore &m_sideStore;
    AlertPoster m_alertPoster;
};
