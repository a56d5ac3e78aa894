// A double-click on a cell: the rows it applies to, the confirmation when
// several of them hold a value, and the editor or in-place edit that suits
// the cell.

#include "table/ContactTableCellEditor.h"

#include "table/ContactsViewController.h"

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

void ContactTableCellEditor::tableViewDoubleAction(int column, int row, Qt::KeyboardModifiers modifiers)
{
    const bool command = modifiers.testFlag(Qt::ControlModifier);
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return;
    const TableColumn &clicked = m_model->columns().at(column);
    const ContactIdentifier &type = clicked.identifier;
    const QRect rect = m_table.cellRect(column, row);
    m_table.setPopoverRows(m_table.recordsOfRows(m_table.selectedRowIndexes()));
    if (!m_table.editState()) {
        if (clicked.kind == TableColumn::Kind::Name) {
            m_table.showContactInfoPopover(record, rect);
            return;
        }
        const LabeledValueRecordPtr value = m_table.shownValue(column, row);
        const bool empty = clicked.showsLabeledValues() ? !value : m_model->cellText(*record, clicked, row).isEmpty();
        if (empty && !command)
            return;
        if (!empty) {
            const qint64 position = record->labelIndex;
            if (type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage) {
                m_table.setPopoverRows({record});
                if (command)
                    m_table.showMultiValuePopover(record, type, position, rect);
                else if (type == FieldId::Address)
                    m_table.showAddressPopover(record, type, value->labelIndex, rect);
                else if (type == FieldId::SocialNetwork)
                    m_table.showSNSPopover(record, type, value->labelIndex, rect);
                else
                    m_table.showIMSPopover(record, type, value->labelIndex, rect);
                return;
            }
            if (type == FieldId::PhoneticName || type == FieldId::Dates || type == FieldId::Birthday
                || type == FieldId::Renmei) {
                m_table.setPopoverRows({record});
                dispatchCell(column, row, true);
                return;
            }
            if (!command)
                return;
        }
    }
    // The rows whose value the change replaces, and the clicked one; the
    // selection counts only when the clicked row is part of it.
    QList<SubContactRecordPtr> gathered;
    const QList<int> selection = m_table.selectedRowIndexes();
    if (clicked.showsLabeledValues() && selection.contains(row)) {
        for (const int selected : selection) {
            if (selected != row && m_table.shownValue(column, selected))
                gathered.append(m_model->subContactAt(selected));
        }
    }
    gathered.append(record);
    std::sort(gathered.begin(), gathered.end(), [this](const SubContactRecordPtr &a, const SubContactRecordPtr &b) {
        return m_table.rowOfRecord(a) < m_table.rowOfRecord(b);
    });
    m_table.setPopoverRows(gathered);
    if (m_table.editState() && gathered.size() >= 2) {
        m_table.confirmThen(
            tr("Do you want to set the same value in the selected rows"), [this, record, type, command] {
                const int now = m_table.rowOfRecord(record);
                const int columnNow = int(m_table.columnIdentifiers().indexOf(type));
                if (now < 0 || columnNow < 0)
                    return;
                dispatchCell(columnNow, now, command);
            });
        return;
    }
    m_table.setPopoverRows({record});
    dispatchCell(column, row, command);
}

void ContactTableCellEditor::dispatchCell(int column, int row, bool command)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return;
    const TableColumn &cell = m_model->columns().at(column);
    const ContactIdentifier &type = cell.identifier;
    const QRect rect = m_table.cellRect(column, row);
    const LabeledValueRecordPtr value = m_table.shownValue(column, row);
    const qint64 position = record->labelIndex;
    const bool editing = m_table.editState();
    if (cell.kind == TableColumn::Kind::Name) {
        m_table.showContactInfoPopover(record, rect);
    } else if (type == FieldId::Company) {
        if (editing || !m_table.delegate() || m_table.delegate()->canUnlock())
            editCellInPlace(column, row);
    } else if (cell.kind == TableColumn::Kind::AddressPart || editsTextInPlace(type)) {
        const ContactIdentifier field = cell.kind == TableColumn::Kind::AddressPart ? FieldId::Address : type;
        if (command)
            m_table.showMultiValuePopover(record, field, position, rect);
        else if (editing && value)
            editCellInPlace(column, row);
        else if (editing && field == FieldId::Address)
            m_table.showAddressPopover(record, field, -1, rect);
        else if (editing)
            m_table.showMultiValuePopover(record, field, 0, rect);
    } else if (type == FieldId::Address || type == FieldId::SocialNetwork || type == FieldId::InstantMessage) {
        if (command)
            m_table.showMultiValuePopover(record, type, value ? position : 0, rect);
        else if (editing && type == FieldId::Address)
            m_table.showAddressPopover(record, type, value ? value->labelIndex : -1, rect);
        else if (editing && !value)
            m_table.showMultiValuePopover(record, type, 0, rect);
        else if (editing && type == FieldId::SocialNetwork)
            m_table.showSNSPopover(record, type, value->labelIndex, rect);
        else if (editing)
            m_table.showIMSPopover(record, type, value->labelIndex, rect);
    } else if (command || editing) {
        if (type == FieldId::Dates)
            m_table.showDatePopover(record, type, value ? position : 0, rect);
        else if (type == FieldId::Birthday)
            m_table.showDatePopover(record, type, 0, rect);
        else if (type == FieldId::PhoneticName)
            m_table.showPhoneticNamePopover(record, type, rect);
        else if (type == FieldId::Renmei)
            m_table.showRenmeiPopover(record, rect);
        else if (editing && cell.kind != TableColumn::Kind::Sender)
            editCellInPlace(column, row);
    }
}

bool ContactTableCellEditor::editCellInPlace(int column, int row)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return false;
    const TableColumn &cell = m_model->columns().at(column);
    if (cell.showsLabeledValues() && !m_table.shownValue(column, row))
        return false;
    commitEditing();
    // The selected rows take the text along with one of their own: an edit
    // begun on a row outside them changes that row alone.
    QList<SubContactRecordPtr> rows = m_table.recordsOfRows(m_table.selectedRowIndexes());
    if (!rows.contains(record))
        rows = {record};
    m_editRows = rows;
    const QModelIndex index = m_model->index(row, column);
    m_editedIndex = index;
    openEditor(index);
    return isEditingCell();
}

void ContactTableCellEditor::openEditor(const QModelIndex &index)
{
    m_tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_model->setEditableCell(index.row(), index.column());
    m_tableView->edit(index);
    m_model->setEditableCell(-1, -1);
}

bool ContactTableCellEditor::isEditingCell() const
{
    return m_editedIndex.isValid() && m_tableView->indexWidget(m_editedIndex);
}

bool ContactTableCellEditor::commitEditing()
{
    if (!isEditingCell())
        return false;
    m_cellDelegate->endEditing(m_tableView->indexWidget(m_editedIndex), true);
    return true;
}
