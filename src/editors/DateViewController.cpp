#include "editors/DateViewController.h"

#include "model/MVPerson.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The person's birthday when it has one, by parts or by text.
std::optional<BirthdayRecord> storedBirthday(MVPerson *person, const ContactIdentifier &type)
{
    if (!person)
        return std::nullopt;
    const PersonValue value = person->valueForIdentifier(type);
    const auto *birthday = std::get_if<BirthdayRecord>(&value);
    if (!birthday || ((!birthday->value || birthday->value->isEmpty()) && birthday->stringValue.isEmpty()))
        return std::nullopt;
    return *birthday;
}

} // namespace

DateViewController::DateViewController(QWidget *parent)
    : ValueEditor(parent)
    , m_labelPopup(new QComboBox(this))
    , m_dateField(new QLineEdit(this))
    , m_clearButton(new QPushButton(tr("Clear"), this))
    , m_dateControls(new DateControls(this))
{
    contactNameField()->setPlaceholderText(tr("Name"));
    auto *textRow = new QHBoxLayout;
    textRow->addWidget(m_labelPopup);
    textRow->addWidget(m_dateField, 1);
    textRow->addWidget(m_clearButton);
    auto *controlRow = new QHBoxLayout;
    controlRow->addWidget(m_dateControls->yearField());
    controlRow->addWidget(m_dateControls->monthPopup());
    controlRow->addWidget(m_dateControls->datePicker(), 1);
    bodyLayout()->addLayout(textRow);
    bodyLayout()->addLayout(controlRow);
    bodyLayout()->addStretch(1);

    connect(m_dateControls, &DateControls::dateChosen, this, &DateViewController::dateChosen);
    connect(m_dateField, &QLineEdit::returnPressed, this, &DateViewController::textEntered);
    connect(m_dateField, &QLineEdit::textEdited, this, [this] {
        updateClearButton();
        userDidChange();
    });
    connect(m_dateControls->yearField(), &QLineEdit::returnPressed, this, &DateViewController::updateClearButton);
    connect(m_clearButton, &QPushButton::clicked, this, [this] {
        m_dateField->clear();
        updateClearButton();
        if (isEditing())
            userDidChange();
    });
    setControlsEditing(false);
}

void DateViewController::fillControls(MVPerson *person, bool /*editable*/)
{
    if (contextInfo() && !contextInfo()->type.isEmpty())
        m_type = contextInfo()->type;
    m_labels = {FieldId::Birthday};
    m_labelPopup->clear();
    m_labelPopup->addItem(tr("Birthday"));
    m_labelPopup->setCurrentIndex(0);

    m_selectedBirthday.reset();
    std::optional<QDate> working = QDate::currentDate();
    if (const std::optional<BirthdayRecord> birthday = storedBirthday(person, m_type)) {
        if (birthday->value && !birthday->value->isEmpty())
            m_selectedBirthday = birthday->value;
        else
            working = DateControls::dateFromString(birthday->stringValue);
    }
    if (!m_selectedBirthday && working)
        m_selectedBirthday = StoreDateComponents::fromDate(*working);
    if (working)
        m_dateControls->setDate(*working);
    updateUIFromDateComponents(m_selectedBirthday);
}

void DateViewController::setControlsEditing(bool editing)
{
    m_dateControls->setEnabled(editing);
    m_dateField->setEnabled(editing);
    updateClearButton();
}

void DateViewController::updateClearButton()
{
    m_clearButton->setEnabled(isEditing() && !m_dateField->text().isEmpty());
}

QString DateViewController::updateUIFromDateComponents(const std::optional<StoreDateComponents> &components)
{
    const QString text = m_dateControls->updateUIFromDateComponents(components);
    m_dateField->setText(text);
    return text;
}

void DateViewController::dateChosen(const QDate &date, DateControls::Source source)
{
    if (source == DateControls::Source::Picker) {
        enterDate(date);
        return;
    }
    // Month and year move the shown date without making it the birthday;
    // Done takes the picker's date.
    m_dateField->setText(DateControls::dateString(date));
    updateClearButton();
    userDidChange();
}

void DateViewController::textEntered()
{
    enterDate(DateControls::dateFromString(m_dateField->text()).value_or(QDate::currentDate()));
}

void DateViewController::enterDate(const QDate &date)
{
    const StoreDateComponents components = StoreDateComponents::fromDate(date);
    // With no birthday yet, the entered date becomes the birthday.
    if (!m_selectedBirthday || m_selectedBirthday->date() != date) {
        updateUIFromDateComponents(components);
        m_selectedBirthday = components;
        setDoneTakesReturn(false);
        userDidChange();
    }
    updateClearButton();
}

bool DateViewController::writeResult()
{
    // Text typed but not entered is entered first, so that the typed date is
    // the one stored; text that reads as no date is not stored at all.
    if (m_dateField->isModified() && !m_dateField->text().trimmed().isEmpty()) {
        const std::optional<QDate> typed = DateControls::dateFromString(m_dateField->text());
        if (!typed) {
            QApplication::beep();
            m_dateField->setFocus();
            m_dateField->selectAll();
            return false;
        }
        const StoreDateComponents components = StoreDateComponents::fromDate(*typed);
        updateUIFromDateComponents(components);
        m_selectedBirthday = components;
    }
    BirthdayRecord record;
    if (!m_dateField->text().isEmpty()) {
        const StoreDateComponents components = StoreDateComponents::fromDate(m_dateControls->date());
        record.value = components;
        record.stringValue = updateUIFromDateComponents(components);
    } else if (!storedBirthday(person(), m_type)) {
        // Nothing to clear.
        return true;
    }
    contextInfo()->value = record;
    contextInfo()->dirty = true;
    return true;
}
