#pragma once

#include "editors/NamePartsEditor.h"

class QComboBox;

// The phonetic name editor: phonetic first, middle and last name, with the
// contact's name ordering shown and never changed. The name at the top
// follows the typed parts. Done while editing hands back a
// PhoneticNameRecord.
class PhoneticNameViewController : public NamePartsEditor {
    Q_OBJECT

public:
    explicit PhoneticNameViewController(QWidget *parent = nullptr);

    [[nodiscard]] QComboBox *nameOrderingPopup() const { return m_nameOrderingPopup; }

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override { setPartsEditable(editing); }
    bool writeResult() override;
    void partsEdited() override;

private:
    QComboBox *m_nameOrderingPopup = nullptr;
};
