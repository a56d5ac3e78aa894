#pragma once

#include "editors/NamePartsEditor.h"

class QComboBox;

// The name editor: first, middle and last name and whether the contact shows
// as a person or as its company; the previous family name, the company and
// the name ordering are shown and never changed. Done while editing hands
// back a NameRecord that keeps the stored previous family name, since the
// contact takes the record whole.
class NameViewController : public NamePartsEditor {
    Q_OBJECT

public:
    explicit NameViewController(QWidget *parent = nullptr);

    [[nodiscard]] QLineEdit *previousFamilyNameField() const { return m_previousFamilyNameField; }
    [[nodiscard]] QComboBox *nameOrderingPopup() const { return m_nameOrderingPopup; }
    [[nodiscard]] QComboBox *showAsPersonPopup() const { return m_showAsPersonPopup; }

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;
    bool writeResult() override;
    void partsEdited() override;

private:
    // The record Done hands back; the name at the top follows it.
    NameRecord updateNameDict();

    QLineEdit *m_previousFamilyNameField = nullptr;
    QComboBox *m_nameOrderingPopup = nullptr;
    QComboBox *m_showAsPersonPopup = nullptr;
    QLineEdit *m_companyField = nullptr;
    QString m_previousFamilyName;
};
