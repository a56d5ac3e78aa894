#pragma once

#include "editors/ValueEditor.h"

class CellEditingDelegate;
class CustomLabelView;
class MultiValueTableModel;
class QComboBox;
class QTableView;

// The all-values editor: every value of one labeled field as a table, with
// labels of the user's own, rows added after the selection, deleted and
// reordered by dragging. Address rows are edited in a nested address editor
// on a copy of the row. Done while editing hands back the whole list; rows
// added here carry labelIndex -1, so that the contact numbers them.
class MultiValueViewController : public ValueEditor {
    Q_OBJECT

public:
    explicit MultiValueViewController(QWidget *parent = nullptr);
    ~MultiValueViewController() override;

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] MultiValueTableModel *table() const { return m_table; }
    [[nodiscard]] QPushButton *addButton() const { return m_addButton; }
    [[nodiscard]] QPushButton *delButton() const { return m_delButton; }
    [[nodiscard]] QLineEdit *addressField() const { return m_addressField; }
    [[nodiscard]] CustomLabelView *customLabelView() const { return m_customLabelView; }
    // The nested address editor's popover while one is open.
    [[nodiscard]] Popover *addressPopover() const;
    [[nodiscard]] int selectedRow() const;

    // Opens the nested address editor on a copy of the record, for the row
    // (-1: a new row), beside the rectangle of the view.
    void showAddressPopover(const LabeledValueRecord &record, int row, QWidget *view, const QRect &rect);
    // Shows the panel for a label of the user's own.
    void addCustomLabel();

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    void didFinish() override;
    void enterPendingInput() override;

private:
    void buildTable();
    void selectRow(int row);
    void updateRowHeights();
    // Row heights, and pop-ups in the pop-up cells while editing.
    void refreshRows();
    void addRow();
    void deleteRows();
    void cellClicked(const QModelIndex &index);
    void rowDoubleClicked(const QModelIndex &index);
    void addressPopoverDidClose(Popover *popover);
    void showAddressOfSelectedRow();
    void showOnOneLine(QString address);
    void moveEditing(const QModelIndex &from, bool tab);
    void finishCustomLabel(bool add);

    MultiValueTableModel *m_table = nullptr;
    CellEditingDelegate *m_cellDelegate = nullptr;
    QTableView *m_tableView = nullptr;
    QComboBox *m_typePopup = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_delButton = nullptr;
    QLineEdit *m_addressField = nullptr;
    CustomLabelView *m_customLabelView = nullptr;
    QPointer<Popover> m_addressPopover;
    bool m_doneEnabledBeforeCustomLabel = false;
};
