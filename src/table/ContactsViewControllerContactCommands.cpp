// The contact table's commands on whole contacts (add, show, duplicate,
// delete) and the actions that hand a cell's value to another application.

#include "table/ContactsViewController.h"

#include "editors/SimpleInfoPanelController.h"
#include "editors/ValueEditorDelegate.h"
#include "model/MVPerson.h"
#include "model/PersonDuplicate.h"
#include "platform/UndoManager.h"
#include "table/ContactTableMenu.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"
#include "table/workspace/WorkspaceAction.h"

#include <QTableView>

#include <algorithm>
#include <array>
#include <optional>

namespace {

std::optional<WorkspaceAction::Kind> workspaceKind(const ContactIdentifier &column, const QString &itemKey)
{
    using Kind = WorkspaceAction::Kind;
    if (column == FieldId::Phone)
        return Kind::CallPhone;
    if (column == FieldId::Email)
        return Kind::SendEmail;
    if (column == FieldId::URL)
        return Kind::OpenURL;
    if (column == FieldId::Address)
        return itemKey == ContactTableMenu::Key::OpenGoogleMap ? Kind::OpenWebMap : Kind::OpenMap;
    if (column == FieldId::Dates || column == FieldId::Birthday)
        return Kind::OpenCalendar;
    return std::nullopt;
}

// Whether the contact is still one of the table's, not removed meanwhile.
bool isShown(const ContactTablePtr &table, const PersonRecordPtr &row)
{
    if (!table || !row)
        return false;
    return std::any_of(table->cbegin(), table->cend(), [&row](const ContactRecordPtr &contact) {
        return contact && !contact->deleted && contact->uniqueId == row->uniqueId;
    });
}

} // namespace

void ContactsViewController::setClickedCell(int column, int row)
{
    m_clickedColumn = column;
    m_clickedRow = row;
}

bool ContactsViewController::clickedCellIsInTable() const
{
    return m_clickedColumn >= 0 && m_clickedColumn < m_model->columns().size() && m_clickedRow >= 0
        && m_clickedRow < m_model->subContactTable().size();
}

// --- Workspace actions ----------------------------------------------------------

void ContactsViewController::doWorkspaceAction(const QString &itemKey)
{
    if (!clickedCellIsInTable())
        return;
    const SubContactRecordPtr row = m_model->subContactAt(m_clickedRow);
    const ContactIdentifier &column = m_model->columns().at(m_clickedColumn).identifier;
    const std::optional<WorkspaceAction::Kind> kind = workspaceKind(column, itemKey);
    if (!row || !row->person || !kind)
        return;
    QString text;
    if (*kind != WorkspaceAction::Kind::OpenCalendar) {
        const LabeledValueRecordPtr value = row->person->labeledValueForIdentifierAtIndex(column, row->labelIndex);
        if (!value || value->stringValue.isEmpty())
            return;
        text = value->stringValue;
    }
    (void)WorkspaceAction::perform(*kind, text);
}

// --- Duplicate and delete -------------------------------------------------------

void ContactsViewController::duplicateContact()
{
    if (!clickedCellIsInTable() || !editState() || !m_delegate)
        return;
    QList<ContactRecordPtr> copies;
    for (const ContactRecordPtr &contact : selectedContactsWithClickedRowIndex(m_clickedRow)) {
        if (const ContactRecordPtr copy = PersonDuplicate::recordCopyOf(*contact, PersonDuplicate::CopyLayouts::Yes))
            copies.append(copy);
    }
    if (copies.isEmpty())
        return;
    m_delegate->undoAddContacts(copies, m_delegate->selectedGroupDict());
    markWindowEdited();
}

// Afterwards the row above the first one deleted is selected (row 0 when
// that was row 0 or 1), so the user stays where the contacts were.
void ContactsViewController::deleteContact()
{
    if (!clickedCellIsInTable() || !editState() || !m_delegate)
        return;
    QList<int> rows = selectedRowIndexes();
    rows.append(m_clickedRow);
    const int firstRow = *std::min_element(rows.cbegin(), rows.cend());
    const QList<ContactRecordPtr> contacts = selectedContactsWithClickedRowIndex(m_clickedRow);
    if (contacts.isEmpty())
        return;
    m_delegate->undoDeleteContacts(contacts, m_delegate->selectedGroupDict(), true);
    markWindowEdited();
    const int row = firstRow <= 1 ? 0 : firstRow - 1;
    if (row < m_model->subContactTable().size()) {
        selectRowIndexes({row});
        scrollRowToVisible(row);
    }
}

void ContactsViewController::showQRCode()
{
    if (m_delegate)
        m_delegate->showQRCode();
}

// --- The simple sheet -----------------------------------------------------------

SimpleInfoPanelController *ContactsViewController::simpleInfoPanelController() const
{
    return m_simpleInfoPanelController;
}

void ContactsViewController::addContact()
{
    if (prepareSimpleInfoPanel())
        openSimpleInfoPanel(nullptr);
}

void ContactsViewController::showContact()
{
    const SubContactRecordPtr row = m_model->subContactAt(selectedRow());
    if (!row || !row->person)
        return;
    if (prepareSimpleInfoPanel())
        openSimpleInfoPanel(row);
}

bool ContactsViewController::prepareSimpleInfoPanel()
{
    if (!m_simpleInfoPanelController) {
        m_simpleInfoPanelController = new SimpleInfoPanelController(window());
        m_simpleInfoPanelController->setWindowModality(Qt::WindowModal);
    }
    if (!m_simpleInfoPanelController->isVisible())
        return true;
    // As the sheet's own Cancel: its edits are dropped and it ends with 0.
    static_cast<QDialog *>(m_simpleInfoPanelController.data())->reject();
    return false;
}

void ContactsViewController::openSimpleInfoPanel(const SubContactRecordPtr &row)
{
    SimpleInfoPanelController *panel = m_simpleInfoPanelController;
    auto context = std::make_shared<SimpleInfoContext>();
    context->contact = row;
    context->labelTableDict = MVPerson::labelTableDict();
    context->defaultCountryCode = QStringLiteral("JP");
    context->editEnabled = true;
    panel->setSelectedFont(selectedFont());
    panel->setContextInfo(context, true);
    // Each use answers only for itself: the previous use's ending is gone.
    disconnect(panel, &QDialog::finished, this, nullptr);
    connect(panel, &QDialog::finished, this, [this, context, row](int code) {
        if (code == 1)
            simpleInfoPanelDidEnd(context, row);
    });
    panel->open();
}

// A new contact joins the group shown; a shown contact takes back the fields
// the sheet edits, as one undo step.
void ContactsViewController::simpleInfoPanelDidEnd(const SimpleInfoContextPtr &context, const SubContactRecordPtr &row)
{
    const ContactRecordPtr newContact = context->newContact;
    if (!m_delegate || !newContact || !newContact->person)
        return;
    if (!row) {
        m_delegate->undoAddContacts({newContact}, m_delegate->selectedGroupDict());
        markWindowEdited();
        return;
    }
    ValueEditorDelegate *values = m_delegate->valueEditorDelegate();
    if (!values || !isShown(contactTable(), row))
        return;
    static const std::array<ContactIdentifier, 6> fields{
        FieldId::FirstName, FieldId::LastName, FieldId::Company, FieldId::Renmei, FieldId::Address, FieldId::Note};
    UndoManager *undo = m_delegate->undoManager();
    if (undo)
        undo->beginUndoGrouping();
    bool changed = false;
    for (const ContactIdentifier &field : fields)
        changed = values->undoReplaceValue(newContact->person->valueForIdentifier(field), field, row) || changed;
    if (undo)
        undo->endUndoGrouping();
    if (changed) {
        markWindowEdited();
        updateTable();
    }
}
