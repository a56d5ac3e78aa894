// A phone changed in the table shows its new text in its cell right after
// the change, however it was made: typed into the cell, replaced by the find
// bar or the find panel, or formatted by Edit ▸ Format Phone Numbers; and
// after Undo and Redo.
#include "TableEditingFixture.h"

#include "app/AppDelegate.h"
#include "app/ContactMenuCommands.h"
#include "find/FindBarController.h"
#include "find/FindPanel.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

class PhoneCellText : public TableEditingTest {
protected:
    void SetUp() override
    {
        TableEditingTest::SetUp();
        window().findBarController()->setAnimationDuration(0);
        m_first = firstRows().first();
        m_id = row(m_first)->uniqueId;
        // Two phones no other contact's values come near, outside the undo
        // history.
        MVPerson &shaped = person(m_first);
        shaped.setValue(LabeledValueList{}, FieldId::Phone);
        for (const QString &number : {u"+1 555 1055"_s, u"+1 555 2077"_s}) {
            LabeledValueRecord phone;
            phone.label = u"home"_s;
            phone.value = number;
            shaped.addLabeledValue(phone, FieldId::Phone);
        }
        table().updateTable();
        endTurn();
        ASSERT_EQ(cell(m_first), u"+1 555 1055"_s);
    }

    // What the table shows in the row's Phone cell.
    [[nodiscard]] QString cell(int index) const
    {
        return view()->model()->index(index, column(FieldId::Phone)).data().toString();
    }
    // The row alone selected, as the edit reaches every selected row; the
    // editor opens with the cell's text selected, and what is typed replaces it.
    void type(int index, const QString &text)
    {
        table().selectRowIndexes({index});
        doubleClick(FieldId::Phone, index);
        ASSERT_NE(cellEditor(), nullptr);
        QTest::keyClick(cellEditor(), Qt::Key_Backspace);
        QTest::keyClicks(cellEditor(), text);
        QTest::keyClick(cellEditor(), Qt::Key_Return);
        endTurn();
    }
    // Undo, then Redo, the cells checked after each.
    void expectUndoAndRedo(const QString &before, const QString &after)
    {
        undoOnce();
        EXPECT_EQ(cell(m_first), before);
        mainView().redo();
        endTurn();
        EXPECT_EQ(cell(m_first), after);
    }

    int m_first = 0;
    QString m_id;
};

TEST_F(PhoneCellText, ATypedNumberShowsAtOnceAndAfterUndoAndRedo)
{
    type(m_first, u"0312345678"_s);
    EXPECT_EQ(cell(m_first), u"0312345678"_s);
    expectUndoAndRedo(u"+1 555 1055"_s, u"0312345678"_s);
}

// The cell shows the phone gone, as Save then stores it.
TEST_F(PhoneCellText, AClearedCellShowsNothingAndSaveStoresWhatItShowed)
{
    type(m_first + 1, QString());
    EXPECT_EQ(cell(m_first + 1), QString());
    EXPECT_EQ(cell(m_first), u"+1 555 1055"_s);
    m_app.delegate().saveAction()->trigger();
    endTurn();
    const MVPersonPtr stored = storedPerson(m_book, m_id);
    ASSERT_NE(stored, nullptr);
    QStringList numbers;
    for (const LabeledValueRecordPtr &phone : *stored->phoneValues())
        numbers.append(phone->valueText());
    EXPECT_EQ(numbers, QStringList{u"+1 555 1055"_s});
}

TEST_F(PhoneCellText, FindBarReplaceAllShowsTheNewNumbers)
{
    QTest::keyClick(&window(), Qt::Key_F, Qt::ControlModifier);
    FindBarController &bar = *window().findBarController();
    // The bar may open on the text an earlier find shared.
    bar.searchField()->clear();
    QTest::keyClicks(bar.searchField(), u"555"_s);
    QTest::keyClick(bar.searchField(), Qt::Key_Return);
    endTurn();
    bar.replaceStringField()->setText(u"666"_s);
    QTest::mouseClick(bar.replaceAllButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(cell(m_first), u"+1 666 1055"_s);
    EXPECT_EQ(cell(m_first + 1), u"+1 666 2077"_s);
    expectUndoAndRedo(u"+1 555 1055"_s, u"+1 666 1055"_s);
}

// The panel runs modally; the cells are read while it is still open.
TEST_F(PhoneCellText, FindPanelReplaceAllShowsTheNewNumbers)
{
    QStringList shown;
    bool ran = false;
    QTimer::singleShot(0, &window(), [&] {
        auto *panel = qobject_cast<FindPanel *>(QApplication::activeModalWidget());
        if (!panel)
            return;
        ran = true;
        panel->searchField()->setText(u"555 "_s);
        QTest::keyClick(panel->searchField(), Qt::Key_Return);
        QTest::keyClicks(panel->replaceField(), u"666 "_s);
        QTest::mouseClick(panel->replaceAllButton(), Qt::LeftButton);
        shown = {cell(m_first), cell(m_first + 1)};
        QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
    });
    window().findMenu()->findChild<QAction *>(u"showFindPanel"_s)->trigger();
    endTurn();
    ASSERT_TRUE(ran);
    EXPECT_EQ(shown, (QStringList{u"+1 666 1055"_s, u"+1 666 2077"_s}));
    expectUndoAndRedo(u"+1 555 1055"_s, u"+1 666 1055"_s);
}

// The command formats the phones of the view type's Phone column, which the
// items pop-up shows.
TEST_F(PhoneCellText, FormatPhoneNumbersShowsTheFormattedNumber)
{
    QMenu *items = window().itemsPopup()->menu();
    Q_EMIT items->aboutToShow();
    for (QAction *item : items->actions()) {
        if (item->data().toString() == FieldId::Phone && !item->isChecked())
            item->trigger();
    }
    endTurn();
    m_first = int(table().subContactTable().indexOf(*std::ranges::find_if(table().subContactTable(),
        [this](const SubContactRecordPtr &each) { return each->uniqueId == m_id && each->labelIndex == 0; })));
    ASSERT_EQ(cell(m_first), u"+1 555 1055"_s);
    type(m_first, u"0312345678"_s);
    table().selectRowIndexes({m_first});
    Q_EMIT window().editMenu()->aboutToShow();
    QAction *pattern = nullptr;
    for (QAction *item : window().contactCommands()->phoneFormatMenu()->actions()) {
        if (item->text() == u"(123) 456-7890"_s)
            pattern = item;
    }
    ASSERT_NE(pattern, nullptr);
    ASSERT_TRUE(pattern->isEnabled());
    pattern->trigger();
    endTurn();
    EXPECT_EQ(cell(m_first), u"(031) 234-5678"_s);
    expectUndoAndRedo(u"0312345678"_s, u"(031) 234-5678"_s);
}

} // namespace
