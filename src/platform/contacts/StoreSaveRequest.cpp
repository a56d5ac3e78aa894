#include "platform/contacts/StoreSaveRequest.h"

void StoreSaveRequest::addContact(const StoreContact &contact, const QString &containerIdentifier)
{
    m_addedContacts.append({contact, containerIdentifier});
}

void StoreSaveRequest::updateContact(const StoreContact &contact)
{
    m_updatedContacts.append(contact);
}

void StoreSaveRequest::deleteContact(const StoreContact &contact)
{
    m_deletedContacts.append(contact.identifier());
}

void StoreSaveRequest::addGroup(const StoreGroup &group, const QString &containerIdentifier)
{
    m_addedGroups.append({group, containerIdentifier});
}

void StoreSaveRequest::updateGroup(const StoreGroup &group)
{
    m_updatedGroups.append(group);
}

void StoreSaveRequest::deleteGroup(const StoreGroup &group)
{
    m_deletedGroups.append(group.identifier());
}

void StoreSaveRequest::addMember(const StoreContact &contact, const StoreGroup &group)
{
    m_addedMembers.append({contact.identifier(), group.identifier()});
}

void StoreSaveRequest::removeMember(const StoreContact &contact, const StoreGroup &group)
{
    m_removedMembers.append({contact.identifier(), group.identifier()});
}

bool StoreSaveRequest::isEmpty() const
{
    return m_addedContacts.isEmpty() && m_updatedContacts.isEmpty() && m_deletedContacts.isEmpty()
        && m_addedGroups.isEmpty() && m_updatedGroups.isEmpty() && m_deletedGroups.isEmpty() && m_addedMembers.isEmpty()
        && m_removedMembers.isEmpty();
}
