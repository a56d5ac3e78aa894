// A double-click on a cell: the rows it applies to, the confirmation when
// several of them hold a value, and the editor or in-place edit that suits
// the cell.

#include "table/ContactsViewController.h"

#include "model/MVPerson.h"
#include "platform/widgets/AlertPresenter.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"

#include <QTableView>

#include <algorithm>

namespace {

bool editsTextInPlace(const ContactIdentifier &identifier)
{
    return identifier == FieldId::Phone || identifier == FieldId::Email || identifier == FieldId::URL
        || identifier == FieldId::Relationship;
}

} // namespace

LabeledValueRecordPtr ContactsViewController::shownValue(int column, int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return nullptr;
    const TableColumn &shown = m_model->columns().at(column);
    if (!shown.showsLabeledValues())
        return nullptr;
    return shown.filteredValueAt(*record->person, record->labelIndex, m_model->selectedLabels());
}

QList<SubContactRecordPtr> ContactsViewController::recordsOfRows(const QList<int> &rows) const
{
    QList<SubContactRecordPtr> records;
    for (int row : rows) {
        if (const SubContactRecordPtr record = m_model->subContactAt(row))
            records.append(record);
    }
    return records;
}

// The record itself, or after a rebuild the row of its contact at its label
// position; -1 when the table shows neither.
int ContactsViewController::rowOfRecord(const SubContactRecordPtr &record) const
{
    if (!record)
        return -1;
    const QList<SubContactRecordPtr> &rows = subContactTable();
    const qsizetype same = rows.indexOf(record);
    if (same >= 0)
        return int(same);
    for (qsizetype index = 0; index < rows.size(); ++index) {
        if (rows.at(index)->uniqueId == record->uniqueId && rows.at(index)->labelIndex == record->labelIndex)
            return int(index);
    }
    return -1;
}

void ContactsViewController::confirmThen(const QString &message, const std::function<void()> &then)
{
    AlertPresenter *alerts = m_delegate ? m_delegate->alertPresenter() : nullptr;
    if (!alerts)
        return;
    const QPointer<ContactsViewController> self(this);
    alerts->askConfirmation(window(), message, tr("This operation can be undone."), [self, then](int response) {
        if (self && response == AlertPresenter::FirstButtonReturn)
            then();
    });
}

void ContactsViewController::tableViewDoubleAction(int column, int row, Qt::KeyboardModifiers modifiers)
{
    const bool command = modifiers.testFlag(Qt::ControlModifier);
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return;
    const TableColumn &clicked = m_model->columns().at(column);
    const ContactIdentifier &type = clicked.identifier;
    const QRect rect = cellRect(column, row);
    m_popoverRows = recordsOfRows(selectedRowIndexes());
    if (!editState()) {
        if (clicked.kind == TableColumn::Kind::Name) {
            showContactInfoPopover(record, rect);
            return;
        }
        const LabeledValueRecordPtr value = shownValue(column, row);
        const bool empty = clicked.showsLabeledValues() ? !value : m_model->cellText(*record, clicked, row).isEmpty();
        if (empty && !command)
            return;
        if (!empty) {
            const qint64 position = record->labelIndex;
            if (type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage) {
                m_popoverRows = {record};
                if (command)
                    showMultiValuePopover(record, type, position, rect);
                else if (type == FieldId::Address)
                    showAddressPopover(record, type, value->labelIndex, rect);
                else if (type == FieldId::SocialNetwork)
                    showSNSPopover(record, type, value->labelIndex, rect);
                else
                    showIMSPopover(record, type, value->labelIndex, rect);
                return;
            }
            if (type == FieldId::PhoneticName || type == FieldId::Dates || type == FieldId::Birthday
                || type == FieldId::Renmei) {
                m_popoverRows = {record};
                dispatchCell(column, row, true);
                return;
            }
            if (!command)
                return;
        }
    }
    // The rows whose value the change replaces, and the clicked one.
    QList<SubContactRecordPtr> gathered;
    if (clicked.showsLabeledValues()) {
        for (const int selected : selectedRowIndexes()) {
            if (selected != row && shownValue(column, selected))
                gathered.append(m_model->subContactAt(selected));
        }
    }
    gathered.append(record);
    std::sort(gathered.begin(), gathered.end(),
        [this](const SubContactRecordPtr &a, const SubContactRecordPtr &b) { return rowOfRecord(a) < rowOfRecord(b); });
    m_popoverRows = gathered;
    if (editState() && gathered.size() >= 2) {
        const QPointer<ContactsViewController> self(this);
        confirmThen(tr("Do you want to set the same value in the selected rows"), [this, record, type, command] {
            const int now = rowOfRecord(record);
            const int columnNow = int(columnIdentifiers().indexOf(type));
            if (now < 0 || columnNow < 0)
                return;
            dispatchCell(columnNow, now, command);
        });
        return;
    }
    m_popoverRows = {record};
    dispatchCell(column, row, command);
}

void ContactsViewController::editTableViewCellOrShowPopover(int column, int row, bool commandHeld)
{
    dispatchCell(column, row, commandHeld);
}

void ContactsViewController::dispatchCell(int column, int row, bool command)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return;
    const TableColumn &cell = m_model->columns().at(column);
    const ContactIdentifier &type = cell.identifier;
    const QRect rect = cellRect(column, row);
    const LabeledValueRecordPtr value = shownValue(column, row);
    const qint64 position = record->labelIndex;
    const bool editing = editState();
    if (cell.kind == TableColumn::Kind::Name) {
        showContactInfoPopover(record, rect);
    } else if (type == FieldId::Company) {
        if (editing || !m_delegate || m_delegate->canUnlock())
            editCellInPlace(column, row);
    } else if (cell.kind == TableColumn::Kind::AddressPart || editsTextInPlace(type)) {
        const ContactIdentifier field = cell.kind == TableColumn::Kind::AddressPart ? FieldId::Address : type;
        if (command)
            showMultiValuePopover(record, field, position, rect);
        else if (editing && value)
            editCellInPlace(column, row);
        else if (editing && field == FieldId::Address)
            showAddressPopover(record, field, -1, rect);
        else if (editing)
            showMultiValuePopover(record, field, 0, rect);
    } else if (type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage) {
        if (command)
            showMultiValuePopover(record, type, value ? position : 0, rect);
        else if (editing && type == FieldId::Address)
            showAddressPopover(record, type, value ? value->labelIndex : -1, rect);
        else if (editing && !value)
            showMultiValuePopover(record, type, 0, rect);
        else if (editing && type == FieldId::SocialNetwork)
            showSNSPopover(record, type, value->labelIndex, rect);
        else if (editing)
            showIMSPopover(record, type, value->labelIndex, rect);
    } else if (command || editing) {
        if (type == FieldId::Dates)
            showDatePopover(record, type, value ? position : 0, rect);
        else if (type == FieldId::Birthday)
            showDatePopover(record, type, 0, rect);
        else if (type == FieldId::PhoneticName)
            showPhoneticNamePopover(record, type, rect);
        else if (type == FieldId::Renmei)
            showRenmeiPopover(record, rect);
        else if (editing && cell.kind != TableColumn::Kind::Sender)
            editCellInPlace(column, row);
    }
}

bool ContactsViewController::editCellInPlace(int column, int row)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return false;
    const TableColumn &cell = m_model->columns().at(column);
    if (cell.showsLabeledValues() && !shownValue(column, row))
        return false;
    commitEditing();
    QList<SubContactRecordPtr> rows = recordsOfRows(selectedRowIndexes());
    if (!rows.contains(record))
        rows.append(record);
    m_editRows = rows;
    const QModelIndex index = m_model->index(row, column);
    m_editedIndex = index;
    openEditor(index);
    return isEditingCell();
}

void ContactsViewController::openEditor(const QModelIndex &index)
{
    m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_model->setEditableCell(index.row(), index.column());
    m_tableView->edit(index);
    m_model->setEditableCell(-1, -1);
}

bool ContactsViewController::isEditingCell() const
{
    return m_editedIndex.isValid() && m_tableView->indexWidget(m_editedIndex);
}

bool ContactsViewController::commitEditing()
{
    if (!isEditingCell())
        return false;
    m_cellDelegate->endEditing(m_tableView->indexWidget(m_editedIndex), true);
    return true;
}
