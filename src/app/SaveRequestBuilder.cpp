#include "app/SaveRequestBuilder.h"

#include "app/AddressBookLoader.h"
#include "model/MVPerson.h"
#include "platform/contacts/ContactStore.h"

#include <QSet>

#include <algorithm>

// What the top group of one container decided, for its other groups.
struct SaveRequestBuilder::ContainerState {
    QString containerIdentifier;
    // Stored contacts of the persons the save updates, deletes or changes
    // memberships of, by uniqueId.
    QHash<QString, StoreContact> storedContacts;
    // Persons added to the store by this save, as the contact they are added as.
    QHash<const MVPerson *, StoreContact> addedContacts;
    // Persons that leave the store with this save, or never reach it.
    QSet<const MVPerson *> removedPersons;
};

namespace {

// The persons of the top group in row order, each once, with all their rows
// (a contact may stand on two rows of one table until the next load).
struct PersonRows {
    MVPersonPtr person;
    QList<ContactRecordPtr> rows;
};

[[nodiscard]] QList<PersonRows> personsOf(const ContactTable &table)
{
    QList<PersonRows> persons;
    QHash<const MVPerson *, qsizetype> positions;
    for (const ContactRecordPtr &row : table) {
        if (!row->person)
            continue;
        auto position = positions.constFind(row->person.get());
        if (position == positions.cend()) {
            position = positions.insert(row->person.get(), persons.size());
            persons.append({row->person, {}});
        }
        persons[*position].rows.append(row);
    }
    return persons;
}

[[nodiscard]] bool isDeleted(const QList<ContactRecordPtr> &rows)
{
    return std::any_of(rows.cbegin(), rows.cend(), [](const ContactRecordPtr &row) { return row->deleted; });
}

// The stored contact of a person the save changes or deletes; null, and
// logged, when another program removed it from the store since the load.
[[nodiscard]] const StoreContact *storedContactOf(const QHash<QString, StoreContact> &stored, const MVPerson &person)
{
    const auto found = stored.constFind(person.uniqueId());
    if (found != stored.cend())
        return &*found;
    qWarning("%s: ERROR %s is no longer in the store", Q_FUNC_INFO, qPrintable(person.uniqueId()));
    return nullptr;
}

} // namespace

void SaveRequestBuilder::Plan::applySucceeded()
{
    for (const auto &[person, contact] : std::as_const(createdContacts))
        person->setCnContact(contact);
    for (const auto &[row, contact] : std::as_const(updatedRows))
        row->setCnContact(contact);
    for (const MVPersonPtr &person : std::as_const(savedPersons)) {
        person->setCreated(false);
        person->setChanged(false);
    }
}

SaveRequestBuilder::SaveRequestBuilder(const ContactStore &store)
    : m_store(store)
{
}

SaveRequestBuilder::Plan SaveRequestBuilder::saveAddressBook(const ContainerTable &containerTable) const
{
    Plan plan;
    for (const ContainerRecordPtr &container : containerTable)
        addContainer(*container, plan);
    return plan;
}

void SaveRequestBuilder::addContainer(const ContainerRecord &container, Plan &plan) const
{
    ContainerState state;
    state.containerIdentifier = container.identifier;
    state.storedContacts = fetchStoredContacts(container, &plan.fetchError);
    for (const GroupRecordPtr &group : std::as_const(*container.groups)) {
        if (group->top)
            addTopGroup(*group, state, plan);
        else
            addGroup(*group, state, plan);
    }
}

// One fetch for every stored contact the container's changes name, instead
// of one per contact.
QHash<QString, StoreContact> SaveRequestBuilder::fetchStoredContacts(
    const ContainerRecord &container, QString *fetchError) const
{
    QStringList identifiers;
    for (const GroupRecordPtr &group : std::as_const(*container.groups)) {
        if (!group->contactTable || (group->deleted && !group->top))
            continue;
        for (const ContactRecordPtr &row : std::as_const(*group->contactTable)) {
            if (!row->person || row->person->created())
                continue;
            const bool pending
                = group->top ? (row->deleted || row->person->changed()) : (group->isNew || row->isNew || row->deleted);
            if (pending)
                identifiers.append(row->person->uniqueId());
        }
    }
    QHash<QString, StoreContact> contacts;
    if (identifiers.isEmpty())
        return contacts;
    identifiers.removeDuplicates();
    StoreError error;
    const QList<StoreContact> fetched
        = m_store.unifiedContactsMatchingPredicate(StorePredicate::predicateForContactsWithIdentifiers(identifiers),
            AddressBookLoader::keysToFetchForSave(), &error);
    if (error.isError()) {
        qWarning("%s: ERROR %s", Q_FUNC_INFO, qPrintable(error.description));
        *fetchError = error.description;
        return contacts;
    }
    contacts.reserve(fetched.size());
    for (const StoreContact &contact : fetched)
        contacts.insert(contact.identifier(), contact);
    return contacts;
}

void SaveRequestBuilder::addTopGroup(const GroupRecord &top, ContainerState &state, Plan &plan) const
{
    if (!top.contactTable)
        return;
    for (const PersonRows &entry : personsOf(*top.contactTable))
        addPerson(entry.person, entry.rows, state, plan);
}

// Deletion wins over creation and change: a contact the user deleted is never
// written back, and one created and deleted before the save is not sent.
void SaveRequestBuilder::addPerson(
    const MVPersonPtr &person, const QList<ContactRecordPtr> &rows, ContainerState &state, Plan &plan) const
{
    const auto storeSideRecord = [&](const QString &uniqueId, const RenmeiAndHagakiRecord &record) {
        plan.sideRecords[state.containerIdentifier].insert(uniqueId, record);
    };
    if (isDeleted(rows)) {
        state.removedPersons.insert(person.get());
        if (!person->created()) {
            const StoreContact *stored = storedContactOf(state.storedContacts, *person);
            if (!stored)
                return;
            plan.request.deleteContact(*stored);
            storeSideRecord(person->uniqueId(), {});
        }
        plan.savedPersons.append(person);
    } else if (person->created()) {
        const StoreContact contact = person->contactFromCache();
        plan.request.addContact(contact, state.containerIdentifier);
        state.addedContacts.insert(person.get(), contact);
        plan.createdContacts.append({person, contact});
        // The store keeps the new contact's identifier, under which the next
        // load finds the person.
        const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*person);
        if (!record.isEmpty())
            storeSideRecord(contact.identifier(), record);
        plan.savedPersons.append(person);
    } else if (person->changed()) {
        const StoreContact *stored = storedContactOf(state.storedContacts, *person);
        if (!stored)
            return;
        plan.request.updateContact(person->contactFromCache(*stored));
        for (const ContactRecordPtr &row : rows)
            plan.updatedRows.append({row, *stored});
        storeSideRecord(person->uniqueId(), RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*person));
        plan.savedPersons.append(person);
    }
}

void SaveRequestBuilder::addGroup(const GroupRecord &group, const ContainerState &state, Plan &plan) const
{
    if (group.deleted) {
        if (group.cnGroup)
            plan.request.deleteGroup(*group.cnGroup);
        return;
    }
    if (group.isNew) {
        const StoreGroup storeGroup(group.name);
        plan.request.addGroup(storeGroup, state.containerIdentifier);
        addMembershipChanges(group, storeGroup, true, state, plan);
        return;
    }
    if (!group.cnGroup) {
        qWarning("%s: ERROR the group %s has no store group", Q_FUNC_INFO, qPrintable(group.name));
        return;
    }
    StoreGroup storeGroup = group.cnGroup->mutableCopy();
    if (group.groupNameChanged) {
        storeGroup.setName(group.name);
        plan.request.updateGroup(storeGroup);
    }
    addMembershipChanges(group, storeGroup, false, state, plan);
}

// Sends the net change of each row: a row added and removed again since the
// last load sends nothing, and every row of a new group that was not removed
// again becomes a member, contacts created by this same save included.
void SaveRequestBuilder::addMembershipChanges(const GroupRecord &group, const StoreGroup &storeGroup, bool groupIsNew,
    const ContainerState &state, Plan &plan) const
{
    if (!group.contactTable)
        return;
    QSet<QString> added;
    QSet<QString> removed;
    for (const ContactRecordPtr &row : std::as_const(*group.contactTable)) {
        const MVPerson *person = row->person.get();
        if (!person || state.removedPersons.contains(person))
            continue;
        const bool add = groupIsNew ? !row->deleted : (row->isNew && !row->deleted);
        const bool remove = !groupIsNew && row->deleted && !row->isNew;
        if (!add && !remove)
            continue;
        std::optional<StoreContact> contact;
        if (const auto addedContact = state.addedContacts.constFind(person); addedContact != state.addedContacts.cend())
            contact = add ? std::optional<StoreContact>(*addedContact) : std::nullopt;
        else if (const auto stored = state.storedContacts.constFind(person->uniqueId());
                 stored != state.storedContacts.cend())
            contact = *stored;
        if (!contact)
            continue;
        QSet<QString> &done = add ? added : removed;
        if (done.contains(contact->identifier()))
            continue;
        done.insert(contact->identifier());
        if (add)
            plan.request.addMember(*contact, storeGroup);
        else
            plan.request.removeMember(*contact, storeGroup);
    }
}
