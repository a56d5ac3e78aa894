#include "EditorHarness.h"

#include "common/Screenshot.h"
#include "editors/CustomLabelView.h"
#include "editors/DateViewController.h"
#include "editors/DatesTableModel.h"
#include "editors/DatesViewController.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLocale>

namespace {

class BirthdayEditor : public EditorTest<DateViewController> {
protected:
    DateViewController *open() { return EditorTest::open(FieldId::Birthday, QSize(340, 284)); }
    void setBirthday(const PersonValue &value) { m_contact->person->setValue(value, FieldId::Birthday); }
    // The editor's year, month, picker and text, or the result's parts and text.
    [[nodiscard]] QString shown() const
    {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(m_editor->yearField()->text())
            .arg(m_editor->monthPopup()->currentIndex() + 1)
            .arg(m_editor->datePicker()->date().toString(Qt::ISODate), m_editor->dateField()->text());
    }
    [[nodiscard]] QString stored() const
    {
        const BirthdayRecord record = result<BirthdayRecord>();
        return (record.value ? record.value->date().toString(Qt::ISODate) : QStringLiteral("none")) + u' '
            + record.stringValue;
    }
    static QString text(int year, int month, int day) { return DateControls::dateString(QDate(year, month, day)); }
};

TEST_F(BirthdayEditor, OpensOnABirthdayStoredOnlyAsTextAndTakesNoYearAbove2900)
{
    m_contact->person->setBirthdayValue(
        std::make_shared<BirthdayRecord>(BirthdayRecord{std::nullopt, text(2001, 2, 3)}));
    open();
    EXPECT_EQ(shown(), u"2001 2 2001-02-03 " + text(2001, 2, 3));
    // The year field refuses a year above 2900.
    EditorHarness::type(m_editor->yearField(), QStringLiteral("29001"));
    EXPECT_EQ(shown(), u"2900 2 2900-02-03 " + text(2900, 2, 3));
}

TEST_F(BirthdayEditor, ClearDeletesAStoredBirthdayAndChangesNothingWithoutOne)
{
    for (const bool stored : {true, false}) {
        if (!stored)
            setBirthday({});
        open();
        QTest::mouseClick(m_editor->clearButton(), Qt::LeftButton);
        done();
        EXPECT_FALSE(m_harness.isOpen());
        EXPECT_EQ(m_context->dirty, stored);
        if (stored) {
            EXPECT_EQ(this->stored(), QStringLiteral("none "));
        }
    }
}

TEST_F(BirthdayEditor, AnotherMonthKeepsTheDayInItAndDoneStoresIt)
{
    setBirthday(StoreDateComponents{2023, 1, 31});
    open();
    QTest::keyClick(m_editor->monthPopup(), Qt::Key_Down);
    EXPECT_EQ(shown(), u"2023 2 2023-02-28 " + text(2023, 2, 28));
    done();
    EXPECT_EQ(stored(), u"2023-02-28 " + text(2023, 2, 28));
}

// Done enters a typed date as Return does.
TEST_F(BirthdayEditor, TypedDateIsEnteredByReturnAndByDone)
{
    open();
    EditorHarness::type(m_editor->dateField(), QStringLiteral("2001.2.3"));
    QTest::keyClick(m_editor->dateField(), Qt::Key_Return);
    EXPECT_EQ(m_editor->selectedBirthday(), (StoreDateComponents{2001, 2, 3}));
    EXPECT_EQ(shown(), u"2001 2 2001-02-03 " + text(2001, 2, 3));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
    EditorHarness::type(m_editor->dateField(), QStringLiteral("2002.3.4"));
    done();
    EXPECT_FALSE(m_harness.isOpen());
    EXPECT_EQ(stored(), u"2002-03-04 " + text(2002, 3, 4));
}

TEST_F(BirthdayEditor, DoneOnTextThatReadsAsNoDateKeepsTheEditorOpen)
{
    open();
    EditorHarness::type(m_editor->dateField(), QStringLiteral("someday"));
    done();
    EXPECT_TRUE(m_harness.isOpen());
    EXPECT_FALSE(m_context->dirty);
    EXPECT_EQ(m_editor->dateField()->selectedText(), QStringLiteral("someday"));
    EXPECT_EQ(QApplication::focusWidget(), m_editor->dateField());
}

TEST(DateText, ReadsTheThreeFormatsWithOneOrTwoDigitMonthAndDay)
{
    const QString monday = QLocale().dayName(1, QLocale::ShortFormat);
    const std::pair<QString, QDate> rows[]
        = {{u"2024.05.06(" + monday + u')', QDate(2024, 5, 6)}, {u"2024.05.06 " + monday, QDate(2024, 5, 6)},
            {QStringLiteral("2024.05.06"), QDate(2024, 5, 6)}, {QStringLiteral(" 2024.5.6 "), QDate(2024, 5, 6)},
            {QStringLiteral("24.5.6"), QDate()}, {QStringLiteral("2024.13.1"), QDate()},
            {QStringLiteral("2023.2.29"), QDate()}, {QStringLiteral("May 6, 2024"), QDate()}};
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(DateControls::dateFromString(text).value_or(QDate()), expected) << text.toStdString();
}

// The contact's dates are 2001-06-01, 2005-01-10 and 2010-12-24, numbered 0, 1, 2.
class DatesEditor : public EditorTest<DatesViewController> {
protected:
    DatesViewController *open(std::optional<qint64> labelIndex = std::nullopt)
    {
        return EditorTest::open(FieldId::Dates, QSize(340, 392), labelIndex);
    }
    [[nodiscard]] QModelIndex cell(int row, int column) const { return m_editor->table()->index(row, column); }
    template <typename Field> Field *editCell(int row, int column)
    {
        clickCell(row, DatesTableModel::DateColumn);
        m_editor->tableView()->edit(cell(row, column));
        return m_editor->tableView()->viewport()->template findChild<Field *>();
    }

    const QString m_today = QDate::currentDate().toString(Qt::ISODate);
};

TEST_F(DatesEditor, OpenedWithoutDatesWhileEditingAddsTodayUnderTheFirstLabel)
{
    m_contact->person->setValue(LabeledValueList(), FieldId::Dates);
    open();
    EXPECT_EQ(m_editor->table()->rows().value(0)->labelText(), QStringLiteral("anniversary"));
    done();
    EXPECT_TRUE(m_context->dirty);
    EXPECT_EQ(datesOf(m_context->value), QStringList{QStringLiteral("-1:") + m_today});
}

TEST_F(DatesEditor, DateTypedIntoACellIsReadAndShownWithItsWeekday)
{
    open();
    auto *field = editCell<QLineEdit>(0, DatesTableModel::DateColumn);
    ASSERT_TRUE(field);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("2024.5.6"));
    QTest::keyClick(field, Qt::Key_Return);
    // The view commits an edit ended by Return on the next turn.
    QCoreApplication::processEvents();
    EXPECT_EQ(datesOf(m_editor->table()->rows()).value(0), QStringLiteral("0:2024-05-06"));
    EXPECT_EQ(cell(0, DatesTableModel::DateColumn).data().toString(), DateControls::dateString(QDate(2024, 5, 6)));
    EXPECT_EQ(m_editor->datePicker()->date(), QDate(2024, 5, 6));
    EXPECT_TRUE(m_editor->doneButton()->isEnabled());
}

TEST_F(DatesEditor, MonthPopupMovesTheSelectedRowKeepingYearAndDay)
{
    open();
    clickCell(1, DatesTableModel::DateColumn);
    QTest::keyClick(m_editor->monthPopup(), Qt::Key_Down);
    QTest::keyClick(m_editor->monthPopup(), Qt::Key_Down);
    EXPECT_EQ(m_editor->monthPopup()->currentIndex(), 2);
    done();
    EXPECT_EQ(datesOf(m_context->value).join(u' '), QStringLiteral("0:2001-06-01 1:2005-03-10 2:2010-12-24"));
}

TEST_F(DatesEditor, DeleteRemovesEverySelectedRowAndAnAddedRowIsUnnumbered)
{
    open();
    clickCell(0, DatesTableModel::DateColumn);
    clickCell(2, DatesTableModel::DateColumn, Qt::ControlModifier);
    QTest::mouseClick(m_editor->delButton(), Qt::LeftButton);
    EXPECT_EQ(datesOf(m_editor->table()->rows()), QStringList{QStringLiteral("1:2005-01-10")});
    // The next number is the contact's to give: 1 is still taken.
    QTest::mouseClick(m_editor->addButton(), Qt::LeftButton);
    done();
    EXPECT_EQ(datesOf(m_context->value).join(u' '), QStringLiteral("1:2005-01-10 -1:") + m_today);
}

TEST_F(DatesEditor, SelectsTheRowOfTheValuesOwnNumber)
{
    m_contact->person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Dates, 1);
    // The first; a number after a deleted one; a new value.
    for (const auto &[labelIndex, row] : {std::pair(0, 0), std::pair(2, 1), std::pair(-1, -1)}) {
        open(labelIndex);
        EXPECT_EQ(m_editor->selectedRow(), row) << labelIndex;
    }
}

TEST_F(DatesEditor, CustomLabelChosenInTheLabelPopupLabelsTheSelectedRow)
{
    open();
    auto *popup = editCell<QComboBox>(0, DatesTableModel::LabelColumn);
    ASSERT_TRUE(popup);
    QTest::keyClick(popup, Qt::Key_End);
    ASSERT_TRUE(m_editor->customLabelView()->isVisible());
    EXPECT_FALSE(m_editor->doneButton()->isEnabled());
    EXPECT_FALSE(m_editor->addButtonInCustomLabelView()->isEnabled());

    QTest::keyClicks(m_editor->customLabelField(), QStringLiteral("wedding"));
    QTest::keyClick(m_editor->customLabelField(), Qt::Key_Return);
    Screenshot::grab(m_editor);
    QTest::mouseClick(m_editor->addButtonInCustomLabelView(), Qt::LeftButton);
    EXPECT_FALSE(m_editor->customLabelView()->isVisible());
    EXPECT_EQ(m_editor->table()->labels().last(), QStringLiteral("wedding"));
    done();
    EXPECT_EQ(std::get<LabeledValueList>(m_context->value).value(0)->labelText(), QStringLiteral("wedding"));
}

} // namespace
