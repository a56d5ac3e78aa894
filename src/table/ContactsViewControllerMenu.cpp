// The contact table's context menu: built anew from the clicked cell at each
// opening, it leaves the selection as it is and keeps the clicked cell until
// the chosen command has started; the panel items open the cell's value
// editor for the rows it applies to.

#include "table/ContactsViewController.h"

#include "model/MVPerson.h"
#include "table/ContactTableMenu.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTableView>

#include <algorithm>

using namespace FieldId;
using ContactTableMenu::Command;

// A right-click opens the menu from the viewport; the menu key, sent to the
// view itself, opens it on the current cell.
bool ContactsViewController::contextMenuEvent(QContextMenuEvent *event, bool fromViewport)
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

bool ContactsViewController::hasValueInCell(int column, int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record || !record->person || column < 0 || column >= m_model->columns().size())
        return false;
    MVPerson &person = *record->person;
    const ContactIdentifier &identifier = m_model->columns().at(column).identifier;
    const qint64 position = record->labelIndex;
    if (MVPerson::addressIdentifiers().contains(identifier))
        return person.labeledValueForIdentifierAtIndex(Address, position) != nullptr;
    if (identifier == Dates) {
        const LabeledValueRecordPtr date = person.labeledValueForIdentifierAtIndex(Dates, position);
        return date && !date->stringValue.isEmpty();
    }
    if (MVPerson::labeledIdentifiers().contains(identifier))
        return person.labeledValueForIdentifierAtIndex(identifier, position) != nullptr;
    if (identifier == Name)
        return true;
    return !person.stringValueForIdentifier(identifier, 0).isEmpty();
}

bool ContactsViewController::showContextMenu(int column, int row, const QPoint &globalPosition)
{
    if (m_contextMenu)
        m_contextMenu->close();
    setClickedCell(-1, -1);
    if (column < 0 || column >= m_model->columns().size() || !m_model->subContactAt(row))
        return false;
    const ContactIdentifier identifier = m_model->columns().at(column).identifier;
    const QList<ContactTableMenu::Item> items
        = ContactTableMenu::itemsFor(identifier, hasValueInCell(column, row), editState());
    if (items.isEmpty())
        return false;
    commitEditing();
    setClickedCell(column, row);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("contactTableMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(selectedFont());
    const bool rowsSelected = !selectedRowIndexes().isEmpty();
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
                    setClickedCell(column, row);
                    runMenuCommand(key, command);
                },
                Qt::QueuedConnection);
        });
    }
    // The clicked cell lasts until the menu has closed, and for the chosen
    // item's command until it has started.
    connect(menu, &QMenu::aboutToHide, this, [self = QPointer<ContactsViewController>(this)] {
        QMetaObject::invokeMethod(
            self,
            [self] {
                if (self)
                    self->setClickedCell(-1, -1);
            },
            Qt::QueuedConnection);
    });
    m_contextMenu = menu;
    menu->popup(globalPosition);
    return true;
}

void ContactsViewController::runMenuCommand(const QString &key, int command)
{
    switch (Command(command)) {
    case Command::ShowPopover:
        showPopoverWrapper(key);
        break;
    case Command::InsertItem:
        insertItem();
        break;
    case Command::ReplaceItem:
        replaceItem(key);
        break;
    case Command::DeleteItem:
        deleteItem(key);
        break;
    case Command::PrependItem:
        prependItem();
        break;
    case Command::AppendItem:
        appendItem();
        break;
    case Command::Workspace:
        doWorkspaceAction(key);
        break;
    case Command::DeleteContact:
        deleteContact();
        break;
    case Command::DuplicateContact:
        duplicateContact();
        break;
    case Command::ShowQRCode:
        showQRCode();
        break;
    case Command::None:
        break;
    }
    setClickedCell(-1, -1);
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

// Outside edit state an editor opens for the clicked row alone; the name
// editor always does, so that a name is never handed to other contacts.
void ContactsViewController::showPopoverWrapper(const QString &key)
{
    const std::optional<ClickedCell> cell = clickedCell();
    if (!cell)
        return;
    const ContactIdentifier identifier = m_model->columns().at(cell->column).identifier;
    const SubContactRecordPtr record = cell->record;
    if (identifier == Name) {
        m_popoverRows = {record};
        if (key == ContactTableMenu::Key::OpenNamePanel)
            showNamePopover(record, Name, cellRect(cell->column, cell->row));
        else
            showContactInfoPopover(record, cellRect(cell->column, cell->row));
        return;
    }
    m_popoverRows = editState() ? cell->targets : QList<SubContactRecordPtr>{record};
    if (m_popoverRows.size() < 2) {
        openPopoverForCell(key, record, identifier);
        return;
    }
    confirmThen(tr("Do you want to set the same value in the selected rows"),
        [this, key, record, identifier] { openPopoverForCell(key, record, identifier); });
}

// The address, message and profile editors take the value's own number,
// which deleting or sorting other values leaves as it is; -1 makes a new one.
void ContactsViewController::openPopoverForCell(
    const QString &key, const SubContactRecordPtr &record, const ContactIdentifier &identifier)
{
    using namespace ContactTableMenu;
    const int row = rowOfRecord(record);
    const int column = int(columnIdentifiers().indexOf(identifier));
    if (row < 0 || column < 0 || !record->person)
        return;
    const QRect rect = cellRect(column, row);
    const qint64 position = record->labelIndex;
    const bool part = MVPerson::addressIdentifiers().contains(identifier);
    const ContactIdentifier field = part ? Address : identifier;
    const auto labelIndexOfValue = [&] {
        const LabeledValueRecordPtr value = record->person->labeledValueForIdentifierAtIndex(field, position);
        return value ? value->labelIndex : qint64(-1);
    };
    if (identifier == Dates || identifier == Birthday)
        showDatePopover(record, identifier, position, rect);
    else if (identifier == PhoneticName)
        showPhoneticNamePopover(record, identifier, rect);
    else if (field == Address && key == Key::OpenAddressPanel)
        showAddressPopover(record, Address, labelIndexOfValue(), rect);
    else if (field == InstantMessage && key == Key::OpenIMSPanel)
        showIMSPopover(record, field, labelIndexOfValue(), rect);
    else if (field == SocialNetwork && key == Key::OpenSNSPanel)
        showSNSPopover(record, field, labelIndexOfValue(), rect);
    else
        showMultiValuePopover(record, field, position, rect);
}
