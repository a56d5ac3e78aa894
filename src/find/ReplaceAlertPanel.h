#pragma once

#include "model/ContactIdentifier.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The sheet that collects the text (and for the two label commands the
// label) that a column command of the table then writes into every selected
// row. It changes no contact: the opener reads replaceString() and label()
// when it finishes with 1 (OK); 0 is Cancel. Opened window-modal with open().
class ReplaceAlertPanel : public QDialog {
    Q_OBJECT

public:
    explicit ReplaceAlertPanel(QWidget *parent = nullptr);

    // The translated title of the menu command that opened the sheet.
    void setType(const QString &type) { m_type = type; }
    [[nodiscard]] const QString &type() const { return m_type; }
    void setIdentifier(const ContactIdentifier &identifier) { m_identifier = identifier; }
    [[nodiscard]] const ContactIdentifier &identifier() const { return m_identifier; }
    // The label words offered, as stored; "All" is never offered.
    void setLabels(const QStringList &labels) { m_labels = labels; }
    [[nodiscard]] const QStringList &labels() const { return m_labels; }
    // In: the label to preselect. Out: the chosen one, empty for none.
    void setLabel(const QString &label) { m_label = label; }
    [[nodiscard]] const QString &label() const { return m_label; }
    // In: the text to prefill. Out: the text entered.
    void setReplaceString(const QString &text) { m_replaceString = text; }
    [[nodiscard]] const QString &replaceString() const { return m_replaceString; }

    // Brings the controls in line with the properties; call after setting them.
    void updateUI();

    [[nodiscard]] QLabel *replaceAlertMessage() const { return m_message; }
    [[nodiscard]] QLabel *columnTitle() const { return m_columnTitle; }
    [[nodiscard]] QComboBox *columnPopup() const { return m_columnPopup; }
    [[nodiscard]] QComboBox *labelPopup() const { return m_labelPopup; }
    [[nodiscard]] QLineEdit *replaceTextField() const { return m_replaceTextField; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    [[nodiscard]] QPushButton *okButton() const { return m_okButton; }

    // The command titles the sheet knows, translated as the menu shows them.
    static QString addLabelAndTextTitle();
    static QString replaceLabelAndTextTitle();
    static QString replaceTextTitle();
    static QString prependTextTitle();
    static QString appendTextTitle();

private:
    void buttonPressed(QPushButton *sender);
    void popupSelected();
    void textFieldChanged(const QString &text);
    void fillLabelPopup();
    void showCommand();

    QLabel *m_message = nullptr;
    QLabel *m_columnTitle = nullptr;
    QComboBox *m_columnPopup = nullptr;
    QComboBox *m_labelPopup = nullptr;
    QLineEdit *m_replaceTextField = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_okButton = nullptr;

    QString m_type;
    ContactIdentifier m_identifier;
    QStringList m_labels;
    QString m_label;
    QString m_replaceString;
};
