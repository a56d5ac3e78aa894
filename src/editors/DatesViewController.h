#pragma once

#include "editors/DateControls.h"
#include "editors/ValueEditor.h"

class CustomLabelView;
class DatesCellDelegate;
class DatesTableModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The dates editor: a contact's labeled dates as a table of label and date
// rows, with a year field, month pop-up and date picker for the selected
// row, and a panel in which the user names a label of his own. Done while
// editing hands back the whole list; rows added here carry labelIndex -1, so
// that the contact numbers them.
class DatesViewController : public ValueEditor {
    Q_OBJECT

public:
    explicit DatesViewController(QWidget *parent = nullptr);

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] DatesTableModel *table() const { return m_table; }
    [[nodiscard]] QPushButton *addButton() const { return m_addButton; }
    [[nodiscard]] QPushButton *delButton() const { return m_delButton; }
    [[nodiscard]] QLineEdit *yearField() const { return m_dateControls->yearField(); }
    [[nodiscard]] QComboBox *monthPopup() const { return m_dateControls->monthPopup(); }
    [[nodiscard]] QDateEdit *datePicker() const { return m_dateControls->datePicker(); }
    [[nodiscard]] CustomLabelView *customLabelView() const { return m_customLabelView; }
    [[nodiscard]] QLineEdit *customLabelField() const;
    [[nodiscard]] QPushButton *addButtonInCustomLabelView() const;
    // The row whose date the controls show, or -1.
    [[nodiscard]] int selectedRow() const;

    // Shows the panel for a label of the user's own.
    void addCustomLabel();
    // The labels the pop-ups offer, handed in by an opener that knows the
    // window's; the field's own when none.
    void setLabels(const QStringList &labels) { m_labels = labels; }

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    void contextInfoDidLoad() override;
    void didFinish() override;
    void enterPendingInput() override;

private:
    void addRow();
    void deleteRows();
    void selectRow(int row);
    void showSelectedDate();
    void dateChosen(const QDate &date, DateControls::Source source);
    void rowEdited(int row);
    void finishCustomLabel(bool add);

    DatesTableModel *m_table = nullptr;
    DatesCellDelegate *m_cellDelegate = nullptr;
    QTableView *m_tableView = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_delButton = nullptr;
    DateControls *m_dateControls = nullptr;
    CustomLabelView *m_customLabelView = nullptr;
    ContactIdentifier m_type = FieldId::Dates;
    QStringList m_labels;
    bool m_doneEnabledBeforeCustomLabel = false;
};
