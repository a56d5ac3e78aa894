#include "EditorHarness.h"

#include "editors/DateViewController.h"

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

TEST_F(BirthdayEditor, OpensOnABirthdayStoredOnlyAsText)
{
    m_contact->person->setBirthdayValue(
        std::make_shared<BirthdayRecord>(BirthdayRecord{std::nullopt, text(2001, 2, 3)}));
    open();
    EXPECT_EQ(shown(), u"2001 2 2001-02-03 " + text(2001, 2, 3));
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
    for (const bool pressReturn : {true, false}) {
        open();
        EditorHarness::type(m_editor->dateField(), QStringLiteral("2001.2.3"));
        if (pressReturn) {
            QTest::keyClick(m_editor->dateField(), Qt::Key_Return);
            EXPECT_EQ(m_editor->selectedBirthday(), (StoreDateComponents{2001, 2, 3}));
            EXPECT_EQ(shown(), u"2001 2 2001-02-03 " + text(2001, 2, 3));
            EXPECT_TRUE(m_editor->doneButton()->isEnabled());
        }
        done();
        EXPECT_FALSE(m_harness.isOpen());
        EXPECT_EQ(stored(), u"2001-02-03 " + text(2001, 2, 3));
    }
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

TEST_F(BirthdayEditor, YearFieldRefusesAYearAbove2900)
{
    open();
    EditorHarness::type(m_editor->yearField(), QStringLiteral("29001"));
    EXPECT_EQ(m_editor->yearField()->text(), QStringLiteral("2900"));
    EXPECT_EQ(m_editor->datePicker()->date(), QDate(2900, 1, 31));
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

} // namespace
