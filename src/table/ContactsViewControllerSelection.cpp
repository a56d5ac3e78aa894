// The contact table's selection: what the rest of the window reads of it and
// the ways it selects rows.

#include "table/ContactsViewController.h"

#include "platform/widgets/AlertPresenter.h"
#include "table/ContactTableCellEditor.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"

#include <QSet>
#include <QItemSelection>
#include <QTableView>

#include <algorithm>

// Read from the selection's ranges: asking the selection model row by row
// takes as long as the ranges times the rows, which for every row of a large
// table selected is minutes.
QList<int> ContactsViewController::selectedRowIndexes() const
{
    QList<int> rows;
    const int count = int(m_model->subContactTable().size());
    std::vector<bool> taken(size_t(count), false);
    for (const QItemSelectionRange &range : m_tableView->selectionModel()->selection()) {
        for (int row = std::max(range.top(), 0); row <= range.bottom() && row < count; ++row) {
            if (!taken[size_t(row)]) {
                taken[size_t(row)] = true;
                rows.append(row);
            }
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ContactsViewController::selectedRow() const
{
    const int current = m_tableView->selectionModel()->currentIndex().row();
    if (current >= 0 && m_tableView->selectionModel()->isRowSelected(current) && m_model->subContactAt(current))
        return current;
    const QList<int> rows = selectedRowIndexes();
    return rows.isEmpty() ? -1 : rows.last();
}

// Neighbouring rows make one range: the selection model's questions take as
// long as it has ranges.
void ContactsViewController::selectRowIndexes(const QList<int> &rows)
{
    QItemSelection selection;
    const int lastColumn = std::max(0, m_model->columnCount() - 1);
    QList<int> sorted;
    sorted.reserve(rows.size());
    for (const int row : rows) {
        if (m_model->subContactAt(row))
            sorted.append(row);
    }
    // The row given first becomes the current one.
    const QModelIndex current = sorted.isEmpty() ? QModelIndex() : m_model->index(sorted.first(), 0);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (qsizetype first = 0; first < sorted.size();) {
        qsizetype last = first;
        while (last + 1 < sorted.size() && sorted.at(last + 1) == sorted.at(last) + 1)
            ++last;
        selection.append(
            QItemSelectionRange(m_model->index(sorted.at(first), 0), m_model->index(sorted.at(last), lastColumn)));
        first = last + 1;
    }
    QItemSelectionModel *selectionModel = m_tableView->selectionModel();
    if (current.isValid())
        selectionModel->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (current.isValid())
        m_tableView->scrollTo(current);
}

void ContactsViewController::scrollRowToVisible(int row)
{
    if (m_model->subContactAt(row))
        m_tableView->scrollTo(m_model->index(row, 0));
}

void ContactsViewController::makeFirstResponder()
{
    m_tableView->setFocus();
}

QList<SubContactRecordPtr> ContactsViewController::selectedSubContacts() const
{
    const QList<int> selected = selectedRowIndexes();
    const QList<SubContactRecordPtr> &records = m_model->subContactTable();
    QList<SubContactRecordPtr> rows;
    rows.reserve(selected.size());
    for (const int row : selected)
        rows.append(records.at(row));
    return rows;
}

QList<ContactRecordPtr> ContactsViewController::selectedContacts() const
{
    return selectedContactsWithClickedRowIndex(-1);
}

bool ContactsViewController::hasSelectedRows() const
{
    const qsizetype rows = m_model->subContactTable().size();
    const QItemSelection selection = m_tableView->selectionModel()->selection();
    return std::any_of(selection.cbegin(), selection.cend(),
        [rows](const QItemSelectionRange &range) { return range.bottom() >= 0 && range.top() < rows; });
}

bool ContactsViewController::selectsContacts(qsizetype count) const
{
    if (count <= 0)
        return true;
    const ContactTablePtr &contacts = m_model->contactTable();
    if (!contacts || contacts->isEmpty())
        return false;
    // The rows stand for the contacts they were made from; a contact's
    // further rows (its other labels) count once.
    const QList<SubContactRecordPtr> &rows = m_model->subContactTable();
    QList<UniqueId> found;
    for (const QItemSelectionRange &range : m_tableView->selectionModel()->selection()) {
        const qsizetype last = std::min<qsizetype>(range.bottom(), rows.size() - 1);
        for (qsizetype row = std::max(range.top(), 0); row <= last; ++row) {
            const SubContactRecord *record = rows.at(row).get();
            if (!record || found.contains(record->uniqueId))
                continue;
            found.append(record->uniqueId);
            if (found.size() >= count)
                return true;
        }
    }
    return false;
}

QList<ContactRecordPtr> ContactsViewController::selectedContactsWithClickedRowIndex(int clickedRow) const
{
    const ContactTablePtr &contacts = m_model->contactTable();
    if (!contacts || contacts->isEmpty())
        return {};
    QList<int> rows = selectedRowIndexes();
    if (clickedRow != -1)
        rows.append(clickedRow);
    QSet<UniqueId> uniqueIds;
    for (const int row : std::as_const(rows)) {
        if (const SubContactRecordPtr record = m_model->subContactAt(row))
            uniqueIds.insert(record->uniqueId);
    }
    QList<ContactRecordPtr> selected;
    for (const ContactRecordPtr &contact : std::as_const(*contacts)) {
        if (contact && uniqueIds.contains(contact->uniqueId))
            selected.append(contact);
    }
    return selected;
}

void ContactsViewController::selectRowIndexesWithContacts(const QList<ContactRecordPtr> &contacts)
{
    const ContactTablePtr &table = m_model->contactTable();
    if (!table || table->isEmpty())
        return;
    QSet<UniqueId> uniqueIds;
    for (const ContactRecordPtr &contact : contacts)
        uniqueIds.insert(contact->uniqueId);
    QList<int> rows;
    const QList<SubContactRecordPtr> &records = subContactTable();
    for (int row = 0; row < records.size(); ++row) {
        if (uniqueIds.contains(records.at(row)->uniqueId))
            rows.append(row);
    }
    selectRowIndexes(rows.isEmpty() ? QList<int>{0} : rows);
}

void ContactsViewController::selectItemAndRange(const ItemAndRangeRecordPtr &itemAndRange)
{
    if (!m_model->contactTable())
        return;
    setSelectedItemAndRange(itemAndRange);
    if (!itemAndRange)
        return;
    const qint64 position = itemAndRange->labelIndex.value_or(0);
    const QList<SubContactRecordPtr> &rows = subContactTable();
    int start = -1;
    for (int row = 0; row < rows.size() && start < 0; ++row) {
        if (rows.at(row)->uniqueId == itemAndRange->uniqueId && rows.at(row)->labelIndex == position)
            start = row;
    }
    if (start < 0)
        start = selectedRow();
    if (start < 0)
        return;
    // The delegate hears of the row found, and of no other.
    m_selectingQuietly = true;
    for (int row = start; row < rows.size(); ++row) {
        if (rows.at(row)->labelIndex != position)
            continue;
        selectRowIndexes({row});
        m_selectingQuietly = false;
        if (m_delegate)
            m_delegate->rowSelectionDidChange(rows.at(row));
        return;
    }
    selectRowIndexes({start});
    m_selectingQuietly = false;
}

QStringList ContactsViewController::labelFilter() const
{
    return m_model->selectedLabels();
}

std::optional<ContactsViewController::RowAnchor> ContactsViewController::anchorOfRow(int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record)
        return std::nullopt;
    RowAnchor anchor{record->uniqueId, record->labelIndex, std::nullopt, false};
    if (const LabeledValueRecordPtr address
        = TableColumn::labeledValueAt(*record->person, FieldId::Address, record->labelIndex))
        anchor.addressText = address->stringValue;
    return anchor;
}

int ContactsViewController::findAnchorRow(const RowAnchor &anchor) const
{
    const QList<SubContactRecordPtr> &rows = m_model->subContactTable();
    for (int index = 0; index < rows.size(); ++index) {
        const SubContactRecord &row = *rows.at(index);
        if (row.uniqueId != anchor.uniqueId)
            continue;
        if (anchor.anyRow)
            return index;
        if (anchor.addressText) {
            const LabeledValueRecordPtr address
                = TableColumn::labeledValueAt(*row.person, FieldId::Address, row.labelIndex);
            if (address && address->stringValue == *anchor.addressText)
                return index;
        } else if (row.labelIndex == anchor.labelIndex) {
            return index;
        }
    }
    return -1;
}

// --- Rows of records, the clicked cell and in-place edits ------------------------

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

void ContactsViewController::setClickedCell(int column, int row)
{
    m_clickedColumn = column;
    m_clickedRow = row;
}

std::optional<ContactsViewController::ClickedCell> ContactsViewController::clickedCell() const
{
    const SubContactRecordPtr record = m_model->subContactAt(m_clickedRow);
    if (!record || !record->person || m_clickedColumn < 0 || m_clickedColumn >= m_model->columns().size())
        return std::nullopt;
    QList<int> rows = selectedRowIndexes();
    if (!rows.contains(m_clickedRow))
        rows.append(m_clickedRow);
    std::sort(rows.begin(), rows.end());
    return ClickedCell{record, m_clickedColumn, m_clickedRow, recordsOfRows(rows)};
}

bool ContactsViewController::commitEditing()
{
    return m_cellEditor->commitEditing();
}

void ContactsViewController::discardEditing()
{
    m_cellEditor->discardEditing();
}
