// The contact table's commands on whole contacts (add, show, duplicate,
// delete) and the actions that hand a cell's value to another application.

#include "table/ContactTableContactCommands.h"

#include "model/FieldVocabulary.h"
#include "table/ContactsViewController.h"

#include "editors/SimpleInfoPanelController.h"
#include "editors/ValueEditorDelegate.h"
#include "model/MVPerson.h"
#include "model/PersonDuplicate.h"
#include "platform/UndoManager.h"
#include "platform/widgets/DialogAnswer.h"
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

ContactTableContactCommands::ContactTableContactCommands(ContactsViewController &table)
    : QObject(&table)
    , m_table(table)
    , m_model(table.model())
{
}

bool ContactTableContactCommands::clickedCellIsInTable() const
{
    return m_table.clickedColumn() >= 0 && m_table.clickedColumn() < m_model->columns().size()
        && m_table.clickedRow() >= 0 && m_table.clickedRow() < m_model->subContactTable().size();
}

// --- Workspace actions ----------------------------------------------------------

void ContactTableContactCommands::doWorkspaceAction(const QString &itemKey)
{
    if (!clickedCellIsInTable())
        return;
    const SubContactRecordPtr row = m_model->subContactAt(m_table.clickedRow());
    const ContactIdentifier &column = m_model->columns().at(m_table.clickedColumn()).identifier;
    const std::optional<WorkspaceAction::Kind> kind = workspaceKind(column, itemKey);
    if (!row || !row->person || !kind)
        return;
    QString text;
    if (*kind != WorkspaceAction::Kind::OpenCalendar) {
        // Only what the cell shows: a value the label filter hides is none.
        const LabeledValueRecordPtr value = m_table.shownValue(m_table.clickedColumn(), m_table.clickedRow());
        if (!value || value->stringValue.isEmpty())
            return;
        text = value->stringValue;
    }
    (void)WorkspaceAction::perform(*kind, text);
}

// --- Duplicate and delete -------------------------------------------------------

void ContactTableContactCommands::duplicateContact()
{
    if (!clickedCellIsInTable() || !m_table.editState() || !m_table.delegate())
        return;
    QList<ContactRecordPtr> copies;
    for (const ContactRecordPtr &contact : m_table.selectedContactsWithClickedRowIndex(m_table.clickedRow())) {
        if (const ContactRecordPtr copy = PersonDuplicate::recordCopyOf(*contact, PersonDuplicate::CopyLayouts::Yes))
            copies.append(copy);
    }
    if (copies.isEmpty())
        return;
    m_table.delegate()->undoAddContacts(copies, m_table.delegate()->selectedGroupDict());
    m_table.markWindowEdited();
}

// Afterwards the row above the first one deleted is selected (row 0 when
// that was row 0 or 1), so the user stays where the contacts were.
void ContactTableContactCommands::deleteContact()
{
    if (!clickedCellIsInTable() || !m_table.editState() || !m_table.delegate())
        return;
    QList<int> rows = m_table.selectedRowIndexes();
    rows.append(m_table.clickedRow());
    const int firstRow = *std::min_element(rows.cbegin(), rows.cend());
    const QList<ContactRecordPtr> contacts = m_table.selectedContactsWithClickedRowIndex(m_table.clickedRow());
    if (contacts.isEmpty())
        return;
    m_table.delegate()->undoDeleteContacts(contacts, m_table.delegate()->selectedGroupDict(), true);
    m_table.markWindowEdited();
    const int row = firstRow <= 1 ? 0 : firstRow - 1;
    if (row < m_model->subContactTable().size()) {
        m_table.selectRowIndexes({row});
        m_table.scrollRowToVisible(row);
    }
}

void ContactTableContactCommands::showQRCode()
{
    if (m_table.delegate())
        m_table.delegate()->showQRCode();
}

// --- The simple sheet -----------------------------------------------------------

SimpleInfoPanelController *ContactTableContactCommands::simpleInfoPanelController() const
{
    return m_simpleInfoPanelController;
}

void ContactTableContactCommands::addContact()
{
    if (prepareSimpleInfoPanel())
        openSimpleInfoPanel(nullptr);
}

void ContactTableContactCommands::showContact()
{
    const SubContactRecordPtr row = m_model->subContactAt(m_table.selectedRow());
    if (!row || !row->person)
        return;
    if (prepareSimpleInfoPanel())
        openSimpleInfoPanel(row);
}

bool ContactTableContactCommands::prepareSimpleInfoPanel()
{
    if (!m_simpleInfoPanelController) {
        m_simpleInfoPanelController = new SimpleInfoPanelController(m_table.window());
        m_simpleInfoPanelController->setWindowModality(Qt::WindowModal);
    }
    if (!m_simpleInfoPanelController->isVisible())
        return true;
    // As the sheet's own Cancel: its edits are dropped and it ends with 0.
    static_cast<QDialog *>(m_simpleInfoPanelController.data())->reject();
    return false;
}

void ContactTableContactCommands::openSimpleInfoPanel(const SubContactRecordPtr &row)
{
    SimpleInfoPanelController *panel = m_simpleInfoPanelController;
    auto context = std::make_shared<SimpleInfoContext>();
    context->contact = row;
    context->labelTableDict = FieldVocabulary::shared().labelTableDict();
    context->defaultCountryCode = QStringLiteral("JP");
    context->editEnabled = true;
    panel->setSelectedFont(m_table.selectedFont());
    panel->setContextInfo(context, true);
    // Each use answers only for itself: the previous use's ending is gone.
    disconnect(panel, &QDialog::finished, this, nullptr);
    DialogAnswer::answerAfterDone(panel, this, [this, context, row](int code) {
        if (code == 1)
            simpleInfoPanelDidEnd(context, row);
    });
    panel->open();
}

// A new contact joins the group shown; a shown contact takes back the fields
// the sheet edits, as one undo step.
void ContactTableContactCommands::simpleInfoPanelDidEnd(
    const SimpleInfoContextPtr &context, const SubContactRecordPtr &row)
{
    const ContactRecordPtr newContact = context->newContact;
    if (!m_table.delegate() || !newContact || !newContact->person)
        return;
    if (!row) {
        m_table.delegate()->undoAddContacts({newContact}, m_table.delegate()->selectedGroupDict());
        m_table.markWindowEdited();
        return;
    }
    ValueEditorDelegate *values = m_table.delegate()->valueEditorDelegate();
    if (!values || !isShown(m_table.contactTable(), row))
        return;
    static const std::array<ContactIdentifier, 6> fields{
        FieldId::FirstName, FieldId::LastName, FieldId::Company, FieldId::Renmei, FieldId::Address, FieldId::Note};
    UndoManager *undo = m_table.delegate()->undoManager();
    if (undo)
        undo->beginUndoGrouping();
    bool changed = false;
    for (const ContactIdentifier &field : fields)
        changed = values->undoReplaceValue(newContact->person->valueForIdentifier(field), field, row) || changed;
    if (undo)
        undo->endUndoGrouping();
    if (changed) {
        m_table.markWindowEdited();
        m_table.updateTable();
    }
}
