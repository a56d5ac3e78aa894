#pragma once

#include "find/FindResultRow.h"
#include "platform/widgets/Popover.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class EditLockToggle;
class FindResultsModel;

class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class SeparatorBox;
class ValueEditorDelegate;

// Lists every hit of a text in a window's contacts, steps through them and
// replaces one or all; values are edited in the list or, for dates, in
// their editors. Run application-modal with exec(); Done, Escape and the
// close box end it. What the opener hands over is set before exec().
class FindPanel : public QDialog {
    Q_OBJECT

public:
    explicit FindPanel(QWidget *parent = nullptr);
    ~FindPanel() override;

    // The engine: the rows of one contact's hits.
    [[nodiscard]] static FindResultRows searchString(const QString &searchString, const PersonRecordPtr &contact,
        const QStringList &items, const QStringList &subItems, const QStringList &labels, uint compareOptions);

    void setSearchString(const QString &text);
    void setContacts(const QList<PersonRecordPtr> &contacts) { m_contacts = contacts; }
    void setSelectedItems(const QStringList &items);
    // The window's labels of dates, offered by the dates editor of a Dates row.
    void setDateLabels(const QStringList &labels) { m_dateLabels = labels; }
    void setEditState(bool editing);
    // Receives every write into a contact; not owned.
    void setValueEditorDelegate(ValueEditorDelegate *delegate);

    // Rebuilds the pull-downs and searches every contact again.
    void updateTable();
    void chooseItem(const QString &item);
    void chooseSubItem(const QString &subItem);
    void chooseLabel(const QString &label);

    [[nodiscard]] FindResultsModel *results() const { return m_results; }
    [[nodiscard]] const QStringList &selectedItems() const { return m_selectedItems; }
    [[nodiscard]] const QStringList &selectedLabels() const { return m_selectedLabels; }
    [[nodiscard]] QPushButton *itemPopup() const { return m_itemPopup; }
    [[nodiscard]] QPushButton *labelPopup() const { return m_labelPopup; }
    [[nodiscard]] QLineEdit *searchField() const { return m_searchField; }
    [[nodiscard]] QLineEdit *replaceField() const { return m_replaceField; }
    [[nodiscard]] QPushButton *previousButton() const { return m_previousButton; }
    [[nodiscard]] QPushButton *nextButton() const { return m_nextButton; }
    [[nodiscard]] QPushButton *replaceButton() const { return m_replaceButton; }
    [[nodiscard]] QPushButton *replaceAllButton() const { return m_replaceAllButton; }
    [[nodiscard]] QPushButton *editButton() const;
    [[nodiscard]] QPushButton *closeButton() const { return m_closeButton; }
    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] Popover *popover() const { return m_popover; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    QLayout *buildSearchRow();
    QLayout *buildReplaceRow();
    void buildTable();
    void fillPopup(QPushButton *popup, const QString &word, const QStringList &entries, const QStringList &titles,
        const QStringList &selection, void (FindPanel::*choose)(const QString &));
    [[nodiscard]] QStringList labelTitles(const QStringList &labels) const;
    void searchModeDidSelect(int entry);
    void directionButtonDidClick(bool next);
    void rowDidSelect(int row);
    void showCurrentRow(int row);
    void tableViewDoubleAction(const QModelIndex &index);
    void showDatePopover(const FindResultRowPtr &row, const QRect &cell);

    FindResultsModel *m_results = nullptr;
    QList<PersonRecordPtr> m_contacts;
    QStringList m_selectedItems{QStringLiteral("All")};
    QStringList m_selectedSubItems{QStringLiteral("All")};
    QStringList m_selectedLabels{QStringLiteral("All")};
    QStringList m_dateLabels;
    QString m_searchString;
    uint m_compareOptions = 1;
    FindResultRowPtr m_dateRow;
    bool m_showingCurrentRow = false;

    EditLockToggle *m_editButton = nullptr;
    SeparatorBox *m_redSeparator = nullptr;
    QPushButton *m_itemPopup = nullptr;
    QPushButton *m_subItemPopup = nullptr;
    QPushButton *m_labelPopup = nullptr;
    QComboBox *m_searchModePopup = nullptr;
    QLineEdit *m_searchField = nullptr;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAllButton = nullptr;
    QLineEdit *m_replaceField = nullptr;
    QTableView *m_tableView = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPointer<Popover> m_popover;
};
