// The contact's details shown beside its row, the windows they are dragged
// off into, and how both follow the table's refreshes and font.

#include "table/ContactsViewController.h"

#include "model/MVPerson.h"
#include "platform/widgets/Popover.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"

#include <QTableView>

namespace {

constexpr QSize contactViewSize(450, 640);

} // namespace

void ContactsViewController::showContactInfoPopover(const SubContactRecordPtr &row, const QRect &rect)
{
    if (!row || !row->person || !m_delegate)
        return;
    pruneDetachedWindows();
    for (const DetachedEntry &entry : std::as_const(m_detachedEntries)) {
        if (entry.uniqueId != row->uniqueId)
            continue;
        // Without a window the contact's popover is the one showing.
        if (QWidget *window = entry.window) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return;
    }
    const ContactsViewControllerDelegate::ContactView view = m_delegate->makeContactInfoPopover();
    if (!view.widget || !view.pane) {
        delete view.widget;
        return;
    }
    const bool created = !m_popover;
    Popover *popover = preparePopover(true);
    if (created)
        popover->setAnimates(false);
    view.pane->setParentPopover(popover);
    popover->setContentWidget(view.widget);
    popover->setContentSize(contactViewSize);
    view.pane->setContact(row);
    row->groupNames = m_delegate->groupNamesOfContact(row);
    m_detachedEntries.append({row->uniqueId, view.widget, view.pane, nullptr});
    m_contactView = view.widget;
    m_contactViewPane = view.pane;
    view.pane->setSelectedLabels(m_model->selectedLabels());
    view.pane->setSelectedFont(selectedFont());
    view.pane->setEditState(editState());
    popover->showRelativeToRect(rect, m_tableView->viewport(), Popover::Edge::MaxX);
    view.pane->setSelectedFont(selectedFont());
}

void ContactsViewController::showContactInfoPopoverWithOption(bool editName)
{
    const int row = selectedRow();
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record)
        return;
    showContactInfoPopover(record, cellRect(0, row));
    if (editName) {
        if (ContactInfoPopoverPane *pane = contactInfoPopoverPane())
            pane->editForIdentifier(FieldId::Name);
    }
}

ContactInfoPopoverPane *ContactsViewController::contactInfoPopoverPane() const
{
    if (!m_popover || !m_contactView || m_popover->contentWidget() != m_contactView)
        return nullptr;
    return m_contactViewPane;
}

bool ContactsViewController::popoverShouldDetach(Popover *popover)
{
    return popover && popover == m_popover && contactInfoPopoverPane();
}

QWidget *ContactsViewController::detachableWindowForPopover(Popover *popover)
{
    ContactInfoPopoverPane *shown = popover == m_popover ? contactInfoPopoverPane() : nullptr;
    const PersonRecordPtr contact = shown ? shown->contact() : nullptr;
    if (!contact || !m_delegate)
        return nullptr;
    const ContactsViewControllerDelegate::DetachedContactWindow made = m_delegate->makeDetachedContactWindow(contact);
    if (!made.window || !made.view || !made.pane) {
        delete made.window;
        return nullptr;
    }
    made.pane->setSelectedLabels(m_model->selectedLabels());
    made.pane->setSelectedFont(selectedFont());
    made.pane->setEditState(editState());
    m_detachedEntries.append({contact->uniqueId, made.view, made.pane, made.window});
    return made.window;
}

QList<ContactInfoPopoverPane *> ContactsViewController::detachedWindows() const
{
    QList<ContactInfoPopoverPane *> panes;
    for (const DetachedEntry &entry : m_detachedEntries) {
        if (entry.window && entry.view)
            panes.append(entry.pane);
    }
    return panes;
}

void ContactsViewController::detachedWindowDidClose(const QString &uniqueId)
{
    for (qsizetype index = 0; index < m_detachedEntries.size(); ++index) {
        if (m_detachedEntries.at(index).uniqueId == uniqueId) {
            m_detachedEntries.removeAt(index);
            return;
        }
    }
}

// A view deleted without its closing notice must not keep its contact's
// popover from opening.
void ContactsViewController::pruneDetachedWindows()
{
    m_detachedEntries.removeIf([](const DetachedEntry &entry) { return !entry.view; });
}

QList<ContactInfoPopoverPane *> ContactsViewController::contactViewPanes() const
{
    QList<ContactInfoPopoverPane *> panes = detachedWindows();
    if (ContactInfoPopoverPane *shown = contactInfoPopoverPane())
        panes.prepend(shown);
    return panes;
}

// Each view keeps the contact it shows; when that contact's row is the
// selected one, the view takes the rebuilt row.
void ContactsViewController::refreshContactViews()
{
    pruneDetachedWindows();
    const QList<int> selected = selectedRowIndexes();
    const SubContactRecordPtr row = selected.isEmpty() ? nullptr : m_model->subContactAt(selected.first());
    for (ContactInfoPopoverPane *pane : contactViewPanes()) {
        const PersonRecordPtr shown = pane->contact();
        if (row && shown && shown->uniqueId == row->uniqueId && shown != row)
            pane->setContact(row);
        pane->updateTable();
    }
}

QRect ContactsViewController::cellRect(int column, int row) const
{
    return m_tableView->visualRect(m_model->index(row, column));
}
