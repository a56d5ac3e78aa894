#pragma once

#include "editors/ValueEditor.h"
#include "model/NameRecord.h"

class QLineEdit;

// What the name and phonetic name editors share: first, middle and last name
// fields, editable while editing, emptied with the name at the top after
// Done or Cancel.
class NamePartsEditor : public ValueEditor {
    Q_OBJECT

public:
    explicit NamePartsEditor(QWidget *parent = nullptr);

    [[nodiscard]] QLineEdit *firstNameField() const { return m_firstNameField; }
    [[nodiscard]] QLineEdit *middleNameField() const { return m_middleNameField; }
    [[nodiscard]] QLineEdit *lastNameField() const { return m_lastNameField; }

protected:
    // Puts each part that holds text into its field; an empty part leaves
    // the field as it is.
    void showParts(const QString &firstName, const QString &middleName, const QString &lastName);
    void setPartsEditable(bool editable);
    // The three fields' texts as a name record, nothing else set.
    [[nodiscard]] NameRecord typedName() const;
    // The user typed in one of the three fields.
    virtual void partsEdited() = 0;
    void didFinish() override;

private:
    QLineEdit *m_firstNameField = nullptr;
    QLineEdit *m_middleNameField = nullptr;
    QLineEdit *m_lastNameField = nullptr;
};
