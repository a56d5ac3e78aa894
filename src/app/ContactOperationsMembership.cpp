// The undoable changes of group memberships and of the groups themselves.
// A membership change is written to a journal as it is made; its undo step
// reverts the journal, and its redo step applies it again.

#include "app/ContactOperations.h"

#include "app/ContactOperationsHost.h"
#include "app/MembershipJournal.h"
#include "platform/UndoManager.h"
#include "table/ContactTablePane.h"

#include <QMultiHash>
#include <QSet>

#include <algorithm>

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

// --- Group memberships -----------------------------------------------------

void ContactOperations::undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    if (!group)
        return;
    const MembershipChange change = recordAddedContacts(contacts, group);
    registerMembershipStep(change, contacts, group, true);
    showChangedMembership(contacts, group, true);
}

ContactOperations::MembershipChange ContactOperations::recordAddedContacts(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group) const
{
    auto journal = std::make_shared<MembershipJournal>();
    addContactsToGroup(contacts, group, *journal);
    addContactsToTopGroup(contacts, group, *journal);
    return journal;
}

void ContactOperations::showAddedContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    showChangedMembership(contacts, group, true);
}

void ContactOperations::keepAddedContacts(
    const MembershipChange &change, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    registerMembershipStep(change, contacts, group, true);
}

// Selecting the contacts taken back would look each of them up among the
// rows, a large file's in vain: the caller selects the rows of before.
void ContactOperations::takeBackAddedContacts(
    const MembershipChange &change, const GroupRecordPtr &group, const ContactTable &order)
{
    change->revert(group->contactTable.get());
    if (group->contactTable)
        *group->contactTable = order;
    if (!showsGroup(*group))
        return;
    m_host.tablePane()->setContactTable(m_host.contactTable());
    m_host.tablePane()->updateTable();
}

// A contact the group already holds keeps its one row, which loses any
// "deleted" mark: a second row of it would leave the mark for the save to
// read as a removal.
void ContactOperations::addContactsToGroup(
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
void ContactOperations::addContactsToTopGroup(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, MembershipJournal &journal) const
{
    if (group->top)
        return;
    const ContainerRecordPtr container = m_host.containerOfGroup(*group);
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

void ContactOperations::undoDeleteContacts(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool doUndo)
{
    if (!group)
        return;
    auto journal = std::make_shared<MembershipJournal>();
    markContactsDeleted(contacts, group, *journal);
    // Removing a contact from the top group removes it from the store, and so
    // from every group of its container. A group not read yet is read now:
    // its rows take the mark, and the undo takes it back, as the rows of the
    // groups already read.
    if (group->top) {
        if (const ContainerRecordPtr container = m_host.containerOfGroup(*group)) {
            const bool unread = std::any_of(container->groups->cbegin(), container->groups->cend(),
                [](const GroupRecordPtr &other) { return !other->contactTable; });
            if (unread)
                m_host.fetchGroupsOfContainer(*container);
            for (const GroupRecordPtr &other : std::as_const(*container->groups))
                markContactsDeleted(contacts, other, *journal);
        }
    }
    if (doUndo)
        registerMembershipStep(journal, contacts, group, false);
    showChangedMembership(contacts, group, false);
}

void ContactOperations::markContactsDeleted(
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

void ContactOperations::registerMembershipStep(
    const JournalPtr &journal, const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    UndoManager *manager = m_host.undoManager();
    if (!manager || journal->isEmpty())
        return;
    manager->registerUndo(this,
        [this, journal, contacts, group, sorted]() { replayMembershipStep(journal, false, contacts, group, sorted); });
}

// Undo takes the change back; what it registers makes it again on redo.
void ContactOperations::replayMembershipStep(const JournalPtr &journal, bool forward,
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    forward ? journal->apply() : journal->revert();
    if (UndoManager *manager = m_host.undoManager()) {
        manager->registerUndo(this, [this, journal, forward, contacts, group, sorted]() {
            replayMembershipStep(journal, !forward, contacts, group, sorted);
        });
    }
    // A step that adds rows shows them sorted in, as the add itself does.
    showChangedMembership(contacts, group, forward == sorted);
}

void ContactOperations::showChangedMembership(
    const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool sorted)
{
    m_host.closeViewsOfDeletedContacts();
    // A change to the top group marks the rows of every group of its
    // container: the one shown shows it too.
    const GroupRecordPtr &shown = m_host.selectedGroupDict();
    const bool showsMarks
        = group->top && shown && shown->containerIdentifier == group->containerIdentifier && showsGroup(*shown);
    if (contacts.isEmpty() || !(showsMarks || showsGroup(*group)))
        return;
    m_host.tablePane()->setContactTable(m_host.contactTable());
    if (sorted)
        m_host.sortContactTable();
    m_host.tablePane()->updateTable();
    m_host.tablePane()->selectRowIndexesWithContacts(contacts);
}

// --- Groups ----------------------------------------------------------------

void ContactOperations::undoAddGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container)
{
    if (!group || !container)
        return;
    if (UndoManager *manager = m_host.undoManager())
        manager->registerUndo(this, &ContactOperations::undoDeleteGroup, group, container);
    if (group->deleted)
        group->deleted = false;
    else
        container->groups->append(group);
    m_host.showGroupOutline(false);
}

void ContactOperations::undoDeleteGroup(const GroupRecordPtr &group, const ContainerRecordPtr &container)
{
    if (!group || !container)
        return;
    if (UndoManager *manager = m_host.undoManager())
        manager->registerUndo(this, &ContactOperations::undoAddGroup, group, container);
    group->deleted = true;
    GroupList &groups = *container->groups;
    // The deleted group goes to the end, where the outline no longer shows it.
    const qsizetype at = groups.indexOf(group);
    if (at >= 0)
        groups.swapItemsAt(at, groups.size() - 1);
    m_host.setSelectedGroupDict(container->topGroup());
    m_host.showGroupOutline(true);
    m_host.groupSelectionDidChange(m_host.selectedGroupDict());
}

bool ContactOperations::undoChangeGroupName(const QString &name, const GroupRecordPtr &group)
{
    if (!group)
        return true;
    if (UndoManager *manager = m_host.undoManager())
        manager->registerUndo(this, &ContactOperations::undoChangeGroupName, group->name, group);
    group->groupNameChanged = true;
    group->name = name;
    m_host.setSelectedGroupDict(group);
    m_host.showGroupOutline(true);
    m_host.groupSelectionDidChange(group);
    return true;
}

bool ContactOperations::showsGroup(const GroupRecord &group) const
{
    return m_host.tablePane() && group.contactTable && group.contactTable == m_host.contactTable();
}
