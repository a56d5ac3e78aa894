#pragma once

#include "model/ContactIdentifier.h"
#include "model/ContactRecord.h"
#include "model/SubContactRecord.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

class ContactTableModel;
class ContactsViewController;
class QContextMenuEvent;
class QPoint;
class QTableView;

// The contact table's context menu: built anew from the clicked cell at each
// opening, it runs the chosen command on the table's item and contact
// commands and opens the value editors of its panel items. The table owns it
// and outlives it.
class ContactTableContextMenu : public QObject {
    Q_OBJECT

public:
    explicit ContactTableContextMenu(ContactsViewController &table);

    // The menu of the clicked cell while it is open; null otherwise.
    [[nodiscard]] QMenu *menu() const { return m_menu; }
    // Opens the cell's menu at the point; false when the cell has none.
    bool showContextMenu(int column, int row, const QPoint &globalPosition);
    // The value editor of the clicked cell, for the rows it applies to; the
    // item's key chooses where a column has two editors.
    void showPopoverWrapper(const QString &key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool contextMenuEvent(QContextMenuEvent *event, bool fromViewport);
    [[nodiscard]] bool hasValueInCell(int column, int row) const;
    void runMenuCommand(const QString &key, int command);
    void openPopoverForCell(const QString &key, const SubContactRecordPtr &record, const ContactIdentifier &identifier);

    ContactsViewController &m_table;
    QTableView *m_tableView = nullptr;
    ContactTableModel *m_model = nullptr;
    QPointer<QMenu> m_menu;
};
