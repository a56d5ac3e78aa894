#include "platform/widgets/MessageBoxAlertPresenter.h"

#include "platform/widgets/DialogAnswer.h"

#include <QList>
#include <QMessageBox>
#include <QPushButton>

void MessageBoxAlertPresenter::showAlert(QWidget *window, const QString &messageText, const QString &informativeText)
{
    QMessageBox alert(QMessageBox::Warning, QString(), messageText, QMessageBox::Ok, window);
    alert.setInformativeText(informativeText);
    DialogAnswer::keepFirstAnswer(&alert);
    alert.exec();
}

int MessageBoxAlertPresenter::runModalAlert(
    QWidget *window, const QString &messageText, const QString &informativeText, const QStringList &buttonTitles)
{
    QMessageBox alert(QMessageBox::Question, QString(), messageText, QMessageBox::NoButton, window);
    alert.setInformativeText(informativeText);
    alert.setWindowModality(Qt::ApplicationModal);
    QList<QPushButton *> buttons;
    for (const QString &title : buttonTitles)
        buttons.append(alert.addButton(title, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    // Every button after the first rejects, so Qt finds no escape button of
    // its own: Escape answers as Cancel, or else as the last button, which is
    // also what a box closed otherwise answers.
    const qsizetype cancel = buttonTitles.indexOf(QMessageBox::tr("Cancel"));
    if (!buttons.isEmpty())
        alert.setEscapeButton(buttons.at(cancel < 0 ? buttons.size() - 1 : cancel));
    DialogAnswer::keepFirstAnswer(&alert);
    alert.exec();
    const qsizetype clicked = buttons.indexOf(qobject_cast<QPushButton *>(alert.clickedButton()));
    return FirstButtonReturn + int(clicked < 0 ? buttons.size() - 1 : clicked);
}

void MessageBoxAlertPresenter::askConfirmation(QWidget *window, const QString &messageText,
    const QString &informativeText, const std::function<void(int response)> &completion)
{
    auto *alert = new QMessageBox(QMessageBox::Question, QString(), messageText, QMessageBox::NoButton, window);
    alert->setInformativeText(informativeText);
    alert->addButton(QMessageBox::tr("OK"), QMessageBox::AcceptRole);
    alert->addButton(QMessageBox::tr("Cancel"), QMessageBox::RejectRole);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    DialogAnswer::deliverAfterDone(alert, window, [alert, completion](int) -> DialogAnswer::Answer {
        const bool confirmed = alert->buttonRole(alert->clickedButton()) == QMessageBox::AcceptRole;
        if (!completion)
            return {};
        return [completion, confirmed] { completion(confirmed ? FirstButtonReturn : SecondButtonReturn); };
    });
    alert->open();
}
