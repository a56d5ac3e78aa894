// The value editors the table opens below a cell, and how their results
// reach the rows they were opened for; the contact's details shown beside
// its row, the windows they are dragged off into, and how both follow the
// table's refreshes and font.

#include "model/AddressText.h"
#include "model/MVPerson.h"
#include "table/ContactsViewController.h"

#include "editors/AddressViewController.h"
#include "editors/DateViewController.h"
#include "editors/DatesViewController.h"
#include "editors/IMSViewController.h"
#include "editors/MultiValueViewController.h"
#include "editors/NameViewController.h"
#include "editors/PhoneticNameViewController.h"
#include "editors/RenmeiViewController.h"
#include "editors/SNSViewController.h"
#include "editors/ValueEditorDelegate.h"
#include "editors/ValueEditorResult.h"
#include "platform/UndoManager.h"
#include "platform/widgets/Popover.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"

#include "table/ContactInfoPopoverPane.h"
#include <QSet>
#include <QTableView>

namespace {

// A new address as the address editor starts it.
LabeledValueRecordPtr newAddress()
{
    auto address = std::make_shared<LabeledValueRecord>();
    address->setAddressPart(FieldId::ZIP, QStringLiteral("123"));
    address->label = QStringLiteral("home");
    address->labelIndex = -1;
    AddressText::updateAddressValue(address.get(), 3);
    return address;
}

PopoverContextInfoPtr makeContext(const SubContactRecordPtr &row, const ContactIdentifier &type)
{
    auto context = std::make_shared<PopoverContextInfo>();
    context->contact = row;
    context->type = type;
    return context;
}

// The number of the field's value at a list position, -1 when there is none.
qint64 labelIndexAtPosition(const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 position)
{
    const LabeledValueRecordPtr value = row->person->labeledValueForIdentifierAtIndex(type, position);
    return value ? value->labelIndex : -1;
}

// A list of values handed to several contacts: each gets records of its own,
// so that a later change of one contact's value never reaches another's.
PersonValue ownCopy(const PersonValue &value)
{
    const auto *list = std::get_if<LabeledValueList>(&value);
    if (!list)
        return value;
    LabeledValueList copies;
    copies.reserve(list->size());
    for (const LabeledValueRecordPtr &record : *list)
        copies.append(record ? std::make_shared<LabeledValueRecord>(*record) : nullptr);
    return copies;
}

} // namespace

Popover *ContactsViewController::preparePopover(bool transient)
{
    if (m_popover)
        return m_popover;
    auto *popover = new Popover(this);
    popover->setBehavior(transient ? Popover::Behavior::Transient : Popover::Behavior::Semitransient);
    popover->setAnimates(true);
    popover->setDelegate(this);
    connect(popover, &Popover::didClose, this, &ContactsViewController::popoverDidClose);
    m_popover = popover;
    return popover;
}

void ContactsViewController::showEditorPopover(
    ValueEditor *editor, const PopoverContextInfoPtr &context, bool transient, const QSize &size, const QRect &rect)
{
    Popover *popover = preparePopover(transient);
    editor->setPopover(popover);
    popover->setContentWidget(editor);
    popover->setContentSize(size);
    popover->showRelativeToRect(rect, m_tableView->viewport(), Popover::Edge::MaxY);
    editor->setContextInfo(context, editState());
}

void ContactsViewController::showMultiValuePopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 position, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->labelIndex = labelIndexAtPosition(row, type, position);
    context->editEnabled = true;
    const int width = type == FieldId::Address ? 820 : type == FieldId::InstantMessage ? 460 : 360;
    showEditorPopover(new MultiValueViewController, context, false, QSize(width, 260), rect);
}

void ContactsViewController::showAddressPopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const LabeledValueRecordPtr address = labelIndex == -1
        ? newAddress()
        : row->person->labeledValueForIdentifierAtLabelIndex(FieldId::Address, labelIndex);
    if (!address)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->labeledValue = std::make_shared<LabeledValueRecord>(*address);
    context->labelIndex = labelIndex;
    showEditorPopover(new AddressViewController, context, true, QSize(340, 478), rect);
}

void ContactsViewController::showSNSPopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->labelIndex = labelIndex;
    showEditorPopover(new SNSViewController, context, true, QSize(400, 222), rect);
}

void ContactsViewController::showIMSPopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->labelIndex = labelIndex;
    showEditorPopover(new IMSViewController, context, true, QSize(340, 192), rect);
}

void ContactsViewController::showDatePopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 position, const QRect &rect)
{
    if (!row || !row->person || (type != FieldId::Dates && type != FieldId::Birthday))
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->editEnabled = true;
    if (type == FieldId::Dates) {
        context->labelIndex = labelIndexAtPosition(row, type, position);
        showEditorPopover(new DatesViewController, context, false, QSize(340, 392), rect);
    } else {
        showEditorPopover(new DateViewController, context, false, QSize(340, 284), rect);
    }
}

void ContactsViewController::showPhoneticNamePopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->editEnabled = true;
    showEditorPopover(new PhoneticNameViewController, context, false, QSize(340, 220), rect);
}

void ContactsViewController::showNamePopover(
    const SubContactRecordPtr &row, const ContactIdentifier &type, const QRect &rect)
{
    if (!row || !row->person)
        return;
    const PopoverContextInfoPtr context = makeContext(row, type);
    context->editEnabled = true;
    showEditorPopover(new NameViewController, context, false, QSize(340, 316), rect);
}

void ContactsViewController::showRenmeiPopover(const SubContactRecordPtr &row, const QRect &rect)
{
    if (!row || !row->person)
        return;
    auto *editor = new RenmeiViewController;
    editor->setSelectedFont(selectedFont());
    showEditorPopover(editor, makeContext(row, FieldId::Renmei), false, QSize(368, 260), rect);
}

void ContactsViewController::popoverDidClose(Popover *popover)
{
    if (!popover)
        return;
    if (const auto *editor = qobject_cast<ValueEditor *>(popover->contentWidget()))
        applyEditorResultToRows(editor->contextInfo(), m_popoverRows);
    if (popover == m_popover)
        m_popover = nullptr;
    popover->deleteLater();
}

// The editor's popover closes on the way, which applies its result.
bool ContactsViewController::finishValueEditor(EditorEnding ending)
{
    ValueEditor *editor = m_popover ? qobject_cast<ValueEditor *>(m_popover->contentWidget()) : nullptr;
    return !editor || editor->finish(ending);
}

bool ContactsViewController::hasOpenValueEditor() const
{
    return m_popover && m_popover->isShown() && qobject_cast<ValueEditor *>(m_popover->contentWidget());
}

// Every changed row counts, not only the last: a change that left the last
// row as it was still marks the window edited and refreshes the table.
bool ContactsViewController::applyEditorResultToRows(
    const PopoverContextInfoPtr &context, const QList<SubContactRecordPtr> &rows)
{
    if (!context || !context->dirty || !m_delegate)
        return false;
    ValueEditorDelegate *values = m_delegate->valueEditorDelegate();
    if (!values)
        return false;
    UndoManager *undoManager = m_delegate->undoManager();
    if (undoManager)
        undoManager->beginUndoGrouping();
    bool changed = false;
    // Two rows of one contact are one contact: a new value is added once.
    QSet<const MVPerson *> done;
    for (const SubContactRecordPtr &row : rows) {
        if (!row || !row->person || done.contains(row->person.get()))
            continue;
        done.insert(row->person.get());
        const PopoverContextInfoPtr own = contextForRow(*context, row);
        if (own && applyValueEditorResult(own, row, values))
            changed = true;
    }
    if (undoManager)
        undoManager->endUndoGrouping();
    if (changed) {
        markWindowEdited();
        selectRowsOfRecordsAfterRebuild(rows);
        m_delegate->updateTableLater();
    }
    return changed;
}

// The edited value's number is the clicked contact's: in any other contact
// the result lands on the value that contact's row shows, and a contact
// whose row shows none of the field is left as it is (null).
PopoverContextInfoPtr ContactsViewController::contextForRow(
    const PopoverContextInfo &context, const SubContactRecordPtr &row) const
{
    auto own = std::make_shared<PopoverContextInfo>(context);
    own->value = ownCopy(context.value);
    const bool clicked = context.contact && context.contact->person == row->person;
    if (clicked || !replacesOneLabeledValue(context))
        return own;
    const LabeledValueRecordPtr shown = TableColumn::labeledValueAt(*row->person, context.type, row->labelIndex);
    if (!shown || !TableColumn::passesLabelFilter(*shown, m_model->selectedLabels()))
        return nullptr;
    own->value = editedValueOver(std::get<LabeledValueRecord>(context.value), *shown);
    return own;
}

void ContactsViewController::selectRowsOfRecordsAfterRebuild(const QList<SubContactRecordPtr> &rows)
{
    m_rowsToSelect = rows;
}

void ContactsViewController::setRowsSelected(const QList<SubContactRecordPtr> &rows)
{
    // By contact and label position: a thousand rows among tens of
    // thousands are found in one pass.
    QSet<std::pair<QString, qint64>> wanted;
    for (const SubContactRecordPtr &row : rows) {
        if (row)
            wanted.insert({row->uniqueId.toString(), row->labelIndex});
    }
    QList<int> found;
    const QList<SubContactRecordPtr> &shown = subContactTable();
    for (int index = 0; index < shown.size(); ++index) {
        const SubContactRecord &row = *shown.at(index);
        if (wanted.contains({row.uniqueId.toString(), row.labelIndex}))
            found.append(index);
    }
    if (!found.isEmpty())
        selectRowIndexes(found);
}

void ContactsViewController::markWindowEdited()
{
    if (QWidget *top = window())
        top->setWindowModified(true);
}

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

// Each view keeps the contact it shows, as the window now holds it: a save
// or a revert reads every contact anew, and a view left on the record of
// the load before would take edits that no save stores. A view whose
// contact the window no longer holds closes.
void ContactsViewController::refreshContactViews(const std::optional<QSet<UniqueId>> &edited)
{
    pruneDetachedWindows();
    const QList<int> selected = selectedRowIndexes();
    const SubContactRecordPtr row = selected.isEmpty() ? nullptr : m_model->subContactAt(selected.first());
    for (ContactInfoPopoverPane *pane : contactViewPanes()) {
        const PersonRecordPtr shown = pane->contact();
        if (edited && !(shown && edited->contains(shown->uniqueId)))
            continue;
        const PersonRecordPtr current = shown ? currentRecordOf(shown, row) : nullptr;
        if (shown && !current) {
            closeContactView(pane);
            continue;
        }
        if (current == shown) {
            pane->updateTable();
            continue;
        }
        // The same person is in the same groups.
        if (current->person == shown->person || !m_delegate)
            current->groupNames = *std::as_const(shown->groupNames);
        else
            current->groupNames = m_delegate->groupNamesOfContact(current);
        pane->setContact(current);
    }
}

// The selected row when it shows the contact; otherwise the view's own
// record while the window still holds its person, or the window's record of
// the contact read anew. Null when the window holds the contact no more.
PersonRecordPtr ContactsViewController::currentRecordOf(
    const PersonRecordPtr &shown, const SubContactRecordPtr &selected) const
{
    if (selected && selected->uniqueId == shown->uniqueId)
        return selected;
    PersonRecordPtr found;
    if (const ContactTablePtr &contacts = m_model->contactTable()) {
        const auto same = std::find_if(contacts->cbegin(), contacts->cend(),
            [&shown](const ContactRecordPtr &contact) { return contact && contact->uniqueId == shown->uniqueId; });
        if (same != contacts->cend())
            found = *same;
    }
    if (!found && m_delegate)
        found = m_delegate->contactWithUniqueId(shown->uniqueId);
    return found && found->person == shown->person ? shown : found;
}

void ContactsViewController::closeContactView(ContactInfoPopoverPane *pane)
{
    for (const DetachedEntry &entry : std::as_const(m_detachedEntries)) {
        if (entry.pane == pane && entry.window) {
            entry.window->close();
            return;
        }
    }
    pane->closePopover();
}

QRect ContactsViewController::cellRect(int column, int row) const
{
    return m_tableView->visualRect(m_model->index(row, column));
}
