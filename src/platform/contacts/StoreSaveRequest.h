#pragma once

#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreGroup.h"

#include <QList>
#include <QString>

#include <optional>

// Changes to the store that are written together: ContactStore::execute()
// applies all of them in one transaction or none.
//
// The operations are applied by kind, not in the order they were added:
// groups are added, contacts added, contacts updated, groups updated, members
// added, members removed, contacts deleted, groups deleted. So a request may
// add a group and a contact and make the contact a member of that group.
// An empty container identifier means the store's default container.
class StoreSaveRequest {
public:
    struct ContactInContainer {
        StoreContact contact;
        QString containerIdentifier;
    };
    struct GroupInContainer {
        StoreGroup group;
        QString containerIdentifier;
    };
    struct Membership {
        QString contactIdentifier;
        QString groupIdentifier;
    };

    void addContact(const StoreContact &contact, const QString &containerIdentifier = {});
    void updateContact(const StoreContact &contact);
    void deleteContact(const StoreContact &contact);
    void addGroup(const StoreGroup &group, const QString &containerIdentifier = {});
    void updateGroup(const StoreGroup &group);
    void deleteGroup(const StoreGroup &group);
    void addMember(const StoreContact &contact, const StoreGroup &group);
    void removeMember(const StoreContact &contact, const StoreGroup &group);

    // A number the store keeps with the changes, in the same transaction, so
    // that files written beside the store can tell whether it took them.
    void setSaveGeneration(qint64 generation) { m_saveGeneration = generation; }
    [[nodiscard]] std::optional<qint64> saveGeneration() const { return m_saveGeneration; }

    // No change (a save generation alone is none).
    [[nodiscard]] bool isEmpty() const;
    [[nodiscard]] const QList<ContactInContainer> &addedContacts() const { return m_addedContacts; }
    [[nodiscard]] const QList<StoreContact> &updatedContacts() const { return m_updatedContacts; }
    [[nodiscard]] const QList<QString> &deletedContactIdentifiers() const { return m_deletedContacts; }
    [[nodiscard]] const QList<GroupInContainer> &addedGroups() const { return m_addedGroups; }
    [[nodiscard]] const QList<StoreGroup> &updatedGroups() const { return m_updatedGroups; }
    [[nodiscard]] const QList<QString> &deletedGroupIdentifiers() const { return m_deletedGroups; }
    [[nodiscard]] const QList<Membership> &addedMembers() const { return m_addedMembers; }
    [[nodiscard]] const QList<Membership> &removedMembers() const { return m_removedMembers; }

private:
    QList<ContactInContainer> m_addedContacts;
    QList<StoreContact> m_updatedContacts;
    QList<QString> m_deletedContacts;
    QList<GroupInContainer> m_addedGroups;
    QList<StoreGroup> m_updatedGroups;
    QList<QString> m_deletedGroups;
    QList<Membership> m_addedMembers;
    QList<Membership> m_removedMembers;
    std::optional<qint64> m_saveGeneration;
};
