#include "app/ViewController.h"

#include "detail/ContactDetailPane.h"
#include "table/ContactTablePane.h"
#include "find/FindBarPane.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/GroupOutlinePane.h"
#include "app/MembershipJournal.h"
#include "app/PostcardPreviewPane.h"
#include "editors/SeparatorBox.h"
#include "app/WindowController.h"
#include "model/ContactIdentifier.h"
#include "model/PersonDuplicate.h"
#include "platform/UndoManager.h"

#include <QAction>
#include <QSet>
#include <QMultiHash>

#include <algorithm>
#include <utility>

namespace {

QSet<UniqueId> uniqueIdsOf(const ContactTable &table)
{
    QSet<UniqueId> ids;
    ids.reserve(table.size());
    for (const ContactRecordPtr &row : table)
        ids.insert(row->uniqueId);
    return ids;
}

} // namespace

ViewController::ViewController(WindowController *windowController, QObject *parent)
    : QObject(parent)
    , m_windowController(windowController)
{
}

ViewController::~ViewController()
{
    // The inverses registered by this controller call back into it.
    if (UndoManager *manager = undoManager())
        manager->removeAllActionsWithTarget(this);
}

UndoManager *ViewController::undoManager() const
{
    return m_windowController ? m_windowController->undoManager() : nullptr;
}

void ViewController::setContactsViewController(ContactTablePane *pane)
{
    m_contactsViewController = pane;
}

void ViewController::setGroupViewController(GroupOutlinePane *pane)
{
    m_groupViewController = pane;
}

void ViewController::setContactInfoController(ContactDetailPane *pane)
{
    m_contactInfoController = pane;
}

void ViewController::setHagakiViewController(PostcardPreviewPane *pane)
{
    m_hagakiViewController = pane;
}

void ViewController::setFindBarController(FindBarPane *pane)
{
    m_findBarController = pane;
}

void ViewController::setPopover(ContactInfoPopoverPane *popover)
{
    m_popover = popover;
}

void ViewController::setEditButton(QAction *editButton)
{
    m_editButton = editButton;
}

QAction *ViewController::editButton() const
{
    return m_editButton;
}

void ViewController::setRedSeparator(SeparatorBox *separator)
{
    m_redSeparator = separator;
    showEditStateOnSeparator();
}

void ViewController::showEditStateOnSeparator()
{
    if (m_redSeparator)
        m_redSeparator->showEditState(m_editState);
}

// --- Tables -------------------------------------------------------------

void ViewController::setContainerTable(const ContainerTablePtr &containerTable)
{
    m_containerTable = containerTable;
}

void ViewController::setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict)
{
    m_selectedGroupDict = selectedGroupDict;
}

void ViewController::setContactTable(const ContactTablePtr &contactTable)
{
    m_contactTable = contactTable;
}

bool ViewController::commitEditing()
{
    bool committed = false;
    for (ContactInfoPane *pane : contactInfoPanes())
        committed = pane->commitEditing() || committed;
    if (m_contactsViewController && m_contactsViewController->commitEditing())
        committed = true;
    return committed;
}

void ViewController::discardEditing()
{
    for (ContactInfoPane *pane : contactInfoPanes())
        pane->discardEditing();
    if (m_contactsViewController)
        m_contactsViewController->discardEditing();
}

QList<ContactInfoPane *> ViewController::contactInfoPanes() const
{
    QList<ContactInfoPane *> panes;
    const auto add = [&panes](ContactInfoPane *pane) {
        if (pane && !panes.contains(pane))
            panes.append(pane);
    };
    add(m_contactInfoController);
    add(m_popover);
    if (m_contactsViewController) {
        for (ContactInfoPopoverPane *view : m_contactsViewController->detachedWindows())
            add(view);
    }
    return panes;
}

void ViewController::updateTable()
{
    if (m_contactsViewController)
        m_contactsViewController->updateTable();
}

// --- Refresh, undo and edit state ----------------------------------------

void ViewController::contactDidUpdate(const PersonRecordPtr &contact, ChangeSender sender)
{
    if (!contact)
        return;
    const UndoManager *manager = undoManager();
    if (manager && (manager->isUndoing() || manager->isRedoing())) {
        m_pendingRefresh.table = true;
        m_pendingRefresh.detail = true;
        scheduleRefresh();
        return;
    }
    const auto *detailSender = std::get_if<const ContactDetailPane *>(&sender);
    if (!(detailSender && *detailSender == m_contactInfoController))
        m_pendingRefresh.detail = true;
    const auto *tableSender = std::get_if<const ContactTablePane *>(&sender);
    const bool fromDetails = detailSender || std::holds_alternative<const ContactInfoPopoverPane *>(sender);
    if (fromDetails)
        m_pendingRefresh.tableContacts.append(contact);
    else if (!(tableSender && *tableSender == m_contactsViewController))
        m_pendingRefresh.table = true;
    m_pendingRefresh.preview = true;
    scheduleRefresh();
    setWindowEdited(true);
}

void ViewController::updateTableLater()
{
    m_pendingRefresh.table = true;
    scheduleRefresh();
}

// A command that changes a thousand rows asks a thousand times; the panes
// rebuild once.
void ViewController::scheduleRefresh()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(this, &ViewController::refreshPanes, Qt::QueuedConnection);
}

void ViewController::refreshPanes()
{
    const PendingRefresh pending = std::exchange(m_pendingRefresh, {});
    m_refreshQueued = false;
    if (pending.detail && m_contactInfoController)
        m_contactInfoController->updateTable();
    if (pending.table && m_contactsViewController)
        m_contactsViewController->updateTable();
    else if (!pending.tableContacts.isEmpty() && m_contactsViewController)
        m_contactsViewController->updateRowsOfContacts(pending.tableContacts);
    if (pending.preview && m_hagakiViewController)
        m_hagakiViewController->updateUI();
}

void ViewController::undo()
{
    if (UndoManager *manager = undoManager()) {
        manager->undo();
        setWindowEdited(manager->canUndo());
    }
}

void ViewController::redo()
{
    if (UndoManager *manager = undoManager()) {
        manager->redo();
        setWindowEdited(manager->canUndo());
    }
}

void ViewController::setWindowEdited(bool edited)
{
    if (m_windowController)
        m_windowController->setWindowModified(edited);
}

void ViewController::setEditState(bool editState)
{
    // What was typed before the lock is kept; the editors close with it.
    if (!editState)
        commitEditing();
    m_editState = editState;
    showEditStateOnSeparator();
    if (m_contactsViewController)
        m_contactsViewController->setEditState(editState);
    if (m_contactInfoController)
        m_contactInfoController->setEditState(editState);
    if (m_groupViewController)
        m_groupViewController->setEditState(editState);
    if (m_findBarController)
        m_findBarController->setEditState(editState);
    if (m_editButton)
        m_editButton->setText(editState ? tr("Lock") : tr("Edit"));
    if (m_contactsViewController)
        m_contactsViewController->updateTable();
    if (m_contactInfoVisible && m_contactInfoController)
        m_contactInfoController->updateTable();
}

void ViewController::enableEditButton(bool enabled)
{
    if (m_editButton)
        m_editButton->setEnabled(enabled);
}

// --- Group memberships -----------------------------------------------------

ContainerRecordPtr ViewController::containerOfGroup(const GroupRecord &group) const
{
    if (!m_containerTable)
        return {};
    const auto found = std::find_if(m_containerTable->cbegin(), m_containerTable->cend(),
        [&group](const ContainerRecordPtr &container) { return container->identifier == group.containerIdentifier; });
    return found == m_containerTable->cend() ? ContainerRecordPtr() : *found;
}

void ViewController::undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    if (!group)
        return;
    const MembershipChange change = recordAddedContacts(contacts, group);
    registerMembershipStep(change, contacts, group, true);
    showChangedMembership(contacts, group, true);
}

ViewController::MembershipChange ViewController::recordAddedContacts(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group) const
{
    auto journal = std::make_shared<MembershipJournal>();
    addContactsToGroup(contacts, group, *journal);
    addContactsToTopGroup(contacts, group, *journal);
    return journal;
}

void ViewController::showAddedContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    showChangedMembership(contacts, group, true);
}

void ViewController::keepAddedContacts(
    const MembershipChange &change, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    registerMembershipStep(change, contacts, group, true);
}

void ViewController::takeBackAddedContacts(const MembershipChange &change, const QList<ContactRecordPtr> &contacts,
    const GroupRecordPtr &group, const ContactTable &order)
{
    change->revert();
    if (group->contactTable)
        *group->contactTable = order;
    showChangedMembership(contacts, group, false);
}

// A contact the group already holds keeps its one row, which loses any
// "deleted" mark: a second row of it would leave the mark for the save to
// read as a removal.
void ViewController::addContactsToGroup(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const
{
    const ContactTablePtr table = group->contactTable;
    if (!table) {
        qWarning("%s: ERROR the contacts of group %s were never fetched", Q_FUNC_INFO, qPrintable(group->name));
        return;
    }
    // Rows by identifier, so that adding a group's own contacts again does not
    // read the whole table once for each of them.
    QMultiHash<UniqueId, ContactRecordPtr> rowsById;
    rowsById.reserve(table->size() + contacts.size());
    for (const ContactRecordPtr &row : std::as_const(*table))
        rowsById.insert(row->uniqueId, row);
    for (const ContactRecordPtr &contact : contacts) {
        auto [row, end] = rowsById.equal_range(contact->uniqueId);
        if (row == end) {
            journal.setFlag(contact, &ContactRecord::isNew, true);
            journal.setFlag(contact, &ContactRecord::deleted, false);
            journal.appendRow(table, contact);
            rowsById.insert(contact->uniqueId, contact);
        } else {
            for (; row != end; ++row)
                journal.setFlag(*row, &ContactRecord::deleted, false);
        }
        journal.setFlag(group, &GroupRecord::changed, true);
    }
}

// A group's contacts all belong to its container's top group too.
void ViewController::addContactsToTopGroup(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const
{
    if (group->top)
        return;
    const ContainerRecordPtr container = containerOfGroup(*group);
    const GroupRecordPtr top = container ? container->topGroup() : GroupRecordPtr();
    if (!top)
        return;
    journal.setFlag(top, &GroupRecord::changed, true);
    if (!top->contactTable) {
        qWarning("%s: ERROR the top group of %s was never fetched", Q_FUNC_INFO, qPrintable(container->name));
        return;
    }
    QSet<UniqueId> held = uniqueIdsOf(*top->contactTable);
    for (const ContactRecordPtr &contact : contacts) {
        if (held.contains(contact->uniqueId))
            continue;
        auto copy = std::make_shared<ContactRecord>(*contact);
        copy->isNew = true;
        journal.appendRow(top->contactTable, copy);
        held.insert(copy->uniqueId);
    }
}

void ViewController::undoDeleteContacts(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool doUndo)
{
    if (!group)
        return;
    auto journal = std::make_shared<MembershipJournal>();
    markContactsDeleted(contacts, group, *journal);
    // Removing a contact from the top group removes it from the store, and so
    // from every group of its container.
    if (group->top) {
        if (const ContainerRecordPtr container = containerOfGroup(*group)) {
            for (const GroupRecordPtr &other : std::as_const(*container->groups))
                markContactsDeleted(contacts, other, *journal);
        }
    }
    if (doUndo)
        registerMembershipStep(journal, contacts, group, false);
    showChangedMembership(contacts, group, false);
}

void ViewController::markContactsDeleted(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const
{
    journal.setFlag(group, &GroupRecord::changed, true);
    if (!group->contactTable)
        return;
    for (const ContactRecordPtr &contact : contacts) {
        for (const ContactRecordPtr &row : std::as_const(*group->contactTable)) {
            if (row->uniqueId == contact->uniqueId)
                journal.setFlag(row, &ContactRecord::deleted, true);
        }
    }
}

void ViewController::registerMembershipStep(
    const JournalPtr &journal, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    UndoManager *manager = undoManager();
    if (!manager || journal->isEmpty())
        return;
    manager->registerUndo(this,
        [this, journal, contacts, group, sorted]() { replayMembershipStep(journal, false, contacts, group, sorted); });
}

// Undo takes the change back; what it registers makes it again on redo.
void ViewController::replayMembershipStep(const JournalPtr &journal, bool forward,
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    forward ? journal->apply() : journal->revert();
    if (UndoManager *manager = undoManager()) {
        manager->registerUndo(this, [this, journal, forward, contacts, group, sorted]() {
            replayMembershipStep(journal, !forward, contacts, group, sorted);
        });
    }
    // A step that adds rows shows them sorted in, as the add itself does.
    showChangedMembership(contacts, group, forward == sorted);
}

void ViewController::showChangedMembership(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    if (contacts.isEmpty() || !m_contactsViewController || !group->contactTable
        || group->contactTable != m_contactTable)
        return;
    m_contactsViewController->setContactTable(m_contactTable);
    if (sorted)
        sortContactTable();
    m_contactsViewController->updateTable();
    m_contactsViewController->selectRowIndexesWithContacts(contacts);
}

void ViewController::deleteContacts()
{
    if (!m_contactsViewController)
        return;
    const QList<ContactRecordPtr> contacts = m_contactsViewController->selectedContacts();
    if (contacts.isEmpty())
        return;
    const QList<int> rows = m_contactsViewController->selectedRowIndexes();
    undoDeleteContacts(contacts, m_selectedGroupDict, true);
    setWindowEdited(true);
    selectRowBefore(rows.isEmpty() ? 0 : rows.first());
}

// Each copy is a new store contact with an identifier of its own; the
// postcard layouts stay behind.
void ViewController::duplicateContacts()
{
    if (!m_contactsViewController)
        return;
    QList<ContactRecordPtr> copies;
    for (const ContactRecordPtr &contact : m_contactsViewController->selectedContacts()) {
        if (const ContactRecordPtr copy = PersonDuplicate::recordCopyOf(*contact, PersonDuplicate::CopyLayouts::No))
            copies.append(copy);
    }
    if (copies.isEmpty())
        return;
    undoAddContacts(copies, m_selectedGroupDict);
    setWindowEdited(true);
}

void ViewController::showQRCode()
{
    if (m_windowController)
        m_windowController->showQRCode();
}

void ViewController::selectRowBefore(int firstDeletedRow)
{
    const int row = std::max(firstDeletedRow - 1, 0);
    m_contactsViewController->selectRowIndexes({row});
    m_contactsViewController->scrollRowToVisible(row);
}

// --- Groups ----------------------------------------------------------------

void ViewController::undoAddGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container)
{
    if (!group || !container)
        return;
    if (UndoManager *manager = undoManager())
        manager->registerUndo(this, &ViewController::undoDeleteGroup, group, container);
    if (group->deleted)
        group->deleted = false;
    else
        container->groups->append(group);
    showGroupOutline(false);
}

void ViewController::undoDeleteGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container)
{
    if (!group || !container)
        return;
    if (UndoManager *manager = undoManager())
        manager->registerUndo(this, &ViewController::undoAddGroup, group, container);
    group->deleted = true;
    GroupList &groups = *container->groups;
    // The deleted group goes to the end, where the outline no longer shows it.
    const qsizetype at = groups.indexOf(group);
    if (at >= 0)
        groups.swapItemsAt(at, groups.size() - 1);
    m_selectedGroupDict = container->topGroup();
    showGroupOutline(true);
    groupSelectionDidChange(m_selectedGroupDict);
}

bool ViewController::undoChangeGroupName(const QString &name, const GroupRecordPtr &group)
{
    if (!group)
        return true;
    if (UndoManager *manager = undoManager())
        manager->registerUndo(this, &ViewController::undoChangeGroupName, group->name, group);
    group->groupNameChanged = true;
    group->name = name;
    m_selectedGroupDict = group;
    showGroupOutline(true);
    groupSelectionDidChange(group);
    return true;
}

void ViewController::showGroupOutline(bool withSelection)
{
    if (!m_groupViewController)
        return;
    m_groupViewController->setContainerTable(m_containerTable);
    if (withSelection)
        m_groupViewController->setSelectedGroupDict(m_selectedGroupDict);
    m_groupViewController->updateTable();
}

// --- Default display settings -----------------------------------------------

QVariantMap ViewController::aViewTypeDict()
{
    const QStringList nameOnly = {QStringLiteral("Sender"), FieldId::Name};
    const QStringList address = nameOnly + QStringList{FieldId::Renmei, FieldId::Company, FieldId::Address};
    const QStringList addressDetail = nameOnly
        + QStringList{FieldId::Renmei, FieldId::Company, FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street,
            FieldId::Country};
    return {
        {QStringLiteral("Name Only"), nameOnly},
        {QStringLiteral("Address"), address},
        {QStringLiteral("Address Detail"), addressDetail},
    };
}
