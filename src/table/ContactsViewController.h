#pragma once

#include "model/ContactRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"

#include <QFont>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <optional>

class ContactTableCellDelegate;
class ContactTableModel;
class ContactsViewControllerDelegate;
class QTableView;

// The contact table of a contact window: the table view over the rows, the
// cell delegate that paints them, and the sort descriptors. It tells its
// delegate (the window's controller, which outlives it) of the selected row,
// the sender row and a changed sort.
class ContactsViewController : public QWidget {
    Q_OBJECT

public:
    static inline const QString lastSortDescKey = QStringLiteral("MV1DlastSortDesc");

    // Where a selected row is looked for again after its rows were rebuilt:
    // its contact, and its address text or else its label position; with
    // anyRow, any row of the contact.
    struct RowAnchor {
        QString uniqueId;
        qint64 labelIndex = 0;
        std::optional<QString> addressText;
        bool anyRow = false;
    };

    explicit ContactsViewController(QWidget *parent = nullptr);
    ~ContactsViewController() override;

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] ContactTableModel *model() const { return m_model; }
    [[nodiscard]] ContactTableCellDelegate *cellDelegate() const { return m_cellDelegate; }
    void setDelegate(ContactsViewControllerDelegate *delegate);

    // Only stored: the rows follow at the next rebuild.
    void setContactTable(const ContactTablePtr &contactTable);
    [[nodiscard]] const ContactTablePtr &contactTable() const;
    void setColumnIdentifiers(const QStringList &identifiers);
    void setSelectedLabels(const QStringList &labels);
    // The table font, its bold face and the row height that follows from it.
    void setSelectedFont(const QFont &font);
    [[nodiscard]] int rowHeight() const;
    void setEditState(bool editState);
    // The inline find's text, options and current hit; the cells redraw.
    void setFindString(const QString &findString);
    void setFindOptions(const QString &findOptions);
    void setSelectedItemAndRange(const ItemAndRangeRecordPtr &target);

    // Sets the table's sort descriptors: the rows are sorted by the first,
    // the selected row is kept and the sort is remembered for the next start.
    void setSortDescriptors(const QList<SortDescriptor> &descriptors);
    [[nodiscard]] const QList<SortDescriptor> &sortDescriptors() const { return m_sortDescriptors; }

    [[nodiscard]] const QList<SubContactRecordPtr> &subContactTable() const;
    void updateSubContactTable();
    void sortSubContactTable(const QList<SortDescriptor> &descriptors);
    // Shows the rows as they stand: heights, footer, sender.
    void reload();

    // Ascending; the footer row is not among them.
    [[nodiscard]] QList<int> selectedRowIndexes() const;
    // The current row when it is selected, else the last selected; -1 for none.
    [[nodiscard]] int selectedRow() const;
    void selectRowIndexes(const QList<int> &rows);

    [[nodiscard]] std::optional<RowAnchor> anchorOfRow(int row) const;
    // The first row the anchor names; -1 when there is none.
    [[nodiscard]] int findAnchorRow(const RowAnchor &anchor) const;

private:
    void sortDescriptorsDidChange(const QList<SortDescriptor> &previous);
    void tableViewSelectionDidChange();
    void updateRowHeights();
    void redisplay();

    QTableView *m_tableView = nullptr;
    ContactTableModel *m_model = nullptr;
    ContactTableCellDelegate *m_cellDelegate = nullptr;
    ContactsViewControllerDelegate *m_delegate = nullptr;
    QList<SortDescriptor> m_sortDescriptors;
};
