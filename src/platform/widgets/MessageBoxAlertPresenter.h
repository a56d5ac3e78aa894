#pragma once

#include "platform/widgets/AlertPresenter.h"

// The application's alerts: QMessageBox with a message and an informative
// text; a confirmation is window-modal, as a sheet of the window.
class MessageBoxAlertPresenter : public AlertPresenter {
public:
    void showAlert(QWidget *window, const QString &messageText, const QString &informativeText) override;
    int runModalAlert(QWidget *window, const QString &messageText, const QString &informativeText,
        const QStringList &buttonTitles) override;
    void askConfirmation(QWidget *window, const QString &messageText, const QString &informativeText,
        const std::function<void(int response)> &completion) override;
};
