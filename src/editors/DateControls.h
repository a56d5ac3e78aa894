#pragma once

#include "platform/contacts/StoreDateComponents.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QWidget;

// The year field, month pop-up and date picker through which both date
// editors show and change one date, and the date texts they read and write.
// The picker's date is kept here, so that a year the picker cannot show
// (it starts at the year 100) is not lost while the year is being typed.
class DateControls : public QObject {
    Q_OBJECT

public:
    enum class Source { Month, Year, Picker };

    // The controls are made as children of the editor.
    explicit DateControls(QWidget *editor);

    [[nodiscard]] QLineEdit *yearField() const { return m_yearField; }
    [[nodiscard]] QComboBox *monthPopup() const { return m_monthPopup; }
    [[nodiscard]] QDateEdit *datePicker() const { return m_datePicker; }

    // The date the picker holds.
    [[nodiscard]] QDate date() const { return m_date; }
    // The picker alone moves to the date.
    void setDate(const QDate &date);
    // The picker shows the parts' date (today when they make none), the year
    // field their year (0 when none) and the pop-up their month (none
    // selected when none). Answers the shown date's text.
    QString updateUIFromDateComponents(const std::optional<StoreDateComponents> &components);
    void setEnabled(bool enabled);

    // "yyyy.MM.dd(EEE)", "yyyy.MM.dd EEE" or "yyyy.MM.dd" in the user's
    // locale, month and day of one or two digits; the first that reads wins.
    [[nodiscard]] static std::optional<QDate> dateFromString(const QString &text);
    // The model's display text of a date.
    [[nodiscard]] static QString dateString(const QDate &date);
    // The short month names, January first.
    [[nodiscard]] static QStringList monthTitles();
    // The date in another month or year; a day past that month's end becomes
    // its last day. Invalid when the year makes no date.
    [[nodiscard]] static QDate withMonth(const QDate &date, int month);
    [[nodiscard]] static QDate withYear(const QDate &date, int year);

Q_SIGNALS:
    // The user changed the date with one of the three controls, which show
    // it already.
    void dateChosen(const QDate &date, DateControls::Source source);

private:
    void showDate(const QDate &date);
    void monthActivated(int index);
    void yearEdited(const QString &text);
    void pickerChanged(const QDate &date);

    QDate m_date = QDate::currentDate();
    QLineEdit *m_yearField = nullptr;
    QComboBox *m_monthPopup = nullptr;
    QDateEdit *m_datePicker = nullptr;
};
