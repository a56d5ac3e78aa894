#include "app/MessageBoxAlertPresenter.h"

#include <QMessageBox>

void MessageBoxAlertPresenter::showAlert(QWidget *window, const QString &messageText, const QString &informativeText)
{
    QMessageBox alert(QMessageBox::Warning, QString(), messageText, QMessageBox::Ok, window);
    alert.setInformativeText(informativeText);
    alert.exec();
}

void MessageBoxAlertPresenter::askConfirmation(
    QWidget *window, const QString &messageText, const std::function<void(int response)> &completion)
{
    auto *alert = new QMessageBox(QMessageBox::Question, QString(), messageText, QMessageBox::NoButton, window);
    alert->addButton(QMessageBox::tr("OK"), QMessageBox::AcceptRole);
    alert->addButton(QMessageBox::tr("Cancel"), QMessageBox::RejectRole);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(alert, &QMessageBox::finished, alert, [alert, completion](int) {
        const bool confirmed = alert->buttonRole(alert->clickedButton()) == QMessageBox::AcceptRole;
        if (completion)
            completion(confirmed ? FirstButtonReturn : SecondButtonReturn);
    });
    alert->open();
}
