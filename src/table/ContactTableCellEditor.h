#pragma once

#include "model/ContactIdentifier.h"
#include "model/ContactRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/SubContactRecord.h"

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>
#include <QString>

#include <optional>

class ContactTableCellDelegate;
class ContactTableModel;
class ContactsViewController;
class QModelIndex;
class QMouseEvent;
class QRect;
class QTableView;

// The editing of the contact table's cells: a double-click opens the cell's
// value editor or its text in place, the typed text, a label chosen in a
// cell's pop-up and a print flag's check box reach the contacts through the
// window's undoable operations, and Tab, Return, Home and End walk from one
// cell to the next. The table owns it and outlives it.
class ContactTableCellEditor : public QObject {
    Q_OBJECT

public:
    ContactTableCellEditor(ContactsViewController &table, ContactTableCellDelegate *cellDelegate);

    void tableViewDoubleAction(int column, int row, Qt::KeyboardModifiers modifiers);
    // Starts editing the cell's text in place; false when it has no text
    // field (a labeled column's row without a shown value).
    bool editCellInPlace(int column, int row);
    // The text typed into a cell, for the rows selected when its edit began.
    void textFieldCellChanged(int column, int row, const QString &text, const QList<SubContactRecordPtr> &rows);
    // A label chosen in a cell's pop-up (the label word).
    void popupLabelCellChanged(int column, int row, const QString &label);
    void checkBoxCellChanged(int column, int row, bool checked);
    // Whether a cell is being edited in place.
    [[nodiscard]] bool isEditingCell() const;
    bool commitEditing();
    void discardEditing();
    // Tab or Return typed in a cell editor: ends the edit, then moves it on.
    // False when no new edit began.
    bool insertNewlineOrTab(bool tab);

    // An open cell edit, taken out before a rebuild and opened again on the
    // new rows.
    struct OpenCellEdit {
        SubContactRecordPtr row;
        ContactIdentifier identifier;
        QString text;
        // The selection from its anchor to the cursor.
        int anchor = 0;
        int cursor = 0;
        QList<SubContactRecordPtr> rows;
    };
    [[nodiscard]] std::optional<OpenCellEdit> takeOpenCellEdit();
    void reopenCellEdit(const OpenCellEdit &open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dispatchCell(int column, int row, bool commandHeld);
    void openEditor(const QModelIndex &index);
    bool viewportMousePress(QMouseEvent *event);
    bool viewportDoubleClick(QMouseEvent *event);
    [[nodiscard]] bool pressedCell(const QModelIndex &index) const;
    void showLabelMenu(int column, int row, const QRect &popupRect);
    [[nodiscard]] int searchRowForReturn(int column, int editedRow, int nextRow) const;
    bool returnToRow(int column, int editedRow, int nextRow);
    bool beginEditingAt(int column, int row);
    [[nodiscard]] bool isCheckboxOn(int column, int row) const;
    [[nodiscard]] LabeledValueRecordPtr addressForBox(const SubContactRecordPtr &record, bool &added);
    bool clearSenderMarks(
        const SubContactRecordPtr &earlier, const SubContactRecordPtr &newSender, qint64 keptLabelIndex);

    ContactsViewController &m_table;
    QTableView *m_tableView = nullptr;
    ContactTableModel *m_model = nullptr;
    ContactTableCellDelegate *m_cellDelegate = nullptr;
    // The open cell editor's cell and the rows its text goes to.
    QPersistentModelIndex m_editedIndex;
    QList<SubContactRecordPtr> m_editRows;
    // The selection when a press landed inside a multi-row selection, which
    // a double-click keeps.
    QList<int> m_selectionAtPress;
    // The cell of the viewport's last left press: a double-click acts only
    // as the second press on the cell that had the first.
    SubContactRecordPtr m_pressedRow;
    ContactIdentifier m_pressedColumn;
};
