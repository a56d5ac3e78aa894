// The application's own confirmation box, answered as a user answers it: its
// answer runs once the box has finished, never inside the key press or click
// that answered it, where a reload's event loop would run the box's deletion
// under it.
#include "app/AppDelegate.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "common/EventLoop.h"
#include "common/GeneratedAddressBook.h"
#include "common/KeysTypedAhead.h"
#include "common/LaunchedAddressBook.h"
#include "common/TestEnvironment.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "table/ContactTableContextMenu.h"
#include "table/ContactsViewController.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Answer { Return, Button };

class ConfirmationBox : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.launchActive()); }

    [[nodiscard]] static QMessageBox *shownBox(const QWidget &window)
    {
        for (QMessageBox *box : window.findChildren<QMessageBox *>()) {
            if (box->isVisible())
                return box;
        }
        return nullptr;
    }

    GeneratedAddressBook m_book{3, TestEnvironment::makeScratchFolder(u"confirmation-answer"_s)};
    LaunchedAddressBook m_app{m_book};
};

class ConfirmationAnswer : public ConfirmationBox, public testing::WithParamInterface<Answer> { };

TEST_P(ConfirmationAnswer, RevertRunsOnceTheBoxHasFinished)
{
    const ContactRecordPtr row = m_app.mainView().contactTable()->first();
    const UniqueId uniqueId = row->uniqueId;
    ASSERT_TRUE(m_app.mainView().undoReplaceValue(u"Hanako"_s, FieldId::Renmei, row));
    endTurn();
    ASSERT_TRUE(m_app.window().isWindowModified());

    auto *revert = m_app.delegate().findChild<QAction *>(u"revertAddressBookToSaved"_s);
    ASSERT_NE(revert, nullptr);
    revert->trigger();
    endTurn();
    const QPointer<QMessageBox> box = shownBox(m_app.window());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), u"Do you want to revert AddressBook?"_s);

    QApplication::setActiveWindow(box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    if (GetParam() == Answer::Return) {
        QTest::keyClick(box, Qt::Key_Return);
    } else {
        QAbstractButton *accept = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            if (!accept && box->buttonRole(button) == QMessageBox::AcceptRole)
                accept = button;
        }
        ASSERT_NE(accept, nullptr);
        QTest::mouseClick(accept, Qt::LeftButton);
    }
    // The box has answered and still stands; the revert has not run yet.
    EXPECT_FALSE(box.isNull());
    EXPECT_TRUE(m_app.window().isWindowModified());

    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_app.window().isWindowModified(); }, 10000));
    ASSERT_TRUE(m_app.waitForHandOver());
    endTurn();
    EXPECT_TRUE(box.isNull());
    const auto &rows = *m_app.mainView().contactTable();
    const auto reverted = std::find_if(
        rows.cbegin(), rows.cend(), [&uniqueId](const ContactRecordPtr &each) { return each->uniqueId == uniqueId; });
    ASSERT_NE(reverted, rows.cend());
    EXPECT_TRUE((*reverted)->person->stringValueForIdentifier(FieldId::Renmei, 0).isEmpty());
}

// Return typed twice faster than the first is handled: both reach the box,
// the second after the first has closed it, and the box answers once. Delete
// Item on a contact's first e-mail of three deletes that one, not the next
// one too.
TEST_F(ConfirmationBox, TwoReturnsTypedAheadAnswerOnce)
{
    m_app.mainView().setEditState(true);
    ContactsViewController &table = *m_app.window().contactsViewController();
    table.updateColumnsInTableView({FieldId::Email});
    endTurn();
    int first = 0;
    while (first < table.subContactTable().size()
        && table.subContactTable().at(first)->person->labeledValues(FieldId::Email)->size() != 3)
        ++first;
    ASSERT_LT(first, table.subContactTable().size());
    const auto contact = table.subContactTable().at(first)->person;
    const LabeledValueListPtr mails = contact->labeledValues(FieldId::Email);
    const QStringList kept{mails->at(1)->stringValue, mails->at(2)->stringValue};

    table.selectRowIndexes({first});
    QWidget *cells = table.tableView()->viewport();
    const int email = int(table.columnIdentifiers().indexOf(FieldId::Email));
    const QPoint cell = table.tableView()->visualRect(table.tableView()->model()->index(first, email)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, cell, cells->mapToGlobal(cell));
    QApplication::sendEvent(cells, &rightClick);
    endTurn();
    QMenu *menu = table.contextMenu()->menu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> items = menu->actions();
    const auto deleteItem = std::find_if(
        items.cbegin(), items.cend(), [](const QAction *item) { return item->data().toString() == u"Delete Item"_s; });
    ASSERT_NE(deleteItem, items.cend());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*deleteItem).center());
    endTurn();
    const QPointer<QMessageBox> box = shownBox(m_app.window());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().startsWith(u"Do you want to delete the item"_s)) << qPrintable(box->text());

    QApplication::setActiveWindow(box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    typeAhead(box->windowHandle(), Qt::Key_Return, 2);
    ASSERT_TRUE(QTest::qWaitFor([&box] { return box.isNull(); }));
    endTurn();
    QStringList left;
    for (const LabeledValueRecordPtr &mail : *contact->labeledValues(FieldId::Email))
        left.append(mail->stringValue);
    EXPECT_EQ(left.join(u", "_s).toStdString(), kept.join(u", "_s).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Answers, ConfirmationAnswer, testing::Values(Answer::Return, Answer::Button),
    [](const testing::TestParamInfo<Answer> &info) {
        return info.param == Answer::Return ? std::string("Return") : std::string("Button");
    });

} // namespace
