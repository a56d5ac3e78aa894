// The postcard sender follows the mark in the table: after File ▸ Revert, an
// undone mark or a deleted contact the preview draws, and the print prints,
// no sender; a mark on a contact outside the shown group still makes it the
// sender.
#include "PdfWords.h"

#include "app/AddressBookTestSupport.h"
#include "app/AppDelegate.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/EventLoop.h"
#include "common/GeneratedAddressBook.h"
#include "common/LaunchedAddressBook.h"
#include "common/PrintPanels.h"
#include "common/TestEnvironment.h"
#include "model/MVPerson.h"
#include "platform/UndoManager.h"
#include "print/HagakiView.h"
#include "print/HagakiViewController.h"
#include "table/ContactsViewController.h"
#include "table/GroupOutlineModel.h"
#include "table/GroupViewController.h"
#include "table/TableColumn.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QTableView>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace {

class RevertedSender : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.launchActive());
        PrintPanels::choosePrintStyle(m_app.window().printStylePopup(), u"Hagaki"_s);
        m_app.mainView().setEditState(true);
        endTurn();
    }

    [[nodiscard]] ContactsViewController &contacts() const { return *m_app.window().contactsViewController(); }
    [[nodiscard]] QTableView &table() const { return *contacts().tableView(); }
    [[nodiscard]] HagakiViewController &preview() const { return *m_app.window().hagakiViewController(); }

    // The first rows of the contacts with Latin names, in table order.
    [[nodiscard]] QList<int> latinContactRows() const
    {
        QList<int> rows;
        const auto &shown = contacts().subContactTable();
        for (int row = 0; row < int(shown.size()); ++row) {
            const QString family = familyName(row);
            if (shown.at(row)->labelIndex == 0 && !family.isEmpty() && family.at(0).unicode() < 0x80)
                rows.append(row);
        }
        return rows;
    }
    [[nodiscard]] QString familyName(int row) const
    {
        return contacts().subContactTable().at(row)->person->nameValue()->lastName;
    }
    [[nodiscard]] QList<int> tickedRows() const
    {
        QList<int> ticked;
        const auto &shown = contacts().subContactTable();
        for (int row = 0; row < int(shown.size()); ++row) {
            const LabeledValueRecordPtr address
                = TableColumn::labeledValueAt(*shown.at(row)->person, FieldId::Address, shown.at(row)->labelIndex);
            if (address && std::as_const(address->layout)->printsSender())
                ticked.append(row);
        }
        return ticked;
    }
    [[nodiscard]] QRect cell(const QString &identifier, int row) const
    {
        const int column = int(contacts().columnIdentifiers().indexOf(identifier));
        return table().visualRect(table().model()->index(row, column));
    }
    void clickSenderBox(int row) const
    {
        const QRect rect = cell(u"Sender"_s, row);
        QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, QPoint(rect.center().x(), rect.center().y()));
        endTurn();
    }

    // File ▸ Revert, clicked in the window's File menu; the confirmation is
    // answered with its first button.
    void chooseRevert() const { chooseMenuItem(m_app.delegate().findChild<QAction *>(u"revertAddressBookToSaved"_s)); }
    // The item clicked in the window's menu that holds it.
    void chooseMenuItem(QAction *item) const
    {
        ASSERT_NE(item, nullptr);
        QMenu *holder = nullptr;
        for (QMenu *menu : m_app.window().findChildren<QMenu *>()) {
            if (menu->actions().contains(item))
                holder = menu;
        }
        ASSERT_NE(holder, nullptr);
        holder->popup(m_app.window().mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(holder));
        ASSERT_TRUE(item->isEnabled());
        QTest::mouseClick(holder, Qt::LeftButton, {}, holder->actionGeometry(item).center());
    }

    // A click on the group in the window's outline.
    void openGroup(const QString &name) const
    {
        GroupViewController &outline = *m_app.window().groupViewController();
        for (const GroupRecordPtr &group : *m_app.mainView().containerTable()->first()->groups) {
            if (group->name == name) {
                const QRect rect = outline.outlineView()->visualRect(outline.model()->indexOfGroup(group));
                QTest::mouseClick(outline.outlineView()->viewport(), Qt::LeftButton, {}, rect.center());
            }
        }
        endTurn();
        ASSERT_EQ(m_app.mainView().selectedGroupDict()->name, name);
    }

    GeneratedAddressBook m_book{12, TestEnvironment::makeScratchFolder(u"reverted-sender"_s)};
    RecordingAlertPresenter m_alerts;
    LaunchedAddressBook m_app{m_book, &m_alerts};
};

TEST_F(RevertedSender, AfterRevertThePreviewAndThePrintCarryNoSender)
{
    ASSERT_TRUE(contacts().columnIdentifiers().contains(u"Sender"_s));
    ASSERT_TRUE(tickedRows().isEmpty());
    const QList<int> rows = latinContactRows();
    ASSERT_GE(rows.size(), 2);
    const QString sender = familyName(rows.at(0));
    clickSenderBox(rows.at(0));
    ASSERT_EQ(tickedRows(), QList<int>{rows.at(0)});
    ASSERT_TRUE(preview().senderPerson());
    ASSERT_EQ(preview().senderPerson()->person, contacts().subContactTable().at(rows.at(0))->person);

    chooseRevert();
    ASSERT_EQ(m_alerts.confirmations.size(), 1);
    ASSERT_TRUE(m_app.waitForHandOver());
    endTurn();
    ASSERT_TRUE(tickedRows().isEmpty());
    EXPECT_EQ(preview().senderPerson(), nullptr);
    EXPECT_EQ(preview().hagakiView()->senderPerson(), nullptr);

    // Another contact's card, printed through the print dialog, has no
    // sender block.
    const int receiver = latinContactRows().at(1);
    const QString receiverName = familyName(receiver);
    table().setFocus();
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, cell(FieldId::Name, receiver).center());
    endTurn();
    const QString path = QDir(PdfWords::outputFolder()).filePath(u"reverted-sender.pdf"_s);
    QFile::remove(path);
    const QPointer<QPrintDialog> dialog = PrintPanels::openPrintDialog(m_app.window());
    ASSERT_TRUE(dialog);
    PrintPanels::printIntoFile(dialog, path);
    ASSERT_TRUE(PrintPanels::waitForPrintedFile(dialog, path));
    const QList<PdfWords::Page> pages = PdfWords::pdfWords(path);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(PdfWords::holdsRunTogether(pages.first(), receiverName));
    EXPECT_FALSE(PdfWords::holdsRunTogether(pages.first(), sender));
    EXPECT_TRUE(m_alerts.alerts.isEmpty());
}

// The contacts with Latin names have odd numbers, and Family holds the even.
TEST_F(RevertedSender, AMarkedContactOutsideTheShownGroupStaysTheSenderUntilItsMarkIsUndone)
{
    const int marked = latinContactRows().at(0);
    const MVPersonPtr person = contacts().subContactTable().at(marked)->person;
    clickSenderBox(marked);
    ASSERT_EQ(tickedRows(), QList<int>{marked});
    openGroup(u"Family"_s);
    ASSERT_TRUE(tickedRows().isEmpty());
    ASSERT_TRUE(preview().senderPerson());
    EXPECT_EQ(preview().senderPerson()->person, person);

    QTest::keyClick(&m_app.window(), Qt::Key_Z, Qt::ControlModifier);
    endTurn();
    ASSERT_FALSE(m_app.mainView().undoManager()->canUndo());
    EXPECT_EQ(preview().senderPerson(), nullptr);
    EXPECT_EQ(preview().hagakiView()->senderPerson(), nullptr);
}

// Deleted, the contact is kept until the save only for its Undo: no card
// carries its name, and the Undo marks it the sender again.
TEST_F(RevertedSender, ADeletedContactIsNoSenderUntilItsDeleteIsUndone)
{
    const int marked = latinContactRows().at(0);
    const MVPersonPtr person = contacts().subContactTable().at(marked)->person;
    clickSenderBox(marked);
    ASSERT_TRUE(preview().senderPerson());
    ASSERT_EQ(preview().senderPerson()->person, person);

    table().setFocus();
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, cell(FieldId::Name, marked).center());
    endTurn();
    ASSERT_EQ(contacts().selectedRowIndexes(), QList<int>{marked});
    chooseMenuItem(m_app.window().contactMenu()->findChild<QAction *>(u"deleteContacts"_s));
    endTurn();
    ASSERT_TRUE(tickedRows().isEmpty());
    EXPECT_EQ(preview().senderPerson(), nullptr);
    EXPECT_EQ(preview().hagakiView()->senderPerson(), nullptr);

    QTest::keyClick(&m_app.window(), Qt::Key_Z, Qt::ControlModifier);
    endTurn();
    ASSERT_EQ(tickedRows().size(), 1);
    ASSERT_TRUE(preview().senderPerson());
    EXPECT_EQ(preview().senderPerson()->person, person);
    EXPECT_NE(preview().hagakiView()->senderPerson(), nullptr);
}

} // namespace
