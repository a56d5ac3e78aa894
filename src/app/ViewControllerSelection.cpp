// How ViewController passes selections on: a group's contacts to the table,
// fetched from the store the first time a group of a container is chosen; a
// table row to the detail pane, the preview and the find target; dropped
// rows and vCard text to a group; and the postcard sender.

#include "app/ViewController.h"

#include "app/AddressBookLoader.h"
#include "app/ChosenContactsAdder.h"
#include "app/ContactTableSorter.h"
#include "app/FindAndReplace.h"
#include "detail/ContactDetailPane.h"
#include "print/PostcardPreviewPane.h"
#include "app/WindowController.h"
#include "interchange/MVvCard.h"
#include "platform/UserDefaults.h"
#include "table/ContactTablePane.h"

#include <QHash>
#include <QSet>

#include <vector>

namespace {

// The top group's rows by store identifier and by company content key, so
// that a contact of a group finds its person there. The rows are held as
// plain pointers: the top group's table outlives the index, and a count taken
// on each row made binding 50,000 members wait on memory member by member.
class TopRowIndex {
public:
    explicit TopRowIndex(const ContactTable &rows)
    {
        m_byId.reserve(rows.size());
        constexpr qsizetype rowsAhead = 16;
        for (qsizetype place = 0; place < rows.size(); ++place) {
            if (place + rowsAhead < rows.size())
                __builtin_prefetch(rows.at(place + rowsAhead).get());
            const ContactRecordPtr &row = rows.at(place);
            m_byId.insert(row->uniqueId, row.get());
            if (!row->uniqueId2.isEmpty() && !m_byContent.contains(row->uniqueId2))
                m_byContent.insert(row->uniqueId2, row.get());
        }
    }

    [[nodiscard]] const ContactRecord *byIdentifier(const UniqueId &uniqueId) const { return m_byId.value(uniqueId); }
    // By identifier first: two companies of equal content are still two
    // contacts. The content key is asked for only when that finds none.
    template <typename ContentKey>
    [[nodiscard]] const ContactRecord *match(const UniqueId &uniqueId, ContentKey key) const
    {
        if (const ContactRecord *row = m_byId.value(uniqueId))
            return row;
        const QString content = key();
        return content.isEmpty() ? nullptr : m_byContent.value(content);
    }

private:
    QHash<UniqueId, const ContactRecord *> m_byId;
    QHash<QString, const ContactRecord *> m_byContent;
};

// A kept group table's rows take the top group's persons, so that one
// contact is one person everywhere.
void bindToTopRows(const ContactTable &rows, const TopRowIndex &index)
{
    for (const ContactRecordPtr &row : rows) {
        const MVPerson *person = row->person.get();
        const ContactRecord *match
            = index.match(row->uniqueId, [person] { return person ? person->uniqueId2() : QString(); });
        if (match)
            row->person = match->person;
    }
}

// The top group's rows of the members the index doesn't hold by identifier,
// found by content: only companies have one.
QHash<QString, const ContactRecord *> membersByContent(
    const QStringList &identifiers, const AddressBookLoader &loader, const TopRowIndex &index)
{
    QHash<QString, const ContactRecord *> found;
    for (const StoreContact &member : loader.contactsWithIdentifiers(identifiers)) {
        const ContactRecord *match = index.match(member.identifier(), [&member] {
            return member.contactType() == StoreContact::ContactType::Organization
                ? MVPerson::initWithCNContact(member)->uniqueId2()
                : QString();
        });
        if (match)
            found.insert(member.identifier(), match);
    }
    return found;
}

// The group's store members (their identifiers) that the top group holds, as
// rows of the top group's persons. Members are bound by their identifiers,
// each read as a UniqueId once; only those the top group doesn't know by
// identifier are read, 50,000 members read in full took most of a second.
ContactTablePtr membersInTopRows(
    const QStringList &identifiers, const AddressBookLoader &loader, const TopRowIndex &index)
{
    std::vector<const ContactRecord *> matches(std::size_t(identifiers.size()), nullptr);
    QStringList unknown;
    for (qsizetype i = 0; i < identifiers.size(); ++i) {
        matches[std::size_t(i)] = index.byIdentifier(UniqueId(identifiers.at(i)));
        if (!matches[std::size_t(i)])
            unknown.append(identifiers.at(i));
    }
    if (!unknown.isEmpty()) {
        const QHash<QString, const ContactRecord *> byContent = membersByContent(unknown, loader, index);
        for (qsizetype i = 0; i < identifiers.size(); ++i) {
            if (!matches[std::size_t(i)])
                matches[std::size_t(i)] = byContent.value(identifiers.at(i));
        }
    }
    std::erase(matches, nullptr);
    auto table = std::make_shared<ContactTable>();
    table->reserve(qsizetype(matches.size()));
    // The top rows and their persons lie all over memory: each row is asked
    // for some members ahead, and its person, whose count the new row takes,
    // a few members later.
    constexpr std::size_t rowsAhead = 16;
    constexpr std::size_t personsAhead = 8;
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (i + rowsAhead < matches.size())
            __builtin_prefetch(matches[i + rowsAhead]);
        if (i + personsAhead < matches.size()) {
            // A person's count sits just before it.
            if (const char *person = reinterpret_cast<const char *>(matches[i + personsAhead]->person.get())) {
                __builtin_prefetch(person - 16, 1);
                __builtin_prefetch(person);
            }
        }
        const ContactRecord &match = *matches[i];
        table->append(std::make_shared<ContactRecord>(match.person, match.uniqueId, 0));
    }
    return table;
}

} // namespace

void ViewController::setAddressBookStores(ContactStore *store, const RenmeiAndHagakiStore *sideStore)
{
    m_contactStore = store;
    m_sideStore = sideStore;
}

// --- Groups ------------------------------------------------------------------

void ViewController::groupSelectionDidChange(const GroupRecordPtr &group)
{
    if (!group)
        return;
    m_selectedGroupDict = group;
    if (!group->contactTable) {
        if (const ContainerRecordPtr container = containerOfGroup(*group))
            fetchGroupsOfContainer(*container);
    }
    m_contactTable = group->contactTable;
    if (m_tablePane) {
        m_tablePane->setContactTable(m_contactTable);
        m_tablePane->updateTable();
    }
    // A group chosen from the toolbar shows as chosen in the outline too.
    showGroupOutline(true);
    // A document's containers are the file's: the address book would lose
    // the container it shows next time.
    if (m_documentName.isEmpty())
        userDefaults().setObject(group->containerIdentifier, MainViewDefaults::lastContainerIdentifierKey);
}

// A group table that exists already is kept, its rows bound to the top
// group's persons; the others are fetched.
bool ViewController::fetchGroupsOfContainer(const ContainerRecord &container)
{
    const GroupRecordPtr top = container.topGroup();
    if (!top || !m_contactStore || !m_sideStore)
        return false;
    const AddressBookLoader loader(*m_contactStore, *m_sideStore);
    if (!top->contactTable) {
        StoreError error;
        top->contactTable = loader.topGroupContactTable(container, &error);
        if (!top->contactTable) {
            qWarning("%s: ERROR can't fetch the contacts of %s: %s", Q_FUNC_INFO, qPrintable(container.name),
                qPrintable(error.description));
            return false;
        }
    }
    const TopRowIndex index(*top->contactTable);
    QList<GroupRecordPtr> unfetched;
    for (const GroupRecordPtr &group : std::as_const(*container.groups)) {
        if (group->top)
            continue;
        if (group->contactTable)
            bindToTopRows(*group->contactTable, index);
        else
            unfetched.append(group);
    }
    const QList<QStringList> members = loader.contactIdentifiersOfGroups(unfetched, container.identifier);
    for (qsizetype i = 0; i < unfetched.size(); ++i)
        unfetched.at(i)->contactTable = membersInTopRows(members.at(i), loader, index);
    return true;
}

QStringList ViewController::groupNamesOfContact(const PersonRecordPtr &row) const
{
    QStringList names;
    const ContainerRecordPtr container = m_selectedGroupDict ? containerOfGroup(*m_selectedGroupDict) : nullptr;
    if (!row || !container)
        return names;
    for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
        if (!group->contactTable)
            continue;
        const bool holds = std::any_of(group->contactTable->cbegin(), group->contactTable->cend(),
            [&row](const ContactRecordPtr &member) { return member->uniqueId == row->uniqueId; });
        if (holds && !names.contains(group->name))
            names.append(group->name);
    }
    return names;
}

// --- The table's messages ----------------------------------------------------

void ViewController::rowSelectionDidChange(const SubContactRecordPtr &row)
{
    if (!row)
        return;
    if (m_detailPane) {
        row->groupNames = groupNamesOfContact(row);
        m_detailPane->setContact(row);
    }
    const QList<SubContactRecordPtr> selected
        = m_tablePane ? m_tablePane->selectedSubContacts() : QList<SubContactRecordPtr>();
    if (m_previewPane) {
        m_previewPane->setReceiverPersons(selected);
        m_previewPane->setShownReceiver(row);
        m_previewPane->updateUI();
    }
    if (m_windowController)
        m_windowController->validateMenus();
    m_find->tableRowSelected(selected.isEmpty() ? row : selected.first());
}

void ViewController::addContactByStringIndexes(const QString &stringIndexes, const GroupRecordPtr &group)
{
    if (!group || !m_tablePane)
        return;
    const QList<SubContactRecordPtr> &rows = m_tablePane->subContactTable();
    QList<qsizetype> positions;
    for (const QString &piece : stringIndexes.split(u',', Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const qsizetype position = piece.trimmed().toLongLong(&isNumber);
        if (isNumber && position >= 0 && position < rows.size() && !positions.contains(position))
            positions.append(position);
    }
    if (positions.isEmpty())
        return;
    std::sort(positions.begin(), positions.end());
    // The group's members as the top group's persons, as choosing the group
    // would fetch them: an edit made in the group's rows is one the save
    // reads.
    if (!group->contactTable) {
        const ContainerRecordPtr container = containerOfGroup(*group);
        if (!container || !fetchGroupsOfContainer(*container)) {
            qWarning("%s: ERROR the contacts of group %s can't be fetched", Q_FUNC_INFO, qPrintable(group->name));
            return;
        }
    }
    QList<ContactRecordPtr> contacts;
    for (const qsizetype position : std::as_const(positions)) {
        const SubContactRecordPtr &row = rows.at(position);
        contacts.append(std::make_shared<ContactRecord>(row->person, row->uniqueId, 0));
    }
    undoAddContacts(contacts, group);
    setWindowEdited(true);
}

void ViewController::addContactByVCardString(const QString &vCardString)
{
    const MVvCard reader;
    QString error;
    const ContainerTablePtr containers = reader.containersFromVCards(vCardString, &error);
    if (!containers || containers->isEmpty() || containers->first()->groups->isEmpty())
        return;
    const ContainerRecordPtr &container = containers->first();
    const ContactTablePtr contacts = reader.contactsForGroup(container->groups->first(), container);
    if (!contacts || contacts->isEmpty())
        return;
    undoAddContacts(*contacts, m_selectedGroupDict);
    setWindowEdited(true);
}

void ViewController::addDroppedContacts(const QList<ContactRecordPtr> &contacts)
{
    if (contacts.isEmpty())
        return;
    // A large file's contacts take long to add: behind the progress window
    // they were read behind.
    if (m_windowController) {
        if (ChosenContactsAdder(*this, *m_windowController->progressAlert()).add(contacts, m_selectedGroupDict))
            setWindowEdited(true);
        return;
    }
    undoAddContacts(contacts, m_selectedGroupDict);
    setWindowEdited(true);
}

void ViewController::changeSenderInHagakiView(const SubContactRecordPtr &row)
{
    if (!m_previewPane || m_previewPane->senderPerson() == row)
        return;
    m_previewPane->setSenderPerson(row);
    m_previewPane->updateUI();
}

SubContactRecordPtr ViewController::senderInHagakiView() const
{
    return m_previewPane ? m_previewPane->senderPerson() : nullptr;
}

void ViewController::sortContactTable(const QList<SortDescriptor> &descriptors)
{
    if (m_contactTable)
        ContactTableSorter::sortContactTable(*m_contactTable, descriptors);
}

void ViewController::sortContactTable()
{
    if (m_tablePane)
        sortContactTable(m_tablePane->sortDescriptors());
}

bool ViewController::sortsContactsByRowKey(const SortDescriptor &descriptor) const
{
    return m_contactTable && ContactTableSorter::sortsContactsByRowKey(descriptor);
}

void ViewController::sortDescriptorsDidChange(const QList<SortDescriptor> &descriptors)
{
    if (descriptors.isEmpty())
        return;
    sortContactTable(descriptors);
    if (m_tablePane)
        m_tablePane->setContactTable(m_contactTable);
}

void ViewController::saveColumnWithDictionary()
{
    if (m_tablePane)
        m_tablePane->saveColumnWithDictionary();
}
