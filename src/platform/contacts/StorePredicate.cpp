#include "platform/contacts/StorePredicate.h"

StorePredicate StorePredicate::predicateForContactsWithIdentifiers(const QStringList &identifiers)
{
    return {Kind::ContactsWithIdentifiers, identifiers};
}

StorePredicate StorePredicate::predicateForContactsInContainerWithIdentifier(const QString &containerIdentifier)
{
    return {Kind::ContactsInContainer, {containerIdentifier}};
}

StorePredicate StorePredicate::predicateForContactsInGroupWithIdentifier(const QString &groupIdentifier)
{
    return {Kind::ContactsInGroup, {groupIdentifier}};
}

StorePredicate StorePredicate::predicateForGroupsInContainerWithIdentifier(const QString &containerIdentifier)
{
    return {Kind::GroupsInContainer, {containerIdentifier}};
}
