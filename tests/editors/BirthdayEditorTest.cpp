#include "EditorHarness.h"
#include "EditorTestContacts.h"

#include "common/QtPrinting.h"
#include "editors/DateViewController.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

class BirthdayEditor : public testing::Test {
protected:
    DateViewController *open()
    {
        m_context = EditorHarness::context(m_contact, FieldId::Birthday);
        return m_harness.open<DateViewController>(m_context, QSize(340, 284), true);
    }
    void setBirthday(const PersonValue &value) { m_contact->person->setValue(value, FieldId::Birthday); }
    [[nodiscard]] BirthdayRecord result() const
    {
        const auto *record = std::get_if<BirthdayRecord>(&m_context->value);
        EXPECT_TRUE(record);
        return record ? *record : BirthdayRecord();
    }

    EditorHarness m_harness;
    ContactRecordPtr m_contact = testContact();
    PopoverContextInfoPtr m_context;
};

TEST_F(BirthdayEditor, OpensOnABirthdayStoredOnlyAsText)
{
    const QString text = DateControls::dateString(QDate(2001, 2, 3));
    m_contact->person->setBirthdayValue(std::make_shared<BirthdayRecord>(BirthdayRecord{std::nullopt, text}));
    DateViewController *editor = open();
    EXPECT_EQ(editor->yearField()->text(), QStringLiteral("2001"));
    EXPECT_EQ(editor->monthPopup()->currentIndex(), 1);
    EXPECT_EQ(editor->datePicker()->date(), QDate(2001, 2, 3));
    EXPECT_EQ(editor->dateField()->text(), text);
}

class BirthdayClear : public BirthdayEditor, public testing::WithParamInterface<bool> { };

TEST_P(BirthdayClear, DeletesAStoredBirthdayAndChangesNothingWithoutOne)
{
    const bool stored = GetParam();
    if (!stored)
        setBirthday({});
    DateViewController *editor = open();
    QTest::mouseClick(editor->clearButton(), Qt::LeftButton);
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(m_harness.isOpen());
    EXPECT_EQ(m_context->dirty, stored);
    if (stored) {
        EXPECT_FALSE(result().value);
        EXPECT_EQ(result().stringValue, QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BirthdayClear, testing::Bool(), [](const auto &info) { return info.param ? "Stored" : "None"; });

TEST_F(BirthdayEditor, AnotherMonthKeepsTheDayInItAndDoneStoresIt)
{
    setBirthday(StoreDateComponents{2023, 1, 31});
    DateViewController *editor = open();
    QTest::keyClick(editor->monthPopup(), Qt::Key_Down);
    const QString february = DateControls::dateString(QDate(2023, 2, 28));
    EXPECT_EQ(editor->datePicker()->date(), QDate(2023, 2, 28));
    EXPECT_EQ(editor->dateField()->text(), february);
    EXPECT_EQ(editor->yearField()->text(), QStringLiteral("2023"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_EQ(result().value, (StoreDateComponents{2023, 2, 28}));
    EXPECT_EQ(result().stringValue, february);
}

TEST_F(BirthdayEditor, ReturnEntersTheTypedDate)
{
    DateViewController *editor = open();
    EditorHarness::type(editor->dateField(), QStringLiteral("2001.2.3"));
    QTest::keyClick(editor->dateField(), Qt::Key_Return);
    EXPECT_EQ(editor->selectedBirthday(), (StoreDateComponents{2001, 2, 3}));
    EXPECT_EQ(editor->dateField()->text(), DateControls::dateString(QDate(2001, 2, 3)));
    EXPECT_EQ(editor->datePicker()->date(), QDate(2001, 2, 3));
    EXPECT_TRUE(editor->doneButton()->isEnabled());
}

TEST_F(BirthdayEditor, DoneStoresATypedDateThatWasNotEntered)
{
    DateViewController *editor = open();
    EditorHarness::type(editor->dateField(), QStringLiteral("2001.2.3"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_FALSE(m_harness.isOpen());
    EXPECT_EQ(result().value, (StoreDateComponents{2001, 2, 3}));
    EXPECT_EQ(result().stringValue, DateControls::dateString(QDate(2001, 2, 3)));
}

TEST_F(BirthdayEditor, DoneOnTextThatReadsAsNoDateKeepsTheEditorOpen)
{
    DateViewController *editor = open();
    EditorHarness::type(editor->dateField(), QStringLiteral("someday"));
    QTest::mouseClick(editor->doneButton(), Qt::LeftButton);
    EXPECT_TRUE(m_harness.isOpen());
    EXPECT_FALSE(m_context->dirty);
    EXPECT_EQ(editor->dateField()->selectedText(), QStringLiteral("someday"));
    EXPECT_EQ(QApplication::focusWidget(), editor->dateField());
}

TEST_F(BirthdayEditor, YearFieldRefusesAYearAbove2900)
{
    DateViewController *editor = open();
    EditorHarness::type(editor->yearField(), QStringLiteral("29001"));
    EXPECT_EQ(editor->yearField()->text(), QStringLiteral("2900"));
    EXPECT_EQ(editor->datePicker()->date(), QDate(2900, 1, 31));
}

struct DateTextRow {
    const char *name;
    QString text;
    QDate expected;
};

void PrintTo(const DateTextRow &row, std::ostream *out)
{
    *out << row.name;
}

class DateText : public testing::TestWithParam<DateTextRow> { };

TEST_P(DateText, ReadsTheThreeFormatsWithOneOrTwoDigitMonthAndDay)
{
    const std::optional<QDate> date = DateControls::dateFromString(GetParam().text);
    EXPECT_EQ(date.value_or(QDate()), GetParam().expected);
}

const QString monday = QLocale().dayName(1, QLocale::ShortFormat);

INSTANTIATE_TEST_SUITE_P(Rows, DateText,
    testing::Values(DateTextRow{"Bracketed", QStringLiteral("2024.05.06(%1)").arg(monday), QDate(2024, 5, 6)},
        DateTextRow{"Spaced", QStringLiteral("2024.05.06 %1").arg(monday), QDate(2024, 5, 6)},
        DateTextRow{"Plain", QStringLiteral("2024.05.06"), QDate(2024, 5, 6)},
        DateTextRow{"OneDigitParts", QStringLiteral(" 2024.5.6 "), QDate(2024, 5, 6)},
        DateTextRow{"TwoDigitYear", QStringLiteral("24.5.6"), QDate()},
        DateTextRow{"NoSuchMonth", QStringLiteral("2024.13.1"), QDate()},
        DateTextRow{"NoSuchDay", QStringLiteral("2023.2.29"), QDate()},
        DateTextRow{"Words", QStringLiteral("May 6, 2024"), QDate()}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
