#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/RenmeiViewController.h"

#include <QClipboard>

namespace {

// The contact's joint names are 花子 and 次郎.
class RenmeiEditor : public EditorTest<RenmeiViewController> {
protected:
    void open(bool editable = true) { EditorTest::open(FieldId::Renmei, {368, 260}, std::nullopt, editable); }
    // The cell's text field after a double click on the row, or null.
    QLineEdit *doubleClickRow(int row)
    {
        doubleClickCell(row, 0);
        return m_editor->tableView()->viewport()->findChild<QLineEdit *>();
    }
    [[nodiscard]] QString done()
    {
        EditorTest::done();
        EXPECT_TRUE(m_context->dirty);
        return m_context->values.join(u'|');
    }
};

TEST_F(RenmeiEditor, NamesOpenAsRowsUnderChangeAndNoneAsOneEmptyRowUnderAdd)
{
    open();
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Change"));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    EXPECT_EQ(done(), QStringLiteral("花子|次郎"));

    m_contact->person->setValue(QString(), FieldId::Renmei);
    open();
    EXPECT_EQ(m_editor->doneButton()->text(), QStringLiteral("Add"));
    EXPECT_EQ(m_editor->names(), QStringList{QString()});
    EditorTest::done();
    EXPECT_FALSE(m_context->dirty);
}

// Without joint names the one row's editor is open: the name typed at once
// goes in, and Return stores it alone; an empty Return changes nothing.
TEST_F(RenmeiEditor, TypingAtOnceGoesIntoTheOneEmptyRowAndReturnStoresIt)
{
    for (const QString &typed : {QStringLiteral("Hanako"), QString()}) {
        m_contact->person->setValue(QString(), FieldId::Renmei);
        open();
        auto *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(field);
        EXPECT_EQ(field->parentWidget(), m_editor->tableView()->viewport());
        EXPECT_EQ(field->text(), QString());
        EXPECT_EQ(field->placeholderText(), QStringLiteral("太郎"));
        Screenshot::grab(m_editor, QStringLiteral("empty"));
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_FALSE(m_harness.isOpen());
        EXPECT_EQ(m_context->dirty, !typed.isEmpty());
        EXPECT_EQ(m_context->values, typed.isEmpty() ? QStringList() : QStringList{typed});
    }
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
    EXPECT_EQ(done(), QStringLiteral("Hana|Jiro"));
}

TEST_F(RenmeiEditor, PastedLineBreaksBecomeSpaces)
{
    open();
    QGuiApplication::clipboard()->setText(QStringLiteral("Hanako\nYamada\r\nJr."));
    QLineEdit *field = doubleClickRow(0);
    ASSERT_TRUE(field);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(done(), QStringLiteral("Hanako Yamada Jr.|次郎"));
}

TEST_F(RenmeiEditor, TwoAddsInsertTwoSelectedRowsAndDeletingEveryRowHandsBackNoName)
{
    open();
    clickCell(0, 0);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    EXPECT_EQ(m_editor->tableView()->selectionModel()->selectedRows().value(0).row(), 2);
    EXPECT_EQ(m_editor->names().join(u'|'), QStringLiteral("花子|new|new|次郎"));
    for (int row : {3, 2, 1, 0}) {
        clickCell(row, 0);
        QTest::mouseClick(m_editor->delButton(), Qt::LeftButton);
    }
    EXPECT_FALSE(m_editor->delButton()->isEnabled());
    EXPECT_EQ(done(), QString());
    EXPECT_TRUE(m_context->values.isEmpty());
}

} // namespace
