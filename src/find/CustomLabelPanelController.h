#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The small sheet that asks for one custom label. It only hands back the
// typed text: it ends with 1 for Add and 0 for Cancel, and the caller reads
// customLabel() after 1. One sheet serves any number of uses.
class CustomLabelPanelController : public QDialog {
    Q_OBJECT

public:
    explicit CustomLabelPanelController(QWidget *parent = nullptr);

    [[nodiscard]] const QString &customLabel() const { return m_customLabel; }
    [[nodiscard]] QLineEdit *customLabelField() const { return m_customLabelField; }
    [[nodiscard]] QPushButton *addButton() const { return m_addButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void buttonPressed(QPushButton *sender);
    // Editing of the field ended: Add becomes possible and the default.
    void textShouldEndEditing();

    QString m_customLabel;
    QLineEdit *m_customLabelField = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_addButton = nullptr;
};
