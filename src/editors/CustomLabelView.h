#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The pale panel laid over an editor's table while the user names a label
// of his own: a field, Cancel, and Add, which the field enables once its
// editing ends.
class CustomLabelView : public QWidget {
    Q_OBJECT

public:
    explicit CustomLabelView(QWidget *parent = nullptr);

    [[nodiscard]] QLineEdit *customLabelField() const { return m_customLabelField; }
    [[nodiscard]] QPushButton *addButton() const { return m_addButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    // The label typed, without surrounding white space.
    [[nodiscard]] QString label() const;

    // Shows the panel empty, with the focus in its field.
    void open();

Q_SIGNALS:
    // Add or Cancel closed the panel.
    void finished(bool add);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineEdit *m_customLabelField = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_addButton = nullptr;
};
