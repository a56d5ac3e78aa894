// What the panes tell the window's controller and ask of it beyond their
// selections: the detail views' changes and closing, the contact views made
// for the table, the group outline's renames and group reads, and the find
// bar's calls, which the window's find and replace takes.

#include "app/ViewController.h"

#include "app/AddressBookLoader.h"
#include "app/FindAndReplace.h"
#include "app/WindowController.h"
#include "detail/ContactDetailPane.h"
#include "detail/ContactInfoPopover.h"
#include "detail/ContactInfoView.h"
#include "detail/DetachedWindow.h"
#include "platform/widgets/AlertPresenter.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTablePane.h"

#include <QAction>

namespace {

ViewController::ChangeSender senderOf(const ContactInfoView *view)
{
    if (const auto *pane = dynamic_cast<const ContactDetailPane *>(view))
        return pane;
    if (const auto *popover = dynamic_cast<const ContactInfoPopoverPane *>(view))
        return popover;
    return {};
}

} // namespace

// --- The detail pane and the contact views -------------------------------------

void ViewController::contactDidUpdate(const PersonRecordPtr &contact, const ContactInfoView *sender)
{
    contactDidUpdate(contact, senderOf(sender));
}

ViewController::ChangeSender ViewController::changeSenderOr(ChangeSender fallback) const
{
    return m_changeSender ? senderOf(m_changeSender) : fallback;
}

void ViewController::rowSelectionDidChange(const ContactInfoView *sender, const InfoRowRecord &info)
{
    m_find->detailRowSelected(sender, info);
}

void ViewController::detachedWindowDidClose(const DetachedWindowCloseInfo &info)
{
    if (m_popover && m_popover->contact() && m_popover->contact()->uniqueId == info.uniqueId)
        m_popover = nullptr;
    if (m_tablePane)
        m_tablePane->detachedWindowDidClose(info.uniqueId);
}

QList<ContactInfoPopoverPane *> ViewController::contactViews() const
{
    QList<ContactInfoPopoverPane *> views;
    if (m_popover)
        views.append(m_popover);
    if (m_tablePane) {
        for (ContactInfoPopoverPane *view : m_tablePane->detachedWindows()) {
            if (view && !views.contains(view))
                views.append(view);
        }
    }
    return views;
}

// A deleted contact keeps its rows, marked, until the save removes it from
// the store, so that an Undo can bring it back; nothing typed in a view of
// it would be saved. Its views close at once, letting go what is typed in
// them: an edit they stored now would stand between the delete and its Undo.
void ViewController::closeViewsOfDeletedContacts()
{
    for (ContactInfoPopoverPane *view : contactViews()) {
        if (!view->contact() || !isDeletedContact(view->contact()->uniqueId))
            continue;
        view->finishValueEditor(EditorEnding::Cancel);
        view->discardEditing();
        auto *widget = dynamic_cast<QWidget *>(view);
        if (view == m_popover.get() || !widget)
            view->closePopover();
        else
            widget->window()->close();
    }
}

bool ViewController::isDeletedContact(const UniqueId &uniqueId) const
{
    if (!m_containerTable)
        return false;
    for (const ContainerRecordPtr &container : std::as_const(*m_containerTable)) {
        const GroupRecordPtr top = container->topGroup();
        if (!top || !top->contactTable)
            continue;
        for (const ContactRecordPtr &row : std::as_const(*top->contactTable)) {
            if (row && row->uniqueId == uniqueId)
                return row->deleted;
        }
    }
    return false;
}

// The contact views the table shows beside a row and the windows they are
// dragged off into are made here, where the detail views are known, and
// handed down to the table as plain widgets.

AlertPresenter *ViewController::alertPresenter() const
{
    return m_windowController ? &m_windowController->alertPresenter() : nullptr;
}

bool ViewController::canUnlock() const
{
    return !m_editButton || m_editButton->isEnabled();
}

ContactInfoPopover *ViewController::newContactView()
{
    auto *view = new ContactInfoPopover(&userDefaults());
    view->setDelegate(this);
    view->setMyUndoManager(undoManager());
    return view;
}

ViewController::ContactView ViewController::makeContactInfoPopover()
{
    if (!m_windowController)
        return {};
    ContactInfoPopover *view = newContactView();
    view->setParentWindow(m_windowController);
    // The popover is a window of its own, over which the value editors it
    // opens lie: they take the keys of Save and Quit through it.
    view->addActions(m_windowController->applicationActions());
    m_popover = view;
    return {view, view};
}

ViewController::DetachedContactWindow ViewController::makeDetachedContactWindow(const PersonRecordPtr &contact)
{
    if (!m_windowController)
        return {};
    ContactInfoPopover *view = newContactView();
    view->setContact(contact);
    auto *window = new DetachedWindow(view);
    window->setOpeningWindow(m_windowController);
    window->addActions(m_windowController->applicationActions());
    return {window, view, view};
}

// --- The group outline -----------------------------------------------------------

void ViewController::groupNameWillChange(const QString &name, const GroupRecordPtr &group)
{
    if (!group || name.isEmpty() || name == group->name)
        return;
    m_operations->undoChangeGroupName(name, group);
    setWindowEdited(true);
}

void ViewController::updateGroupTable(ContainerRecord &container)
{
    if (!m_contactStore || !m_sideStore)
        return;
    AddressBookLoader loader(*m_contactStore, *m_sideStore);
    QPointer<WindowController> window = m_windowController;
    loader.setAlertPoster([window](const QString &message, const QString &informative) {
        QMetaObject::invokeMethod(
            window,
            [window, message, informative] {
                if (window)
                    window->alertPresenter().showAlert(window, message, informative);
            },
            Qt::QueuedConnection);
    });
    loader.appendGroups(container);
}

// --- The find bar, the Find menu and the table's column commands ------------------

void ViewController::showFindBar(bool show)
{
    QPointer<WindowController> window = m_windowController;
    m_find->showFindBar(show, [window] {
        if (window)
            window->findBarDidFinishMoving();
    });
}

void ViewController::showFindPanel()
{
    m_find->showFindPanel();
}

void ViewController::performFindBarAction(const QAction *item)
{
    m_find->performFindBarAction(item);
}

void ViewController::findStringDidChange(const QString &findString)
{
    m_find->findStringDidChange(findString);
}

void ViewController::findBarButtonDidPress(const QString &command)
{
    m_find->findBarButtonDidPress(command);
}

const ItemAndRangeRecordPtr &ViewController::selectedItemAndRange() const
{
    return m_find->selectedItemAndRange();
}

void ViewController::contactChangedByReplace(const PersonRecordPtr &contact)
{
    contactDidUpdate(contact, ChangeSender());
}

void ViewController::pressFindButton()
{
    if (m_windowController)
        m_windowController->findBarButtonClicked();
}

void ViewController::findBarDidEnd()
{
    if (m_windowController)
        m_windowController->findBarDidEnd();
    else
        showFindBar(false);
}

QWidget *ViewController::findPanelParent() const
{
    return m_windowController;
}

void ViewController::showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion)
{
    FindAndReplace::showReplaceAlertPanel(request, completion);
}
