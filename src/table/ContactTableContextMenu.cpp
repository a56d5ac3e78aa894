// The contact table's context menu: built anew from the clicked cell at each
// opening, it leaves the selection as it is and keeps the clicked cell until
// the chosen command has started; the panel items open the cell's value
// editor for the rows it applies to.

#include "table/ContactTableContextMenu.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/ContactsViewController.h"

#include "table/ContactTableMenu.h"
#include "table/ContactTableModel.h"
#include "table/ContactTableContactCommands.h"
#include "table/ContactTableItemCommands.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>

#include <algorithm>

using namespace FieldId;
using ContactTableMenu::Command;

ContactTableContextMenu::ContactTableContextMenu(ContactsViewController &table)
    : QObject(&table)
    , m_table(table)
    , m_tableView(table.tableView())
    , m_model(table.model())
{
    m_tableView->viewport()->installEventFilter(this);
    m_tableView->installEventFilter(this);
}

bool ContactTableContextMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu && (watched == m_tableView->viewport() || watched == m_tableView))
        return contextMenuEvent(static_cast<QContextMenuEvent *>(event), watched == m_tableView->viewport());
    // A right-click opens the cell's menu and leaves the selection as it is.
    if (watched == m_tableView->viewport() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
        return true;
    return QObject::eventFilter(watched, event);
}

// A right-click opens the menu from the viewport; the menu key, sent to the
// view itself, opens it on the current cell.
bool ContactTableContextMenu::contextMenuEvent(QContextMenuEvent *event, bool fromViewport)
{
    QModelIndex index;
    QPoint global = event->globalPos();
    if (fromViewport && event->reason() != QContextMenuEvent::Keyboard) {
        index = m_tableView->indexAt(event->pos());
    } else {
        index = m_tableView->currentIndex();
        if (index.isValid())
            global = m_tableView->viewport()->mapToGlobal(m_tableView->visualRect(index).center());
    }
    event->accept();
    showContextMenu(index.isValid() ? index.column() : -1, index.isValid() ? index.row() : -1, global);
    return true;
}

// A value the label filter hides is none: its cell offers what an empty
// cell does.
bool ContactTableContextMenu::hasValueInCell(int column, int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || !record->person || column < 0 || column >= m_model->columns().size())
        return false;
    const TableColumn &cell = m_model->columns().at(column);
    if (cell.showsLabeledValues()) {
        const LabeledValueRecordPtr value = m_table.shownValue(column, row);
        return value && (cell.identifier != Dates || !value->stringValue.isEmpty());
    }
    if (cell.identifier == Name)
        return true;
    return !record->person->stringValueForIdentifier(cell.identifier, 0).isEmpty();
}

bool ContactTableContextMenu::showContextMenu(int column, int row, const QPoint &globalPosition)
{
    if (m_menu)
        m_menu->close();
    m_table.setClickedCell(-1, -1);
    if (column < 0 || column >= m_model->columns().size() || !m_model->subContactAt(row))
        return false;
    const ContactIdentifier identifier = m_model->columns().at(column).identifier;
    const QList<ContactTableMenu::Item> items
        = ContactTableMenu::itemsFor(identifier, hasValueInCell(column, row), m_table.editState());
    if (items.isEmpty())
        return false;
    m_table.commitEditing();
    m_table.setClickedCell(column, row);
    auto *menu = new QMenu(&m_table);
    menu->setObjectName(QStringLiteral("contactTableMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(m_table.selectedFont());
    const bool rowsSelected = !m_table.selectedRowIndexes().isEmpty();
    for (const ContactTableMenu::Item &item : items) {
        if (item.key.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(ContactTableMenu::titleOf(item.key));
        action->setData(item.key);
        // Deleting or copying contacts needs a selected row besides the
        // clicked one (the window's menu items follow the same rule).
        const bool contactCommand = item.command == Command::DeleteContact || item.command == Command::DuplicateContact;
        action->setEnabled(item.command != Command::None && (!contactCommand || rowsSelected));
        // The command runs once the menu has gone and the window is active
        // again: a popover opened while the menu still closes would take the
        // passing deactivation for a click elsewhere and close at once.
        connect(action, &QAction::triggered, this, [this, column, row, key = item.key, command = int(item.command)] {
            QMetaObject::invokeMethod(
                this,
                [this, column, row, key, command] {
                    m_table.setClickedCell(column, row);
                    runMenuCommand(key, command);
                },
                Qt::QueuedConnection);
        });
    }
    // The clicked cell lasts until the menu has closed, and for the chosen
    // item's command until it has started.
    connect(menu, &QMenu::aboutToHide, this, [self = QPointer<ContactTableContextMenu>(this)] {
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self)
                    self->m_table.setClickedCell(-1, -1);
            },
            Qt::QueuedConnection);
    });
    m_menu = menu;
    menu->popup(globalPosition);
    return true;
}

void ContactTableContextMenu::runMenuCommand(const QString &key, int command)
{
    switch (Command(command)) {
    case Command::ShowPopover:
        showPopoverWrapper(key);
        break;
    case Command::InsertItem:
        m_table.itemCommands()->insertItem();
        break;
    case Command::ReplaceItem:
        m_table.itemCommands()->replaceItem(key);
        break;
    case Command::DeleteItem:
        m_table.itemCommands()->deleteItem(key);
        break;
    case Command::PrependItem:
        m_table.itemCommands()->prependItem();
        break;
    case Command::AppendItem:
        m_table.itemCommands()->appendItem();
        break;
    case Command::Workspace:
        m_table.contactCommands()->doWorkspaceAction(key);
        break;
    case Command::DeleteContact:
        m_table.contactCommands()->deleteContact();
        break;
    case Command::DuplicateContact:
        m_table.contactCommands()->duplicateContact();
        break;
    case Command::ShowQRCode:
        m_table.contactCommands()->showQRCode();
        break;
    case Command::None:
        break;
    }
    m_table.setClickedCell(-1, -1);
}

// Outside edit state an editor opens for the clicked row alone; the name
// editor always does, so that a name is never handed to other contacts.
void ContactTableContextMenu::showPopoverWrapper(const QString &key)
{
    const std::optional<ContactsViewController::ClickedCell> cell = m_table.clickedCell();
    if (!cell)
        return;
    const ContactIdentifier identifier = m_model->columns().at(cell->column).identifier;
    const SubContactRecordPtr record = cell->record;
    if (identifier == Name) {
        m_table.setPopoverRows({record});
        if (key == ContactTableMenu::Key::OpenNamePanel)
            m_table.showNamePopover(record, Name, m_table.cellRect(cell->column, cell->row));
        else
            m_table.showContactInfoPopover(record, m_table.cellRect(cell->column, cell->row));
        return;
    }
    m_table.setPopoverRows(m_table.editState() ? cell->targets : QList<SubContactRecordPtr>{record});
    if (m_table.popoverRows().size() < 2) {
        openPopoverForCell(key, record, identifier);
        return;
    }
    m_table.confirmThen(tr("Do you want to set the same value in the selected rows"),
        [this, key, record, identifier] { openPopoverForCell(key, record, identifier); });
}

// The address, message and profile editors take the value's own number,
// which deleting or sorting other values leaves as it is; -1 makes a new one.
void ContactTableContextMenu::openPopoverForCell(
    const QString &key, const SubContactRecordPtr &record, const ContactIdentifier &identifier)
{
    using namespace ContactTableMenu;
    const int row = m_table.rowOfRecord(record);
    const int column = int(m_table.columnIdentifiers().indexOf(identifier));
    if (row < 0 || column < 0 || !record->person)
        return;
    const QRect rect = m_table.cellRect(column, row);
    // A cell that shows nothing opens its editor on no value, never on one
    // the label filter hides.
    const LabeledValueRecordPtr shown = m_table.shownValue(column, row);
    const qint64 position = shown ? record->labelIndex : -1;
    const qint64 labelIndex = shown ? shown->labelIndex : -1;
    const bool part = FieldVocabulary::shared().addressIdentifiers().contains(identifier);
    const ContactIdentifier field = part ? Address : identifier;
    if (identifier == Dates || identifier == Birthday)
        m_table.showDatePopover(record, identifier, position, rect);
    else if (identifier == PhoneticName)
        m_table.showPhoneticNamePopover(record, identifier, rect);
    else if (field == Address && key == Key::OpenAddressPanel)
        m_table.showAddressPopover(record, Address, labelIndex, rect);
    else if (field == InstantMessage && key == Key::OpenIMSPanel)
        m_table.showIMSPopover(record, field, labelIndex, rect);
    else if (field == SocialNetwork && key == Key::OpenSNSPanel)
        m_table.showSNSPopover(record, field, labelIndex, rect);
    else
        m_table.showMultiValuePopover(record, field, position, rect);
}
