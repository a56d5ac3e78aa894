#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "common/Screenshot.h"
#include "editors/RenmeiViewController.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// The contact's joint names are 花子 and 次郎.
class RenmeiEditor : public testing::Test {
protected:
    RenmeiViewController *open(bool editable = true)
    {
        m_context = EditorHarness::context(m_contact, FieldId::Renmei, false);
        m_editor = m_harness.open<RenmeiViewController>(m_context, QSize(368, 260), editable);
        EXPECT_LE(m_editor->minimumSizeHint().width(), 368);
        EXPECT_LE(m_editor->minimumSizeHint().height(), 260);
        return m_editor;
    }
    void clickRow(int row)
    {
        QTableView *view = m_editor->tableView();
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }
    // The cell's text field after a double click on the row, or null.
    QLineEdit *doubleClickRow(int row)
    {
        QTableView *view = m_editor->tableView();
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        return view->viewport()->findChild<QLineEdit *>();
    }
    void done() { QTest::mouseClick(m_editor->doneButton(), Qt::LeftButton); }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
    RenmeiViewController *m_editor = nullptr;
};

TEST_F(RenmeiEditor, TwoNamesOpenAsTwoRowsAndComeBackInOrder)
{
    open();
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Change"));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    done();
    EXPECT_TRUE(m_context->dirty);
    EXPECT_EQ(m_context->values, (QStringList{QStringLiteral("花子"), QStringLiteral("次郎")}));
}

TEST_F(RenmeiEditor, ContactWithoutJointNamesOffersTaroUnderAdd)
{
    m_contact->person->setValue(QString(), FieldId::Renmei);
    open();
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Add"));
    done();
    EXPECT_EQ(m_context->values, QStringList{QStringLiteral("太郎")});
}

TEST_F(RenmeiEditor, LockedKeepsDoneTitledDisabledAndCellsClosed)
{
    open(false);
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Change"));
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
    EXPECT_TRUE(m_editor->cancelButton()->isVisible());
    EXPECT_FALSE(m_editor->addButton()->isEnabled());
    EXPECT_EQ(doubleClickRow(0), nullptr);
    QTest::mouseClick(m_editor->editButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Change"));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
}

TEST_F(RenmeiEditor, ReturnInTheLastRowMovesEditingToTheFirst)
{
    open();
    QLineEdit *field = doubleClickRow(1);
    ASSERT_TRUE(field);
    QTest::keyClicks(field, QStringLiteral("Jiro"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(m_harness.isOpen());
    field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_TRUE(field);
    EXPECT_EQ(field->selectedText(), QStringLiteral("花子"));
    EXPECT_EQ(m_editor->names(), (QStringList{QStringLiteral("花子"), QStringLiteral("Jiro")}));
    Screenshot::grab(m_editor);
    // Done commits the name still being typed.
    QTest::keyClicks(field, QStringLiteral("Hana"));
    done();
    EXPECT_EQ(m_context->values, (QStringList{QStringLiteral("Hana"), QStringLiteral("Jiro")}));
}

TEST_F(RenmeiEditor, PastedLineBreaksBecomeSpaces)
{
    open();
    QGuiApplication::clipboard()->setText(QStringLiteral("Hanako\nYamada\r\nJr."));
    QLineEdit *field = doubleClickRow(0);
    ASSERT_TRUE(field);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Return);
    done();
    EXPECT_EQ(m_context->values, (QStringList{QStringLiteral("Hanako Yamada Jr."), QStringLiteral("次郎")}));
}

TEST_F(RenmeiEditor, TwoAddsAfterOneRowInsertTwoNewRowsEachSelected)
{
    open();
    clickRow(0);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->tableView()->selectionModel()->selectedRows().value(0).row(), 2);
    EXPECT_EQ(m_editor->names(),
        (QStringList{QStringLiteral("花子"), QStringLiteral("new"), QStringLiteral("new"), QStringLiteral("次郎")}));
}

TEST_F(RenmeiEditor, DeletingEveryRowDisablesDeleteAndHandsBackNoName)
{
    open();
    for (int row : {1, 0}) {
        clickRow(row);
        QTest::mouseClick(m_editor->delButton(), Qt::LeftButton);
    }
    EXPECT_FALSE(m_editor->delButton()->isEnabled());
    done();
    EXPECT_TRUE(m_context->dirty);
    EXPECT_EQ(m_context->values, QStringList());
}

} // namespace
