#include "app/ViewController.h"

#include "app/FindAndReplace.h"
#include "app/LoadingIndicator.h"
#include "app/PreviewLayoutEdits.h"
#include "detail/ContactDetailPane.h"
#include "table/ContactTablePane.h"
#include "find/FindBarPane.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/GroupOutlinePane.h"
#include "print/PostcardPreviewPane.h"
#include "editors/SeparatorBox.h"
#include "app/WindowController.h"
#include "model/ContactIdentifier.h"
#include "model/PersonDuplicate.h"
#include "platform/UndoManager.h"
#include "app/ContactMenuCommands.h"

#include <QAction>

#include <algorithm>
#include <utility>

ViewController::ViewController(WindowController *windowController, QObject *parent)
    : QObject(parent)
    , m_windowController(windowController)
    , m_operations(std::make_unique<ContactOperations>(static_cast<ContactOperationsHost &>(*this)))
    , m_find(std::make_unique<FindAndReplace>(static_cast<FindAndReplaceHost &>(*this), *m_operations))
    , m_loadingIndicator(std::make_unique<LoadingIndicator>())
{
}

ViewController::~ViewController()
{
    // The inverses registered by this controller and its operations call
    // back into them.
    if (UndoManager *manager = undoManager()) {
        manager->removeAllActionsWithTarget(this);
        manager->removeAllActionsWithTarget(m_operations.get());
    }
}

UndoManager *ViewController::undoManager() const
{
    return m_windowController ? m_windowController->undoManager() : nullptr;
}

void ViewController::setContactsViewController(ContactTablePane *pane)
{
    m_tablePane = pane;
}

void ViewController::setGroupViewController(GroupOutlinePane *pane)
{
    m_groupOutlinePane = pane;
}

void ViewController::setContactInfoController(ContactDetailPane *pane)
{
    m_detailPane = pane;
}

void ViewController::setHagakiViewController(PostcardPreviewPane *pane)
{
    m_previewPane = pane;
}

void ViewController::setFindBarController(FindBarPane *pane)
{
    m_findBarPane = pane;
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
    finishValueEditors(EditorEnding::Done);
    bool committed = false;
    for (ContactInfoPane *pane : contactInfoPanes())
        committed = pane->commitEditing() || committed;
    if (m_tablePane && m_tablePane->commitEditing())
        committed = true;
    return committed;
}

void ViewController::discardEditing()
{
    finishValueEditors(EditorEnding::Cancel);
    for (ContactInfoPane *pane : contactInfoPanes())
        pane->discardEditing();
    if (m_tablePane)
        m_tablePane->discardEditing();
}

// An editor left open would apply its result later to the records of the
// rows it was opened on, which a save or a revert replaces. One whose Done
// refuses what was typed stays open and says so.
void ViewController::finishValueEditors(EditorEnding ending)
{
    for (ContactInfoPane *pane : contactInfoPanes())
        pane->finishValueEditor(ending);
    if (m_tablePane)
        m_tablePane->finishValueEditor(ending);
}

bool ViewController::hasOpenValueEditor() const
{
    const QList<ContactInfoPane *> panes = contactInfoPanes();
    return (m_tablePane && m_tablePane->hasOpenValueEditor())
        || std::any_of(
            panes.cbegin(), panes.cend(), [](const ContactInfoPane *pane) { return pane->hasOpenValueEditor(); });
}

QList<ContactInfoPane *> ViewController::contactInfoPanes() const
{
    QList<ContactInfoPane *> panes;
    const auto add = [&panes](ContactInfoPane *pane) {
        if (pane && !panes.contains(pane))
            panes.append(pane);
    };
    add(m_detailPane);
    add(m_popover);
    if (m_tablePane) {
        for (ContactInfoPopoverPane *view : m_tablePane->detachedWindows())
            add(view);
    }
    return panes;
}

void ViewController::updateTable()
{
    if (m_tablePane)
        m_tablePane->updateTable();
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
    if (!(detailSender && *detailSender == m_detailPane))
        m_pendingRefresh.detail = true;
    const auto *tableSender = std::get_if<const ContactTablePane *>(&sender);
    const bool fromDetails = detailSender || std::holds_alternative<const ContactInfoPopoverPane *>(sender);
    if (fromDetails)
        m_pendingRefresh.tableContacts.append(contact);
    else if (!(tableSender && *tableSender == m_tablePane))
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
    if (pending.detail && m_detailPane)
        m_detailPane->updateTable();
    if (pending.table && m_tablePane)
        m_tablePane->updateTable();
    else if (!pending.tableContacts.isEmpty() && m_tablePane)
        m_tablePane->updateRowsOfContacts(pending.tableContacts);
    if (pending.preview && m_previewPane)
        m_previewPane->updateUI();
}

void ViewController::undo()
{
    if (UndoManager *manager = undoManager()) {
        manager->undo();
        windowHistoryDidStep();
    }
}

void ViewController::redo()
{
    if (UndoManager *manager = undoManager()) {
        manager->redo();
        windowHistoryDidStep();
    }
}

// A CSV document's records and a window locked for printing stay as they
// are shown.
bool ViewController::canUndo() const
{
    const UndoManager *manager = undoManager();
    return m_editState && manager && manager->canUndo();
}

bool ViewController::canRedo() const
{
    const UndoManager *manager = undoManager();
    return m_editState && manager && manager->canRedo();
}

void ViewController::windowHistoryDidStep()
{
    const UndoManager *manager = undoManager();
    setWindowEdited(manager && manager->canUndo());
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
    if (m_tablePane)
        m_tablePane->setEditState(editState);
    if (m_detailPane)
        m_detailPane->setEditState(editState);
    if (m_groupOutlinePane)
        m_groupOutlinePane->setEditState(editState);
    if (m_findBarPane)
        m_findBarPane->setEditState(editState);
    if (m_editButton)
        m_editButton->setText(editState ? tr("Lock") : tr("Edit"));
    if (m_tablePane)
        m_tablePane->updateTable();
    if (m_contactInfoVisible && m_detailPane)
        m_detailPane->updateTable();
}

void ViewController::enableEditButton(bool enabled)
{
    if (m_editButton)
        m_editButton->setEnabled(enabled);
    for (ContactInfoPopoverPane *view : contactViews())
        view->windowLockDidChange();
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

void ViewController::deleteContacts()
{
    if (!m_tablePane)
        return;
    const QList<ContactRecordPtr> contacts = m_tablePane->selectedContacts();
    if (contacts.isEmpty())
        return;
    const QList<int> rows = m_tablePane->selectedRowIndexes();
    undoDeleteContacts(contacts, m_selectedGroupDict, true);
    setWindowEdited(true);
    selectRowBefore(rows.isEmpty() ? 0 : rows.first());
}

// Each copy is a new store contact with an identifier of its own; the
// postcard layouts stay behind.
void ViewController::duplicateContacts()
{
    if (!m_tablePane)
        return;
    QList<ContactRecordPtr> copies;
    for (const ContactRecordPtr &contact : m_tablePane->selectedContacts()) {
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
        m_windowController->contactCommands()->showQRCode();
}

void ViewController::selectRowBefore(int firstDeletedRow)
{
    const int row = std::max(firstDeletedRow - 1, 0);
    m_tablePane->selectRowIndexes({row});
    m_tablePane->scrollRowToVisible(row);
}

void ViewController::showGroupOutline(bool withSelection)
{
    if (!m_groupOutlinePane)
        return;
    m_groupOutlinePane->setContainerTable(m_containerTable);
    if (withSelection)
        m_groupOutlinePane->setSelectedGroupDict(m_selectedGroupDict);
    m_groupOutlinePane->updateTable();
}
