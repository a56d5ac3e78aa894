#include "app/AddressBookLoader.h"

#include "app/RenmeiAndHagakiStore.h"
#include "model/MVPerson.h"
#include "platform/TranslationContext.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/StoreContactFormatter.h"

#include <QSet>

#include <exception>

namespace {

constexpr TranslationContext tr{"AddressBookLoader"};

[[nodiscard]] QString containerDisplayName(const StoreContainer &container)
{
    switch (container.type) {
    case StoreContainer::Type::Local:
        return tr("On This Computer");
    case StoreContainer::Type::Exchange:
    case StoreContainer::Type::CardDAV:
        return container.name;
    case StoreContainer::Type::Unassigned:
        break;
    }
    return {};
}

[[nodiscard]] GroupRecordPtr makeTopGroup(const ContainerRecord &container)
{
    auto top = std::make_shared<GroupRecord>();
    top->top = true;
    top->name = tr("All Contacts");
    top->containerName = container.name;
    top->uniqueId = container.identifier;
    top->containerIdentifier = container.identifier;
    return top;
}

[[nodiscard]] GroupRecordPtr makeGroup(const StoreGroup &group, const ContainerRecord &container)
{
    auto record = std::make_shared<GroupRecord>();
    record->name = group.name();
    record->containerName = container.name;
    record->uniqueId = group.identifier();
    record->cnGroup = group;
    record->containerIdentifier = container.identifier;
    return record;
}

[[nodiscard]] QStringList makeKeysToFetch(bool withThumbnail)
{
    QStringList keys{
        ContactKeys::givenName,
        ContactKeys::familyName,
        ContactKeys::middleName,
        ContactKeys::previousFamilyName,
        ContactKeys::phoneticGivenName,
        ContactKeys::phoneticFamilyName,
        ContactKeys::phoneticMiddleName,
        ContactKeys::urlAddresses,
        ContactKeys::instantMessageAddresses,
        ContactKeys::socialProfiles,
        ContactKeys::dates,
        ContactKeys::birthday,
        ContactKeys::contactRelations,
        ContactKeys::contactType,
        ContactKeys::identifier,
        ContactKeys::organizationName,
        ContactKeys::jobTitle,
        ContactKeys::departmentName,
        ContactKeys::nickname,
        ContactKeys::namePrefix,
        ContactKeys::nameSuffix,
        ContactKeys::phoneNumbers,
        ContactKeys::emailAddresses,
        ContactKeys::postalAddresses,
        ContactKeys::imageData,
    };
    if (withThumbnail)
        keys.append(ContactKeys::thumbnailImageData);
    keys.append(StoreContactFormatter::descriptorForRequiredKeys());
    keys.append(ContactKeys::note);
    keys.removeDuplicates();
    return keys;
}

[[nodiscard]] QString namingTheFile(const StoreError &error, const QString &filePath)
{
    return error.description.contains(filePath) ? error.description : error.description + QLatin1Char('\n') + filePath;
}

[[nodiscard]] AddressBookTables unreadableTables(const StoreError &error, const QString &filePath)
{
    AddressBookTables tables;
    tables.containerTable = std::make_shared<ContainerTable>();
    tables.storeUnreadable = true;
    tables.unreadableCause = namingTheFile(error, filePath);
    return tables;
}

} // namespace

AddressBookLoader::AddressBookLoader(ContactStore &store, const RenmeiAndHagakiStore &sideStore)
    : m_store(store)
    , m_sideStore(sideStore)
{
}

const QStringList &AddressBookLoader::keysToFetch()
{
    static const QStringList keys = makeKeysToFetch(true);
    return keys;
}

const QStringList &AddressBookLoader::keysToFetchForSave()
{
    static const QStringList keys = makeKeysToFetch(false);
    return keys;
}

void AddressBookLoader::postAlert(const QString &message, const QString &informativeText) const
{
    if (m_alertPoster)
        m_alertPoster(message, informativeText);
}

// False, with the cause in *error, when the store can't be shown; a
// write-protected one is shown, since the address book is read as much as it
// is edited.
bool AddressBookLoader::openStore(StoreError *error) const
{
    // An empty file where side data of its contacts is kept is no first
    // start: the store was emptied (a full disk, a copy gone wrong), and
    // making a new store in it would give the side data's contacts new
    // identifiers for good.
    if (m_store.isEmptyFile() && m_sideStore.holdsRecords()) {
        *error = {StoreError::Code::Damaged,
            tr("The contacts store “%1” is empty, while the joint names and postcard layouts kept for its contacts "
               "hold records.")
                .arg(m_store.filePath()),
            m_store.filePath()};
        alertStoreFailure(*error, {});
        return false;
    }
    if (m_store.open(error))
        return true;
    alertStoreFailure(*error, tr("Couldn't open the contacts store."));
    return error->code == StoreError::Code::ReadOnly;
}

void AddressBookLoader::alertStoreFailure(const StoreError &error, const QString &otherwise) const
{
    qWarning("%s: ERROR %s", Q_FUNC_INFO, qPrintable(error.description));
    QString message;
    QString advice;
    switch (error.code) {
    case StoreError::Code::Damaged:
        message = tr("The contacts store is damaged.");
        advice = tr("Nothing will be written to it. Replace it with a backup copy, then open the address book again.");
        break;
    case StoreError::Code::ReadOnly:
        message = tr("The contacts store can't be written.");
        advice = tr("Changes can't be saved until it can be written again.");
        break;
    case StoreError::Code::Busy:
        message = tr("The contacts store is in use by another program.");
        advice = tr("Quit that program, then open the address book again.");
        break;
    default:
        message = otherwise;
        break;
    }
    QString informativeText = namingTheFile(error, m_store.filePath());
    if (!advice.isEmpty())
        informativeText += QLatin1Char('\n') + advice;
    postAlert(message, informativeText);
}

ContainerTablePtr AddressBookLoader::aContainerTable() const
{
    auto table = std::make_shared<ContainerTable>();
    StoreError error;
    const QList<StoreContainer> containers = m_store.containersMatchingPredicate({}, &error);
    if (error.isError())
        qWarning("%s: ERROR %s", Q_FUNC_INFO, qPrintable(error.description));
    for (const StoreContainer &container : containers) {
        auto record = std::make_shared<ContainerRecord>();
        record->name = containerDisplayName(container);
        record->type = int(container.type);
        record->identifier = container.identifier;
        if (record->identifier.isEmpty() || record->name.isEmpty())
            continue;
        record->groups->append(makeTopGroup(*record));
        table->append(record);
        appendGroups(*record);
    }
    return table;
}

void AddressBookLoader::appendGroups(ContainerRecord &container) const
{
    const StorePredicate predicate = StorePredicate::predicateForGroupsInContainerWithIdentifier(container.identifier);
    try {
        StoreError error;
        const QList<StoreGroup> groups = m_store.groupsMatchingPredicate(predicate, &error);
        if (error.isError())
            qWarning("%s: ERROR can't find groups in %s, %s", Q_FUNC_INFO, qPrintable(container.name),
                qPrintable(error.description));
        for (const StoreGroup &group : groups)
            container.groups->append(makeGroup(group, container));
    } catch (const std::exception &exception) {
        qWarning("%s: Exception ERROR at groupsMatchingPredicate for %s: %s", Q_FUNC_INFO, qPrintable(container.name),
            exception.what());
        postAlert(
            tr("Error on reading a group in the '%1'.").arg(container.name), tr("Please check the account settings."));
    }
}

std::optional<QList<StoreContact>> AddressBookLoader::cnContactsForGroup(
    const std::optional<StoreGroup> &group, const QString &containerIdentifier, StoreError *errorOut) const
{
    StoreError ignored;
    StoreError &error = errorOut ? *errorOut : ignored;
    if (group) {
        const std::optional<StorePredicate> predicate = predicateForGroup(*group, containerIdentifier, error);
        if (!predicate)
            return std::nullopt;
        return m_store.unifiedContactsMatchingPredicate(*predicate, keysToFetch());
    }
    StoreFetchRequest request;
    request.keysToFetch = keysToFetch();
    request.predicate = StorePredicate::predicateForContactsInContainerWithIdentifier(containerIdentifier);
    request.unifyResults = false;
    request.mutableObjects = true;
    QList<StoreContact> contacts;
    const bool fetched = m_store.enumerateContactsWithFetchRequest(
        request, [&contacts](const StoreContact &contact, bool *) { contacts.append(contact); }, &error);
    if (!fetched) {
        qWarning("%s: ERROR can't fetch the contacts of %s: %s", Q_FUNC_INFO, qPrintable(containerIdentifier),
            qPrintable(error.description));
        return std::nullopt;
    }
    return contacts;
}

std::optional<StorePredicate> AddressBookLoader::predicateForGroup(
    const StoreGroup &group, const QString &containerIdentifier, StoreError &error) const
{
    const QList<StoreGroup> groups = m_store.groupsMatchingPredicate(
        StorePredicate::predicateForGroupsInContainerWithIdentifier(containerIdentifier), &error);
    if (error.isError())
        qWarning("%s: ERROR can't find groups in %s", Q_FUNC_INFO, qPrintable(containerIdentifier));
    for (const StoreGroup &candidate : groups) {
        if (candidate.identifier() == group.identifier())
            return StorePredicate::predicateForContactsInGroupWithIdentifier(candidate.identifier());
    }
    return std::nullopt;
}

std::optional<QStringList> AddressBookLoader::contactIdentifiersForGroup(
    const std::optional<StoreGroup> &group, const QString &containerIdentifier) const
{
    StoreError error;
    const std::optional<StorePredicate> predicate = group
        ? predicateForGroup(*group, containerIdentifier, error)
        : StorePredicate::predicateForContactsInContainerWithIdentifier(containerIdentifier);
    if (!predicate)
        return std::nullopt;
    QStringList identifiers = m_store.contactIdentifiersMatchingPredicate(*predicate, &error);
    if (error.isError()) {
        qWarning("%s: ERROR can't fetch the contacts of %s: %s", Q_FUNC_INFO, qPrintable(containerIdentifier),
            qPrintable(error.description));
        return std::nullopt;
    }
    return identifiers;
}

QList<QList<UniqueId>> AddressBookLoader::contactIdentifiersOfGroups(
    const QList<GroupRecordPtr> &groups, const QString &containerIdentifier) const
{
    StoreError error;
    QSet<QString> held;
    for (const StoreGroup &group : m_store.groupsMatchingPredicate(
             StorePredicate::predicateForGroupsInContainerWithIdentifier(containerIdentifier), &error))
        held.insert(group.identifier());
    QList<QList<UniqueId>> members(groups.size());
    QStringList asked;
    QList<qsizetype> places;
    for (qsizetype place = 0; place < groups.size(); ++place) {
        const std::optional<StoreGroup> &group = groups.at(place)->cnGroup;
        // A group of no store group stands for the whole container.
        if (!group) {
            for (const QString &identifier :
                contactIdentifiersForGroup(std::nullopt, containerIdentifier).value_or(QStringList()))
                members[place].append(UniqueId(identifier));
        } else if (held.contains(group->identifier())) {
            asked.append(group->identifier());
            places.append(place);
        }
    }
    if (error.isError() || asked.isEmpty()) {
        if (error.isError())
            qWarning("%s: ERROR can't find groups in %s", Q_FUNC_INFO, qPrintable(containerIdentifier));
        return members;
    }
    QList<QList<UniqueId>> found(asked.size());
    const bool read = m_store.readMembersOfGroups(
        asked,
        [&found](qsizetype group, QByteArrayView identifier) { found[group].append(UniqueId::fromUtf8(identifier)); },
        &error);
    if (!read) {
        qWarning("%s: ERROR can't fetch the group members of %s: %s", Q_FUNC_INFO, qPrintable(containerIdentifier),
            qPrintable(error.description));
        return members;
    }
    for (qsizetype i = 0; i < places.size(); ++i)
        members[places.at(i)] = std::move(found[i]);
    return members;
}

QList<StoreContact> AddressBookLoader::contactsWithIdentifiers(const QStringList &identifiers) const
{
    return m_store.unifiedContactsMatchingPredicate(
        StorePredicate::predicateForContactsWithIdentifiers(identifiers), keysToFetch());
}

// A contact's record, with the side record the file keeps for it applied.
// The decoded contact is the record's alone, so the person takes it over.
ContactRecordPtr AddressBookLoader::makeContactRecord(StoreContact &&contact, const RenmeiAndHagakiRecords *fileRecords)
{
    // The store's identifier is the person's, and already a text.
    QString identifier = contact.identifier();
    const MVPersonPtr person = MVPerson::initWithCNContact(std::move(contact));
    ContactRecordPtr record = ContactRecord::makeWithPerson(person);
    if (!fileRecords)
        return record;
    if (identifier.isEmpty())
        identifier = person->uniqueId();
    if (const auto found = fileRecords->constFind(identifier); found != fileRecords->cend())
        RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(*found, *person);
    return record;
}

// The records are made on several threads as the contacts are decoded, each
// into its own place, so that the table keeps the store's order.
ContactTablePtr AddressBookLoader::containerContactTable(
    const QString &containerIdentifier, const RenmeiAndHagakiRecords *fileRecords, StoreError *errorOut) const
{
    StoreError ignored;
    StoreError &error = errorOut ? *errorOut : ignored;
    StoreFetchRequest request;
    request.keysToFetch = keysToFetch();
    request.predicate = StorePredicate::predicateForContactsInContainerWithIdentifier(containerIdentifier);
    request.unifyResults = false;
    request.mutableObjects = true;
    auto table = std::make_shared<ContactTable>();
    ContactRecordPtr *places = nullptr;
    const bool fetched = m_store.enumerateContactsConcurrently(
        request,
        [&table, &places](qsizetype count) {
            table->resize(count);
            places = table->data();
        },
        [&places, fileRecords](qsizetype place, StoreContact &contact) {
            places[place] = makeContactRecord(std::move(contact), fileRecords);
        },
        &error);
    if (!fetched) {
        qWarning("%s: ERROR can't fetch the contacts of %s: %s", Q_FUNC_INFO, qPrintable(containerIdentifier),
            qPrintable(error.description));
        return nullptr;
    }
    return table;
}

void AddressBookLoader::applyKeyValueRecords(const ContactTable &table, std::optional<qint64> storeGeneration) const
{
    if (!m_sideStore.isKeyValueStoreAvailable())
        return;
    const RenmeiAndHagakiStore::KeyValueView entries = m_sideStore.keyValueRestoreForGeneration(storeGeneration);
    for (const ContactRecordPtr &row : table) {
        if (const std::optional<RenmeiAndHagakiRecord> record = entries.valueForKey(row->uniqueId))
            RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(*record, *row->person);
    }
}

std::optional<qint64> AddressBookLoader::storeGeneration() const
{
    StoreError error;
    const std::optional<qint64> generation = m_store.saveGeneration(&error);
    if (!generation)
        qWarning("%s: ERROR %s; the side data is read as last written", Q_FUNC_INFO, qPrintable(error.description));
    return generation;
}

AddressBookTables AddressBookLoader::loadAddressBook(
    const QString &preferredContainerIdentifier, const AddressBookTables &previous) const
{
    AddressBookTables tables = previous;
    tables.storeUnreadable = false;
    StoreError openError;
    if (!openStore(&openError))
        return unreadableTables(openError, m_store.filePath());
    tables.containerTable = aContainerTable();
    const QString preferred
        = preferredContainerIdentifier.isEmpty() ? m_store.defaultContainerIdentifier() : preferredContainerIdentifier;
    if (tables.containerTable->isEmpty())
        return tables;

    ContainerRecordPtr chosen = tables.containerTable->first();
    for (const ContainerRecordPtr &container : std::as_const(*tables.containerTable)) {
        if (container->identifier == preferred) {
            chosen = container;
            break;
        }
    }
    const GroupRecordPtr top = chosen->topGroup();
    tables.selectedGroupDict = top;
    StoreError fetchError;
    const ContactTablePtr contacts = topGroupContactTable(*chosen, &fetchError);
    if (!contacts) {
        // Showing what could be read would invite a save over what could not.
        alertStoreFailure(fetchError, tr("Couldn't read the contacts store."));
        return unreadableTables(fetchError, m_store.filePath());
    }
    top->contactTable = contacts;
    tables.contactTable = top->contactTable;
    if (const std::optional<qint64> generation = storeGeneration())
        tables.newerSideFiles = m_sideStore.filesNewerThan(*generation);
    return tables;
}

ContactTablePtr AddressBookLoader::topGroupContactTable(const ContainerRecord &container, StoreError *error) const
{
    const GroupRecordPtr top = container.topGroup();
    if (!top)
        return nullptr;
    // The side data of the save the store last took, whatever was written
    // after it.
    const std::optional<qint64> generation = storeGeneration();
    const std::optional<RenmeiAndHagakiContainers> sideRecords
        = m_sideStore.restoreRenmeiAndHagakiContainers(generation);
    const RenmeiAndHagakiRecords *fileRecords = nullptr;
    if (sideRecords) {
        if (const auto found = sideRecords->constFind(container.identifier); found != sideRecords->cend())
            fileRecords = &*found;
    }
    // An empty container still gets a table of its own, so that contacts
    // added to it have a table to go into.
    ContactTablePtr table = containerContactTable(top->containerIdentifier, fileRecords, error);
    if (table)
        applyKeyValueRecords(*table, generation);
    return table;
}
