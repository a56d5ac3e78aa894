#pragma once

#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContainer.h"
#include "platform/contacts/StoreError.h"
#include "platform/contacts/StoreFetchRequest.h"
#include "platform/contacts/StoreGroup.h"
#include "platform/contacts/StorePredicate.h"
#include "platform/contacts/StoreSaveRequest.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class StoreConnectionPool;

// The contacts store: containers, groups and contacts in one SQLite file
// ("Contacts.sqlite" in the application-data folder unless a path is given).
//
// Every thread that uses a store object talks to the file over a connection of
// its own, opened on the thread's first call, so a worker can fetch while the
// main thread saves (the file is in WAL mode). A store object may be shared
// between threads; it must outlive their calls.
//
// A file that is not a store of ours, is damaged, or was written by a newer
// version is never written to: every call fails with an error naming the file.
// A write-protected file can be read; writes fail with ReadOnly until it can
// be written again, and then succeed without a new store object. A store held
// by another program fails with Busy after a wait of two seconds at most.
//
// Fetches give the contacts with the keys asked for; execute() applies a save
// request in one transaction, all or nothing.
class ContactStore {
public:
    enum class AuthorizationStatus { NotDetermined = 0, Restricted = 1, Denied = 2, Authorized = 3 };

    // How the process-wide access decision behaves. Linux has no contacts
    // permission, so the store is Authorized; the other behaviours let the
    // application's access flows be tested.
    enum class AccessBehaviour {
        Authorized,
        NotDeterminedThenGrant,
        NotDeterminedThenRefuse,
        Denied,
        Restricted,
    };
    using AccessCompletion = std::function<void(bool granted, const StoreError &error)>;

    // The store in the application-data folder.
    ContactStore();
    explicit ContactStore(const QString &filePath);
    ~ContactStore();
    ContactStore(const ContactStore &) = delete;
    ContactStore &operator=(const ContactStore &) = delete;

    [[nodiscard]] static QString defaultFilePath();
    [[nodiscard]] QString filePath() const;

    // Opens (and on first use creates) the file on the calling thread and
    // checks that it is a store of ours, that every page of it reads (at each
    // call: this is what a load costs beyond its fetches) and that it can be
    // written. Damaged: nothing is written to the file until a later open()
    // finds it whole. ReadOnly: the store can still be read. Every other call
    // opens the file itself, without these checks.
    bool open(StoreError *error = nullptr);
    // Whether the file exists but holds no store yet (no bytes, or an SQLite
    // file without a single table): what open() and every other call would
    // make a new store of. Looks at it read-only and writes nothing.
    [[nodiscard]] bool isEmptyFile() const;

    [[nodiscard]] static AuthorizationStatus authorizationStatus();
    // Answers on a thread of its own: granted exactly when the status is, or
    // becomes, Authorized. A NotDetermined status is decided by the answer.
    void requestAccess(const AccessCompletion &completion);
    // Resets the process-wide access decision (tests).
    static void setAccessBehaviour(AccessBehaviour behaviour);

    // The local container's identifier; empty when the store can't be opened.
    [[nodiscard]] QString defaultContainerIdentifier(StoreError *error = nullptr) const;
    // Adds an account container of the given type and answers it (with a new
    // identifier); nullopt when the store can't be written. The application
    // itself only ever shows what the store holds; account containers come
    // from outside (and from tests).
    std::optional<StoreContainer> addContainer(
        const QString &name, StoreContainer::Type type, StoreError *error = nullptr);
    [[nodiscard]] QList<StoreContainer> containersMatchingPredicate(
        const StorePredicate &predicate, StoreError *error = nullptr) const;
    [[nodiscard]] QList<StoreGroup> groupsMatchingPredicate(
        const StorePredicate &predicate, StoreError *error = nullptr) const;

    // One contact; nullopt (with RecordDoesNotExist) when the store lacks it.
    [[nodiscard]] std::optional<StoreContact> unifiedContactWithIdentifier(
        const QString &identifier, const QStringList &keysToFetch, StoreError *error = nullptr) const;
    // The identifiers of the predicate's contacts in the order they were
    // added to the store, their fields unread; empty when the fetch failed.
    [[nodiscard]] QStringList contactIdentifiersMatchingPredicate(
        const StorePredicate &predicate, StoreError *error = nullptr) const;
    // The identifiers of each group's members, as contactIdentifiersMatchingPredicate
    // gives them for the group, in the order of the groups asked for: one
    // read of the contacts' identifiers serves every group. A group the store
    // doesn't hold has none; nullopt when the store can't be read.
    [[nodiscard]] std::optional<QList<QStringList>> contactIdentifiersOfGroups(
        const QStringList &groupIdentifiers, StoreError *error = nullptr) const;
    // The same handed to member one by one, as the group's place among the
    // groups asked for and the identifier's UTF-8 text, which lives for the
    // call; false when the store can't be read.
    bool readMembersOfGroups(const QStringList &groupIdentifiers,
        const std::function<void(qsizetype, QByteArrayView)> &member, StoreError *error = nullptr) const;
    // Contacts in the order they were added to the store.
    [[nodiscard]] QList<StoreContact> unifiedContactsMatchingPredicate(
        const StorePredicate &predicate, const QStringList &keysToFetch, StoreError *error = nullptr) const;
    // Calls the block with each contact of the request in store order until it
    // sets *stop. False when the fetch failed (the block may have seen some
    // contacts by then).
    bool enumerateContactsWithFetchRequest(const StoreFetchRequest &request,
        const std::function<void(const StoreContact &, bool *stop)> &block, StoreError *error = nullptr) const;
    // The same contacts read whole, then decoded and handed to the block on
    // several threads at once, for a load whose every contact the block turns
    // into something of its own: `starting` hears first how many there are,
    // then the block gets each contact once with its place in store order,
    // from any thread and in no fixed order (it may move the contact away).
    // False when the fetch failed or a contact is damaged.
    bool enumerateContactsConcurrently(const StoreFetchRequest &request,
        const std::function<void(qsizetype count)> &starting,
        const std::function<void(qsizetype place, StoreContact &contact)> &block, StoreError *error = nullptr) const;

    // Applies the whole request or, on any failure, nothing. The store makes
    // the thumbnail of every saved contact that has an image.
    bool execute(const StoreSaveRequest &request, StoreError *error = nullptr);

    // The save generation of the last request that carried one, 0 when none
    // did; nullopt (with *error) when the store can't be read.
    [[nodiscard]] std::optional<qint64> saveGeneration(StoreError *error = nullptr) const;

private:
    std::unique_ptr<StoreConnectionPool> m_connections;
};
