#pragma once

#include "editors/LabeledValueEditor.h"

#include <QStringList>

class QComboBox;

// The instant-message editor: label, service and user name of one account.
// Accounts stored under the services' older names show the service they
// stand for; the stored name is rewritten only when the user picks one.
class IMSViewController : public LabeledValueEditor {
    Q_OBJECT

public:
    explicit IMSViewController(QWidget *parent = nullptr);

    [[nodiscard]] QComboBox *labelPopup() const { return m_labelPopup; }
    [[nodiscard]] QComboBox *servicePopup() const { return m_servicePopup; }
    [[nodiscard]] QLineEdit *usernameField() const { return m_usernameField; }

    // The services offered, and the older names that stand for them position
    // by position.
    [[nodiscard]] static const QStringList &serviceLabels();
    [[nodiscard]] static const QStringList &oldServiceNames();

protected:
    void fillControls(MVPerson *person, bool editable) override;
    void setControlsEditing(bool editing) override;

private:
    void updateUI();
    void labelChosen(int position);
    void serviceChosen(int position);
    void usernameEdited(const QString &text);

    QComboBox *m_labelPopup = nullptr;
    QComboBox *m_servicePopup = nullptr;
    QLineEdit *m_usernameField = nullptr;
    QStringList m_labels;
    QStringList m_localizedLabels;
};
