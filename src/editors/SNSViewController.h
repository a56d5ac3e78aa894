#pragma once

#include "editors/LabeledValueEditor.h"

#include <QStringList>

class QComboBox;

// The social-profile editor: service, user name, user identifier and profile
// address of one profile. The service is chosen among the field's labels; a
// stored service that is none of them but a known one joins the list.
class SNSViewController : public LabeledValueEditor {
    Q_OBJECT

public:
    explicit SNSViewController(QWidget *parent = nullptr);

    [[nodiscard]] QComboBox *servicePopup() const { return m_servicePopup; }
    [[nodiscard]] QLineEdit *usernameField() const { return m_usernameField; }
    [[nodiscard]] QLineEdit *userIdentifierField() const { return m_userIdentifierField; }
    [[nodiscard]] QLineEdit *URLStringField() const { return m_URLStringField; }

    // The known social services.
    [[nodiscard]] static const QStringList &serviceLabels();

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;

private:
    void updateUI();
    void serviceChosen(int position);
    // A field's text went into the record through `part`.
    void partEdited(HeapString LabeledValueRecord::AccountParts::*part, const QString &text);

    QComboBox *m_servicePopup = nullptr;
    QLineEdit *m_usernameField = nullptr;
    QLineEdit *m_userIdentifierField = nullptr;
    QLineEdit *m_URLStringField = nullptr;
    QStringList m_labels;
};
