#pragma once

#include "editors/DateControls.h"
#include "editors/ValueEditor.h"

#include <QStringList>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

// The birthday editor: the date as text, a year field, a month pop-up and a
// date picker that follow each other, and Clear. Done while editing hands
// back a BirthdayRecord: the date and its text, or, cleared, no date and an
// empty text.
class DateViewController : public ValueEditor {
    Q_OBJECT

public:
    explicit DateViewController(QWidget *parent = nullptr);

    [[nodiscard]] QComboBox *labelPopup() const { return m_labelPopup; }
    [[nodiscard]] QLineEdit *dateField() const { return m_dateField; }
    [[nodiscard]] QLineEdit *yearField() const { return m_dateControls->yearField(); }
    [[nodiscard]] QComboBox *monthPopup() const { return m_dateControls->monthPopup(); }
    [[nodiscard]] QDateEdit *datePicker() const { return m_dateControls->datePicker(); }
    [[nodiscard]] QPushButton *clearButton() const { return m_clearButton; }
    // The birthday the editor holds, or none.
    [[nodiscard]] const std::optional<StoreDateComponents> &selectedBirthday() const { return m_selectedBirthday; }

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    [[nodiscard]] bool doneTakesReturnAtToggle() const override { return false; }

private:
    QString updateUIFromDateComponents(const std::optional<StoreDateComponents> &components);
    void dateChosen(const QDate &date, DateControls::Source source);
    void textEntered();
    void enterDate(const QDate &date);
    void updateClearButton();

    QComboBox *m_labelPopup = nullptr;
    QLineEdit *m_dateField = nullptr;
    QPushButton *m_clearButton = nullptr;
    DateControls *m_dateControls = nullptr;
    QStringList m_labels;
    ContactIdentifier m_type = FieldId::Birthday;
    std::optional<StoreDateComponents> m_selectedBirthday;
};
