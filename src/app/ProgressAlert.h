#pragma once

#include "app/ModalPanel.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a long reading or writing of contact files: a message, a
// progress bar and Cancel. The caller runs it modally (exec(), or open() as a
// sheet of its window), updates message and progress as it works and ends it
// with requestClose(), which gives ModalResponse::Stop; Cancel gives
// ModalResponse::Abort, so the caller stops its work.
class ProgressAlert : public ModalPanel {
    Q_OBJECT

public:
    explicit ProgressAlert(QWidget *parent = nullptr);

    // The caller fills its text.
    [[nodiscard]] QLabel *alertMessage() const { return m_alertMessage; }
    [[nodiscard]] QProgressBar *progressIndicator() const { return m_progressIndicator; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }

    // Percent done; values outside 0–100 are held at the nearer end.
    void setProgress(double value);
    void requestClose();

private:
    void buttonPressed(QObject *sender);

    QLabel *m_iconView = nullptr;
    QLabel *m_alertMessage = nullptr;
    QProgressBar *m_progressIndicator = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
