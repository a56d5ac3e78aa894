// How ViewController passes selections on: a group's contacts to the table,
// fetched from the store the first time a group of a container is chosen; a
// table row to the detail pane, the preview and the find target; dropped
// rows and vCard text to a group; and the postcard sender.

#include "app/ViewController.h"

#include "app/ContainerGroupsFetcher.h"
#include "app/ChosenContactsAdder.h"
#include "app/ContactTableSorter.h"
#include "app/FindAndReplace.h"
#include "detail/ContactDetailPane.h"
#include "model/MVPerson.h"
#include "print/PostcardPreviewPane.h"
#include "app/WindowController.h"
#include "interchange/MVvCard.h"
#include "platform/UserDefaults.h"
#include "table/ContactTablePane.h"

#include <algorithm>

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

bool ViewController::fetchGroupsOfContainer(const ContainerRecord &container)
{
    return m_contactStore && m_sideStore
        && ContainerGroupsFetcher(*m_contactStore, *m_sideStore).fetchGroups(container);
}

namespace {

ContactRecordPtr recordWithUniqueId(const ContactTablePtr &contacts, const UniqueId &uniqueId)
{
    if (!contacts)
        return nullptr;
    const auto found = std::find_if(contacts->cbegin(), contacts->cend(),
        [&uniqueId](const ContactRecordPtr &contact) { return contact && contact->uniqueId == uniqueId; });
    return found == contacts->cend() ? nullptr : *found;
}

// The names of the container's read groups that hold the contact, its top
// group's among them.
QStringList namesOfGroupsHolding(const ContainerRecord &container, const UniqueId &uniqueId)
{
    QStringList names;
    for (const GroupRecordPtr &group : std::as_const(*container.groups)) {
        if (recordWithUniqueId(group->contactTable, uniqueId) && !names.contains(group->name))
            names.append(group->name);
    }
    return names;
}

} // namespace

// A contact that no group of the shown container holds, one a detached
// window shows, is in the groups of its own container.
QStringList ViewController::groupNamesOfContact(const PersonRecordPtr &row) const
{
    const ContainerRecordPtr shown = m_selectedGroupDict ? containerOfGroup(*m_selectedGroupDict) : nullptr;
    if (!row || !shown)
        return {};
    QStringList names = namesOfGroupsHolding(*shown, row->uniqueId);
    for (qsizetype index = 0; names.isEmpty() && m_containerTable && index < m_containerTable->size(); ++index) {
        if (m_containerTable->at(index) != shown)
            names = namesOfGroupsHolding(*m_containerTable->at(index), row->uniqueId);
    }
    return names;
}

// A contact of another group than the one shown keeps its view too, and so
// does one of a container whose contacts the last load left unread: the
// load after a save reads the chosen container only.
PersonRecordPtr ViewController::contactWithUniqueId(const UniqueId &uniqueId) const
{
    if (ContactRecordPtr shown = recordWithUniqueId(m_contactTable, uniqueId))
        return shown;
    if (!m_containerTable)
        return nullptr;
    for (const ContainerRecordPtr &container : std::as_const(*m_containerTable)) {
        for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
            if (ContactRecordPtr found = recordWithUniqueId(group->contactTable, uniqueId))
                return found;
        }
    }
    if (!m_contactStore || !m_sideStore)
        return nullptr;
    const ContainerRecordPtr read
        = ContainerGroupsFetcher(*m_contactStore, *m_sideStore).fetchContainerHolding(*m_containerTable, uniqueId);
    return read ? recordWithUniqueId(read->topGroup()->contactTable, uniqueId) : nullptr;
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

bool ViewController::addContactByVCardString(const QString &vCardString)
{
    if (!m_selectedGroupDict)
        return false;
    const MVvCard reader;
    QString error;
    const ContainerTablePtr containers = reader.containersFromVCards(vCardString, &error);
    if (!containers || containers->isEmpty() || containers->first()->groups->isEmpty())
        return false;
    const ContainerRecordPtr &container = containers->first();
    const ContactTablePtr contacts = reader.contactsForGroup(container->groups->first(), container);
    if (!contacts || contacts->isEmpty())
        return false;
    undoAddContacts(*contacts, m_selectedGroupDict);
    setWindowEdited(true);
    return true;
}

bool ViewController::addDroppedContacts(const QList<ContactRecordPtr> &contacts)
{
    if (contacts.isEmpty() || !m_selectedGroupDict)
        return false;
    // A large file's contacts take long to add: behind the progress window
    // they were read behind.
    if (m_windowController) {
        if (!ChosenContactsAdder(*this, *m_windowController->progressAlert()).add(contacts, m_selectedGroupDict))
            return false;
        setWindowEdited(true);
        return true;
    }
    undoAddContacts(contacts, m_selectedGroupDict);
    setWindowEdited(true);
    return true;
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
