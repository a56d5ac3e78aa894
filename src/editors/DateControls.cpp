#include "editors/DateControls.h"

#include "model/ValueRecordFormatter.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>

namespace {

constexpr int maximumYear = 2900;

// Digits only, never above the largest year: a keystroke that would go past
// it is refused rather than left for the field to reject later.
class YearValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int & /*position*/) const override
    {
        if (input.isEmpty())
            return Intermediate;
        bool ok = false;
        const int year = input.toInt(&ok);
        if (!ok || year < 0 || year > maximumYear
            || std::any_of(input.cbegin(), input.cend(), [](QChar c) { return !c.isDigit(); }))
            return Invalid;
        return Acceptable;
    }
};

} // namespace

DateControls::DateControls(QWidget *editor)
    : QObject(editor)
    , m_yearField(new QLineEdit(editor))
    , m_monthPopup(new QComboBox(editor))
    , m_datePicker(new QDateEdit(editor))
{
    m_yearField->setValidator(new YearValidator(m_yearField));
    m_yearField->setMaximumWidth(64);
    m_monthPopup->addItems(monthTitles());
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    m_datePicker->setMinimumDate(QDate(100, 1, 1));
    showDate(m_date);

    connect(m_monthPopup, &QComboBox::activated, this, &DateControls::monthActivated);
    connect(m_yearField, &QLineEdit::textEdited, this, &DateControls::yearEdited);
    connect(m_datePicker, &QDateEdit::dateChanged, this, &DateControls::pickerChanged);
}

void DateControls::setDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_date = date;
    const QSignalBlocker blocker(m_datePicker);
    m_datePicker->setDate(date);
}

void DateControls::showDate(const QDate &date)
{
    setDate(date);
    bool ok = false;
    if (m_yearField->text().toInt(&ok) != date.year() || !ok)
        m_yearField->setText(QString::number(date.year()));
    m_monthPopup->setCurrentIndex(date.month() - 1);
}

QString DateControls::updateUIFromDateComponents(const std::optional<StoreDateComponents> &components)
{
    QDate date;
    // Missing parts count as 1, as the model's display text counts them.
    if (components && !components->isEmpty())
        date = QDate(components->year.value_or(1), components->month.value_or(1), components->day.value_or(1));
    if (!date.isValid())
        date = QDate::currentDate();
    showDate(date);
    const int year = components ? components->year.value_or(0) : 0;
    const int month = components ? components->month.value_or(0) : 0;
    m_yearField->setText(QString::number(year));
    m_monthPopup->setCurrentIndex(month >= 1 && month <= 12 ? month - 1 : -1);
    return dateString(date);
}

void DateControls::setEnabled(bool enabled)
{
    m_yearField->setEnabled(enabled);
    m_monthPopup->setEnabled(enabled);
    m_datePicker->setEnabled(enabled);
}

void DateControls::monthActivated(int index)
{
    const QDate date = withMonth(m_date, index + 1);
    if (!date.isValid())
        return;
    showDate(date);
    Q_EMIT dateChosen(date, Source::Month);
}

void DateControls::yearEdited(const QString &text)
{
    bool ok = false;
    const int year = text.toInt(&ok);
    const QDate date = ok ? withYear(m_date, year) : QDate();
    if (!date.isValid())
        return;
    showDate(date);
    Q_EMIT dateChosen(date, Source::Year);
}

void DateControls::pickerChanged(const QDate &date)
{
    if (!date.isValid())
        return;
    showDate(date);
    Q_EMIT dateChosen(date, Source::Picker);
}

std::optional<QDate> DateControls::dateFromString(const QString &text)
{
    static const QString formats[]
        = {QStringLiteral("yyyy.M.d(ddd)"), QStringLiteral("yyyy.M.d ddd"), QStringLiteral("yyyy.M.d")};
    const QLocale locale;
    const QString trimmed = text.trimmed();
    for (const QString &format : formats) {
        const QDate date = locale.toDate(trimmed, format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

QString DateControls::dateString(const QDate &date)
{
    return ValueRecordFormatter::dateStringFromDateComponents(StoreDateComponents::fromDate(date));
}

QStringList DateControls::monthTitles()
{
    const QLocale locale;
    QStringList titles;
    for (int month = 1; month <= 12; ++month) {
        const QDate first = QDate::fromString(QStringLiteral("2016.%1.1").arg(month), QStringLiteral("yyyy.M.d"));
        titles.append(locale.toString(first, QStringLiteral("MMM")));
    }
    return titles;
}

QDate DateControls::withMonth(const QDate &date, int month)
{
    const QDate first(date.year(), month, 1);
    return first.isValid() ? QDate(date.year(), month, std::min(date.day(), first.daysInMonth())) : QDate();
}

QDate DateControls::withYear(const QDate &date, int year)
{
    const QDate first(year, date.month(), 1);
    return first.isValid() ? QDate(year, date.month(), std::min(date.day(), first.daysInMonth())) : QDate();
}
