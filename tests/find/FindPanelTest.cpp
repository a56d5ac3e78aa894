#include "FindTestContacts.h"
#include "ViewControllerFixture.h"
#include "common/Screenshot.h"

#include "editors/DatesTableModel.h"
#include "editors/DatesViewController.h"
#include "editors/ValueEditor.h"
#include "find/FindPanel.h"
#include "find/FindResultsModel.h"
#include "find/FindValueDelegate.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace FindTestContacts;

namespace {

// The panel over the fixture's window, the contacts c0–c2 holding "ab" in
// their notes and phones.
class FindPanelTest : public ViewControllerTest {
protected:
    void SetUp() override
    {
        ViewControllerTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            MVPerson &person = *top()->contactTable->at(i)->person;
            person.setValue(QStringLiteral("ab ab\nnote %1").arg(i), FieldId::Note);
            addValue(person, FieldId::Phone, QStringLiteral("home"), QStringLiteral("ab-%1").arg(i));
        }
        m_panel.setContacts(QList<PersonRecordPtr>(top()->contactTable->begin(), top()->contactTable->end()));
        m_panel.setValueEditorDelegate(&m_controller);
        m_panel.setSearchString(QStringLiteral("ab"));
        m_panel.updateTable();
        m_panel.show();
    }

    void choose(QPushButton *popup, const QString &title)
    {
        for (QAction *action : popup->menu()->actions()) {
            if (action->text() == title) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << title.toStdString();
    }

    // Whether any hit in the list is painted as the current one.
    [[nodiscard]] bool showsCurrentMatch() const
    {
        const QImage shot = m_panel.tableView()->viewport()->grab().toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == FindValueDelegate::CurrentMatchColor)
                    return true;
            }
        }
        return false;
    }

    [[nodiscard]] QString note(int i) const
    {
        return top()->contactTable->at(i)->person->stringValues()->value(FieldId::Note);
    }

    FindPanel m_panel;
};

TEST_F(FindPanelTest, ScopeChoicesTitleThePullDown)
{
    EXPECT_EQ(m_panel.itemPopup()->text(), QStringLiteral("Items - All"));
    choose(m_panel.itemPopup(), QStringLiteral("Phone"));
    choose(m_panel.itemPopup(), QStringLiteral("Email"));
    EXPECT_EQ(m_panel.itemPopup()->text(), QStringLiteral("Items - Phone + Email"));
    EXPECT_EQ(m_panel.results()->rowCount(), 3);
    choose(m_panel.itemPopup(), QStringLiteral("All"));
    EXPECT_EQ(m_panel.selectedItems(), QStringList{QStringLiteral("All")});
    EXPECT_EQ(m_panel.results()->rowCount(), 6);
    Screenshot::grab(&m_panel);
}

// Replace passes over a hit its own text makes; a row chosen with the keys is
// the one it writes.
TEST_F(FindPanelTest, NextAndPreviousWrapAndReplaceWritesTheCurrentHit)
{
    FindResultsModel &results = *m_panel.results();
    QTest::mouseClick(m_panel.previousButton(), Qt::LeftButton);
    EXPECT_EQ(results.selectedRow(), 5);
    QTest::mouseClick(m_panel.nextButton(), Qt::LeftButton);
    EXPECT_EQ(std::pair(results.selectedRow(), results.selectedRangeIndex()), std::pair(0, 0));
    QTest::keyClicks(m_panel.replaceField(), QStringLiteral("Xab"));
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_EQ(note(0), QStringLiteral("Xab ab\nnote 0"));
    EXPECT_EQ(results.rows().at(0)->ranges, (QList<TextRange>{{1, 2}, {4, 2}}));
    EXPECT_EQ(std::pair(results.selectedRow(), results.selectedRangeIndex()), std::pair(0, 1));
    QTest::mouseClick(m_panel.nextButton(), Qt::LeftButton);
    EXPECT_EQ(results.selectedRow(), 1);
    m_panel.tableView()->setFocus();
    QTest::keyClick(m_panel.tableView(), Qt::Key_Down);
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_EQ(note(1), QStringLiteral("Xab ab\nnote 1"));
}

TEST_F(FindPanelTest, ReplaceAllIsTakenBackByTheUndoKeyInThePanelAndByOneUndoOfTheWindow)
{
    EXPECT_TRUE(showsCurrentMatch());
    QTest::keyClicks(m_panel.replaceField(), QStringLiteral("Y"));
    QTest::mouseClick(m_panel.replaceAllButton(), Qt::LeftButton);
    EXPECT_EQ(note(2), QStringLiteral("Y Y\nnote 2"));
    EXPECT_EQ(top()->contactTable->at(2)->person->phoneValues()->first()->valueText(), QStringLiteral("Y-2"));
    EXPECT_FALSE(showsCurrentMatch());
    // Without a current match Replace writes nothing.
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_EQ(note(0), QStringLiteral("Y Y\nnote 0"));
    QTest::keyClick(m_panel.tableView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(note(2), QStringLiteral("ab ab\nnote 2"));
    EXPECT_EQ(m_panel.results()->rows().at(0)->ranges.size(), 2);

    // Again: one refresh of a table pane, and one Undo of the window after closing.
    m_log.clear();
    QTest::mouseClick(m_panel.replaceAllButton(), Qt::LeftButton);
    endTurn();
    EXPECT_EQ(m_log.count(QStringLiteral("table.updateTable")), 1)
        << m_log.calls().join(QLatin1Char('\n')).toStdString();
    QTest::mouseClick(m_panel.closeButton(), Qt::LeftButton);
    m_controller.undoManager()->undo();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(note(i), QStringLiteral("ab ab\nnote %1").arg(i));
    EXPECT_EQ(top()->contactTable->at(2)->person->phoneValues()->first()->valueText(), QStringLiteral("ab-2"));
}

// A replace that removed a hit leaves the position past the row's hits; a
// sort keeps the row, and Previous steps back onto a hit that exists.
TEST_F(FindPanelTest, PreviousAfterASortNeverReadsPastRowsOrRanges)
{
    QTest::keyClicks(m_panel.replaceField(), QStringLiteral("zz")); // sorts last
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_EQ(m_panel.results()->selectedRangeIndex(), 1);
    EXPECT_FALSE(m_panel.results()->hasCurrentMatch());
    QHeaderView *header = m_panel.tableView()->horizontalHeader();
    const int value = FindResultsModel::ValueColumn;
    const QPoint title(header->sectionViewportPosition(value) + header->sectionSize(value) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    ASSERT_EQ(m_panel.results()->selectedRow(), 5);
    EXPECT_EQ(m_panel.results()->rows().at(m_panel.results()->selectedRow())->contact, top()->contactTable->at(0));
    QTest::mouseClick(m_panel.previousButton(), Qt::LeftButton);
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_EQ(note(0), QStringLiteral("zz zz\nnote 0"));

    m_panel.searchField()->clear();
    QTest::keyClicks(m_panel.searchField(), QStringLiteral("qq"));
    QTest::keyClick(m_panel.searchField(), Qt::Key_Return);
    ASSERT_EQ(m_panel.results()->rowCount(), 0);
    QTest::mouseClick(m_panel.previousButton(), Qt::LeftButton);
    QTest::mouseClick(m_panel.replaceButton(), Qt::LeftButton);
    EXPECT_FALSE(m_panel.results()->hasCurrentMatch());
}

TEST_F(FindPanelTest, InListEditingOnlyWhileEditingKeepsLineBreaks)
{
    const QModelIndex value = m_panel.results()->index(0, FindResultsModel::ValueColumn);
    const QRect cell = m_panel.tableView()->visualRect(value);
    QTest::mouseDClick(m_panel.tableView()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(m_panel.tableView()->findChild<QPlainTextEdit *>(), nullptr);
    QTest::mouseClick(m_panel.editButton(), Qt::LeftButton);
    QTest::mouseDClick(m_panel.tableView()->viewport(), Qt::LeftButton, {}, cell.center());
    auto *editor = m_panel.tableView()->findChild<QPlainTextEdit *>();
    ASSERT_NE(editor, nullptr);
    Screenshot::grab(&m_panel, QStringLiteral("editing"));
    QTest::keyClicks(editor, QStringLiteral("one"));
    QTest::keyClick(editor, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClicks(editor, QStringLiteral("two"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(note(0), QStringLiteral("one\ntwo"));
    EXPECT_EQ(m_panel.results()->data(value, Qt::SizeHintRole).toSize().height(), 48);
}

// A date row opens its editor in a popover; what the editor hands back
// reaches the contact and the row.
TEST_F(FindPanelTest, DateRowsAreEditedThroughTheirPopovers)
{
    MVPerson &person = *top()->contactTable->at(0)->person;
    person.setValue(QDate(1990, 1, 2), FieldId::Birthday);
    LabeledValueRecord anniversary;
    anniversary.label = QStringLiteral("命日"); // a label the window no longer lists
    anniversary.value = StoreDateComponents::fromDate(QDate(1990, 5, 6));
    person.addLabeledValue(anniversary, FieldId::Dates);
    m_panel.setDateLabels({QStringLiteral("anniversary"), QStringLiteral("結婚記念日")});
    m_panel.setSearchString(QStringLiteral("1990"));
    m_panel.updateTable();
    ASSERT_EQ(m_panel.results()->rowCount(), 2);
    QTest::mouseClick(m_panel.editButton(), Qt::LeftButton);
    for (int row = 0; row < 2; ++row) {
        const bool birthday = m_panel.results()->rows().at(row)->item == FieldId::Birthday;
        const QRect cell = m_panel.tableView()->visualRect(m_panel.results()->index(row, 0));
        QTest::mouseClick(m_panel.tableView()->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_FALSE(m_panel.replaceButton()->isEnabled());
        QTest::mouseDClick(m_panel.tableView()->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_TRUE(m_panel.popover() && m_panel.popover()->isShown());
        auto *editor = qobject_cast<ValueEditor *>(m_panel.popover()->contentWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(m_panel.popover()->contentSize(), birthday ? QSize(340, 284) : QSize(340, 392));
        if (birthday) {
            BirthdayRecord chosen;
            chosen.value = StoreDateComponents::fromDate(QDate(2001, 2, 3));
            editor->contextInfo()->value = chosen;
        } else {
            // The window's date labels, and the row's own.
            auto *dates = qobject_cast<DatesViewController *>(editor);
            ASSERT_NE(dates, nullptr);
            EXPECT_EQ(dates->table()->labels(),
                (QStringList{QStringLiteral("anniversary"), QStringLiteral("結婚記念日"), QStringLiteral("命日")}));
            EXPECT_EQ(dates->table()->index(dates->selectedRow(), DatesTableModel::LabelColumn).data(),
                QStringLiteral("命日"));
            editor->contextInfo()->value = LabeledValueList{}; // the date deleted
        }
        editor->contextInfo()->dirty = true;
        m_panel.popover()->close();
        EXPECT_EQ(m_panel.results()->rows().at(row)->value, birthday ? person.birthdayValue()->stringValue : QString());
    }
    EXPECT_TRUE(person.birthdayValue()->stringValue.contains(QStringLiteral("2001")));
    EXPECT_TRUE(person.datesValues()->isEmpty());
}

// Replace All writes no date, nor a value whose hit differs only in case.
TEST_F(FindPanelTest, ReplaceAllLeavesDatesAndValuesDifferingOnlyInCase)
{
    MVPerson &person = *top()->contactTable->at(0)->person;
    person.setValue(QDate(1990, 1, 2), FieldId::Birthday);
    const QString birthday = person.birthdayValue()->stringValue;
    for (const auto &[search, replacement] : {std::pair("AB", "x"), std::pair("1990", "2000")}) {
        m_panel.searchField()->clear();
        QTest::keyClicks(m_panel.searchField(), QString::fromLatin1(search));
        QTest::keyClick(m_panel.searchField(), Qt::Key_Return);
        ASSERT_GT(m_panel.results()->rowCount(), 0) << search;
        m_panel.replaceField()->clear();
        QTest::keyClicks(m_panel.replaceField(), QString::fromLatin1(replacement));
        QTest::mouseClick(m_panel.replaceAllButton(), Qt::LeftButton);
        endTurn();
    }
    EXPECT_EQ(note(0), QStringLiteral("ab ab\nnote 0"));
    EXPECT_EQ(person.phoneValues()->first()->valueText(), QStringLiteral("ab-0"));
    EXPECT_EQ(person.birthdayValue()->stringValue, birthday);
    EXPECT_FALSE(m_controller.undoManager()->canUndo());
    EXPECT_FALSE(m_panel.results()->undoManager()->canUndo());
}

TEST(FindPanelClose, EveryWayEndsTheModalRun)
{
    const std::function<void(FindPanel &)> ways[]
        = {[](FindPanel &p) { QTest::mouseClick(p.closeButton(), Qt::LeftButton); },
            [](FindPanel &p) { QTest::keyClick(&p, Qt::Key_Escape); }, [](FindPanel &p) { p.close(); }};
    for (const auto &close : ways) {
        FindPanel panel;
        QTimer::singleShot(0, &panel, [&] { close(panel); });
        panel.exec();
        EXPECT_FALSE(panel.isVisible());
    }
}

} // namespace
