#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Shows the alerts of the address book: the application uses message boxes
// (MessageBoxAlertPresenter); tests record what would have been shown and
// answer in place of the user.
class AlertPresenter {
public:
    // The answers of a confirmation, as the first and second button.
    static constexpr int FirstButtonReturn = 1000;
    static constexpr int SecondButtonReturn = 1001;

    virtual ~AlertPresenter() = default;

    // An alert with one button, modal for the application.
    virtual void showAlert(QWidget *window, const QString &messageText, const QString &informativeText) = 0;

    // An alert with the buttons given, modal for the application; answers
    // FirstButtonReturn for the first button, SecondButtonReturn for the
    // second, and so on. Escape answers as the button titled "Cancel", or
    // else as the last one.
    virtual int runModalAlert(
        QWidget *window, const QString &messageText, const QString &informativeText, const QStringList &buttonTitles)
        = 0;

    // A sheet of the window with "OK" and "Cancel"; the completion gets
    // FirstButtonReturn for OK and SecondButtonReturn otherwise.
    virtual void askConfirmation(QWidget *window, const QString &messageText, const QString &informativeText,
        const std::function<void(int response)> &completion)
        = 0;
};
