#pragma once

#include "AddressBookTestSupport.h"

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "editors/ValueEditor.h"
#include "common/DeliveredDoubleClick.h"
#include "common/EventLoop.h"
#include "common/LaunchedAddressBook.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "platform/widgets/Popover.h"
#include "table/ContactTableCellEditor.h"
#include "table/ContactTableContactCommands.h"
#include "table/ContactTableContextMenu.h"
#include "table/ContactTableItemCommands.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTableView>
#include <QTest>

// The address-book window on a generated store, unlocked, its table showing
// the columns a test edits; confirmations are answered by a recording
// presenter.
class TableEditingTest : public testing::Test {
protected:
    explicit TableEditingTest(int contacts = 12)
        : m_book(contacts, TestEnvironment::makeScratchFolder(QStringLiteral("tableedit")))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_app.launch());
        QApplication::setActiveWindow(&window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        mainView().setEditState(true);
        showColumns({FieldId::Company, FieldId::Phone, FieldId::Address, FieldId::ZIP, FieldId::City});
    }

    [[nodiscard]] WindowController &window() const { return m_app.window(); }
    [[nodiscard]] ViewController &mainView() const { return m_app.mainView(); }
    [[nodiscard]] ContactsViewController &table() const { return *window().contactsViewController(); }
    [[nodiscard]] QTableView *view() const { return table().tableView(); }
    [[nodiscard]] UndoManager &undoManager() const { return *mainView().undoManager(); }

    void showColumns(const QStringList &identifiers)
    {
        table().updateColumnsInTableView(identifiers);
        endTurn();
    }
    [[nodiscard]] int column(const ContactIdentifier &identifier) const
    {
        return int(table().columnIdentifiers().indexOf(identifier));
    }
    [[nodiscard]] SubContactRecordPtr row(int index) const { return table().subContactTable().at(index); }
    [[nodiscard]] MVPerson &person(int index) const { return *row(index)->person; }
    [[nodiscard]] int rowCount() const { return int(table().subContactTable().size()); }
    // The rows that begin a contact, in table order.
    [[nodiscard]] QList<int> firstRows() const
    {
        QList<int> rows;
        for (int index = 0; index < rowCount(); ++index) {
            if (row(index)->labelIndex == 0)
                rows.append(index);
        }
        return rows;
    }
    // A point in the cell's text, right of any pop-up or box.
    [[nodiscard]] QPoint textPoint(const ContactIdentifier &identifier, int index) const
    {
        const QRect rect = view()->visualRect(view()->model()->index(index, column(identifier)));
        return {rect.right() - 8, rect.top() + table().rowHeight() / 2};
    }
    void doubleClick(const ContactIdentifier &identifier, int index, Qt::KeyboardModifiers modifiers = {})
    {
        deliveredDoubleClick(view()->viewport(), textPoint(identifier, index), modifiers);
    }
    void click(const ContactIdentifier &identifier, int index)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, textPoint(identifier, index));
    }
    [[nodiscard]] QWidget *cellEditor() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && focus->objectName() == QStringLiteral("cellEditor") ? focus : nullptr;
    }
    // The cell whose editor is open, as "identifier:row"; empty for none.
    [[nodiscard]] QString editedCell() const
    {
        for (int index = 0; index < rowCount(); ++index) {
            for (int each = 0; each < table().columnIdentifiers().size(); ++each) {
                if (view()->indexWidget(view()->model()->index(index, each)))
                    return table().columnIdentifiers().at(each) + u':' + QString::number(index);
            }
        }
        return {};
    }
    // A right-click as the window gets it: the press, then the menu event.
    void rightClick(const ContactIdentifier &identifier, int index)
    {
        const QPoint point = textPoint(identifier, index);
        QWidget *viewport = view()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
        QApplication::sendEvent(viewport, &event);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, point);
        // The menu takes the focus, as it does on the screen.
        endTurn();
    }
    [[nodiscard]] QMenu *menu() const { return table().contextMenu()->menu(); }
    [[nodiscard]] QAction *item(const QString &key) const
    {
        if (!menu())
            return nullptr;
        for (QAction *action : menu()->actions()) {
            if (action->data().toString() == key)
                return action;
        }
        return nullptr;
    }
    // The items as "key", "!key" when disabled, "-" for a separator.
    [[nodiscard]] QString items() const
    {
        QStringList shown;
        for (QAction *action : menu() ? menu()->actions() : QList<QAction *>()) {
            if (action->isSeparator())
                shown.append(QStringLiteral("-"));
            else
                shown.append((action->isEnabled() ? QString() : QStringLiteral("!")) + action->data().toString());
        }
        return shown.join(u'|');
    }
    // Clicks the item in the open menu.
    void choose(const QString &key)
    {
        QAction *action = item(key);
        ASSERT_NE(action, nullptr) << qPrintable(key);
        QTest::mouseClick(menu(), Qt::LeftButton, {}, menu()->actionGeometry(action).center());
        endTurn();
    }
    void rightClickAndChoose(const ContactIdentifier &identifier, int index, const QString &key)
    {
        rightClick(identifier, index);
        ASSERT_NE(menu(), nullptr);
        choose(key);
    }
    // One Ctrl+Z, after the turn's implicit group has closed.
    void undoOnce()
    {
        endTurn();
        mainView().undo();
        endTurn();
    }
    // The value editor in the table's popover; null when none is open.
    [[nodiscard]] ValueEditor *editor() const
    {
        Popover *popover = table().popover();
        return popover ? qobject_cast<ValueEditor *>(popover->contentWidget()) : nullptr;
    }
    void closePopover()
    {
        if (Popover *popover = table().popover())
            popover->close();
        endTurn();
    }
    // Leaves the contact without values of the field, outside the undo history.
    void clearField(int index, const ContactIdentifier &field)
    {
        person(index).setValue(LabeledValueList{}, field);
        table().updateTable();
        endTurn();
    }

    GeneratedAddressBook m_book;
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};
