// The mouse and keys of the table's cells: presses on label pop-ups and
// check boxes, double-clicks, Tab and Return from one cell edit to the next,
// Home and End, and an open cell edit carried across a rebuild.

#include "table/ContactTableCellEditor.h"

#include "table/ContactsViewController.h"

#include "platform/widgets/Application.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextCursor>

ContactTableCellEditor::ContactTableCellEditor(ContactsViewController &table, ContactTableCellDelegate *cellDelegate)
    : QObject(&table)
    , m_table(table)
    , m_tableView(table.tableView())
    , m_model(table.model())
    , m_cellDelegate(cellDelegate)
{
    m_tableView->viewport()->installEventFilter(this);
    m_tableView->installEventFilter(this);
    connect(m_cellDelegate, &ContactTableCellDelegate::cellTextEdited, this,
        [this](const QModelIndex &index, const QString &text) {
            textFieldCellChanged(index.column(), index.row(), text, m_editRows);
        });
    connect(m_cellDelegate, &ContactTableCellDelegate::navigationKeyPressed, this,
        [this](bool tab) { insertNewlineOrTab(tab); });
}

// The table's own filter, installed after this one, runs first: a
// right-click never reaches here.
bool ContactTableCellEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tableView->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            return viewportMousePress(static_cast<QMouseEvent *>(event));
        if (event->type() == QEvent::MouseButtonDblClick)
            return viewportDoubleClick(static_cast<QMouseEvent *>(event));
    } else if (watched == m_tableView && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int rows = int(m_table.subContactTable().size());
        if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && rows > 0) {
            const int row = key->key() == Qt::Key_Home ? 0 : rows - 1;
            m_table.selectRowIndexes({row});
            m_tableView->selectionModel()->setCurrentIndex(m_model->index(row, 1), QItemSelectionModel::NoUpdate);
            m_table.scrollRowToVisible(row);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// A press on a label pop-up or a check box works the control and leaves the
// selection alone.
bool ContactTableCellEditor::viewportMousePress(QMouseEvent *event)
{
    m_selectionAtPress.clear();
    const QPoint position = event->position().toPoint();
    const QModelIndex index = m_tableView->indexAt(position);
    const bool left = event->button() == Qt::LeftButton;
    m_pressedRow = left ? m_model->subContactAt(index.row()) : nullptr;
    m_pressedColumn = left ? m_table.columnIdentifiers().value(index.column()) : ContactIdentifier();
    if (!left || !index.isValid() || !m_model->subContactAt(index.row()))
        return false;
    const QRect cell = m_tableView->visualRect(index);
    if (m_table.editState()) {
        const QRect popup = m_cellDelegate->labelPopupRect(cell, index, m_tableView->viewport());
        if (popup.contains(position)) {
            commitEditing();
            showLabelMenu(index.column(), index.row(), popup);
            return true;
        }
        const QRect box = m_cellDelegate->checkboxRect(cell, index, m_tableView->viewport());
        if (box.contains(position)) {
            checkBoxCellChanged(index.column(), index.row(), !isCheckboxOn(index.column(), index.row()));
            return true;
        }
    }
    const QList<int> selected = m_table.selectedRowIndexes();
    if (event->modifiers() == Qt::NoModifier && selected.size() > 1 && selected.contains(index.row()))
        m_selectionAtPress = selected;
    return false;
}

// Qt narrows a multi-row selection to the clicked row at the first release;
// a double-click inside it keeps the whole selection.
bool ContactTableCellEditor::viewportDoubleClick(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const QModelIndex index = m_tableView->indexAt(position);
    // A double-click whose first press went elsewhere, most often to a
    // dialog's button that closed on it, was never aimed at the table: it
    // neither edits nor works a control, nor moves the selection.
    if (!pressedCell(index)) {
        m_selectionAtPress.clear();
        return true;
    }
    if (event->button() != Qt::LeftButton || !index.isValid() || !m_model->subContactAt(index.row()))
        return false;
    const QRect cell = m_tableView->visualRect(index);
    if (m_table.editState()
        && (m_cellDelegate->labelPopupRect(cell, index, m_tableView->viewport()).contains(position)
            || m_cellDelegate->checkboxRect(cell, index, m_tableView->viewport()).contains(position)))
        return viewportMousePress(event);
    if (m_selectionAtPress.contains(index.row()))
        m_table.selectRowIndexes(m_selectionAtPress);
    m_selectionAtPress.clear();
    tableViewDoubleAction(index.column(), index.row(), event->modifiers());
    return true;
}

// The first press may have gone to another widget of the window (the
// header, say). The row is matched by its contact and label position: the
// first press may have rebuilt the rows.
bool ContactTableCellEditor::pressedCell(const QModelIndex &index) const
{
    const ClickOwnership *clicks = Application::clicks();
    if (clicks && clicks->pressedWidget() != m_tableView->viewport())
        return false;
    const SubContactRecordPtr record = m_model->subContactAt(index.row());
    if (!record || !m_pressedRow)
        return !record && !m_pressedRow;
    return m_table.rowOfRecord(m_pressedRow) == index.row()
        && m_table.columnIdentifiers().value(index.column()) == m_pressedColumn;
}

bool ContactTableCellEditor::isCheckboxOn(int column, int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return false;
    const LabeledValueRecordPtr address
        = TableColumn::labeledValueAt(*record->person, FieldId::Address, record->labelIndex);
    if (!address)
        return false;
    const HagakiLayoutFields &flags = *std::as_const(address->layout);
    const ContactIdentifier &identifier = m_model->columns().at(column).identifier;
    if (identifier == FieldId::Company)
        return flags.printsCompany();
    if (identifier == FieldId::Renmei)
        return flags.printsRenmei();
    return flags.printsSender();
}

bool ContactTableCellEditor::insertNewlineOrTab(bool tab)
{
    if (!isEditingCell())
        return false;
    const int column = m_editedIndex.column();
    const int row = m_editedIndex.row();
    // The text is applied while the selection is still the edit's; the
    // selection then follows the edit on.
    commitEditing();
    m_table.selectRowsOfRecordsAfterRebuild({});
    const int rows = int(m_table.subContactTable().size());
    if (!m_table.editState() || rows == 0)
        return false;
    if (tab) {
        QHeaderView *header = m_tableView->horizontalHeader();
        int visual = header->visualIndex(column) + 1;
        int targetRow = row;
        if (visual >= m_model->columnCount()) {
            visual = 1;
            targetRow = row + 1 < rows ? row + 1 : 0;
        }
        const int target = header->logicalIndex(visual);
        if (target < 0 || m_model->columns().at(target).editedThroughEditorsOnly())
            return false;
        return beginEditingAt(target, targetRow);
    }
    const int nextRow = row + 1 < rows ? row + 1 : 0;
    m_table.selectRowIndexes({nextRow});
    return returnToRow(column, row, nextRow);
}

bool ContactTableCellEditor::returnToRow(int column, int editedRow, int nextRow)
{
    const SubContactRecordPtr next = m_model->subContactAt(nextRow);
    if (!next || column >= m_model->columns().size())
        return false;
    const TableColumn &cell = m_model->columns().at(column);
    const ContactIdentifier &type = cell.identifier;
    const QRect rect = m_table.cellRect(column, nextRow);
    // The popover opened here applies to the row it opened for.
    m_table.setPopoverRows({next});
    const LabeledValueRecordPtr value = m_table.shownValue(column, nextRow);
    if (type == FieldId::Name) {
        m_table.showNamePopover(next, type, rect);
    } else if (type == FieldId::PhoneticName) {
        m_table.showPhoneticNamePopover(next, type, rect);
    } else if (type == FieldId::Address) {
        m_table.showAddressPopover(next, type, value ? value->labelIndex : -1, rect);
    } else if (type == FieldId::InstantMessage) {
        m_table.showIMSPopover(next, type, value ? value->labelIndex : -1, rect);
    } else if (type == FieldId::Dates || type == FieldId::Birthday) {
        m_table.showDatePopover(next, type, next->labelIndex, rect);
        return false;
    } else {
        const int found = searchRowForReturn(column, editedRow, nextRow);
        return found >= 0 && beginEditingAt(column, found);
    }
    return true;
}

// From the next row down, wrapping to row 0, up to the edited row, which is
// not examined again.
int ContactTableCellEditor::searchRowForReturn(int column, int editedRow, int nextRow) const
{
    const int rows = int(m_table.subContactTable().size());
    const TableColumn &cell = m_model->columns().at(column);
    int row = nextRow;
    for (int step = 0; step < rows; ++step) {
        const bool qualifies = cell.showsLabeledValues() ? bool(m_table.shownValue(column, row))
                                                         : !m_model->subContactAt(row)->notFirstRow;
        if (qualifies)
            return row;
        row = row + 1 < rows ? row + 1 : 0;
        if (row == editedRow)
            break;
    }
    return -1;
}

bool ContactTableCellEditor::beginEditingAt(int column, int row)
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || column < 0 || column >= m_model->columns().size())
        return false;
    const TableColumn &cell = m_model->columns().at(column);
    if (cell.kind == TableColumn::Kind::Sender || (cell.showsLabeledValues() && !m_table.shownValue(column, row)))
        return false;
    m_table.selectRowIndexes({row});
    return editCellInPlace(column, row);
}

void ContactTableCellEditor::discardEditing()
{
    if (isEditingCell())
        m_cellDelegate->endEditing(m_tableView->indexWidget(m_editedIndex), false);
    m_editedIndex = QPersistentModelIndex();
}

// A rebuild resets the model, which would close the open editor and lose
// what was typed: the edit is taken out and opened again on the new rows.
std::optional<ContactTableCellEditor::OpenCellEdit> ContactTableCellEditor::takeOpenCellEdit()
{
    if (!isEditingCell())
        return std::nullopt;
    QWidget *editor = m_tableView->indexWidget(m_editedIndex);
    OpenCellEdit open;
    open.row = m_model->subContactAt(m_editedIndex.row());
    open.identifier = m_model->columns().value(m_editedIndex.column()).identifier;
    if (const auto *line = qobject_cast<QLineEdit *>(editor)) {
        open.text = line->text();
        open.cursor = line->cursorPosition();
        open.anchor = open.cursor;
        if (line->hasSelectedText())
            open.anchor = line->selectionStart() == open.cursor ? line->selectionEnd() : line->selectionStart();
    } else if (const auto *lines = qobject_cast<QPlainTextEdit *>(editor)) {
        open.text = lines->toPlainText();
        open.anchor = lines->textCursor().anchor();
        open.cursor = lines->textCursor().position();
    }
    open.rows = m_editRows;
    m_cellDelegate->endEditing(editor, false);
    m_editedIndex = QPersistentModelIndex();
    if (!open.row)
        return std::nullopt;
    return open;
}

void ContactTableCellEditor::reopenCellEdit(const OpenCellEdit &open)
{
    // A locked table takes no typing, even one begun before the lock.
    if (!m_table.editState())
        return;
    const int row = m_table.rowOfRecord(open.row);
    const int column = int(m_table.columnIdentifiers().indexOf(open.identifier));
    if (row < 0 || column < 0)
        return;
    const QModelIndex index = m_model->index(row, column);
    m_editedIndex = index;
    openEditor(index);
    m_editRows = open.rows;
    // The editor that Return opened has its text selected until the commit's
    // refresh brings it here: typing must still replace that text.
    QWidget *editor = m_tableView->indexWidget(index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(open.text);
        line->setSelection(open.anchor, open.cursor - open.anchor);
    } else if (auto *lines = qobject_cast<QPlainTextEdit *>(editor)) {
        lines->setPlainText(open.text);
        QTextCursor cursor = lines->textCursor();
        cursor.setPosition(open.anchor);
        cursor.setPosition(open.cursor, QTextCursor::KeepAnchor);
        lines->setTextCursor(cursor);
    }
}
