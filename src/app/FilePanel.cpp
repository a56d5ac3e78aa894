#include "app/FilePanel.h"

#include "interchange/widgets/EncodingAccessory.h"
#include "platform/widgets/DialogAnswer.h"

#include <QFileDialog>

namespace FilePanel {

void showDialog(QWidget *window, UserDefaults *defaults, const Request &request, const Done &done)
{
    auto *dialog = new QFileDialog(window, request.title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setNameFilters(request.nameFilters + QStringList{QFileDialog::tr("All Files (*)")});
    const bool save = request.kind == Request::Kind::Save;
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.prompt.isEmpty())
        dialog->setLabelText(QFileDialog::Accept, request.prompt);
    if (!request.nameFieldLabel.isEmpty())
        dialog->setLabelText(QFileDialog::FileName, request.nameFieldLabel);
    if (save)
        dialog->selectFile(request.proposedName);
    EncodingAccessory *accessory = nullptr;
    if (request.withEncoding) {
        accessory = new EncodingAccessory(dialog, defaults);
        accessory->setEncodingOnly();
        accessory->attachTo(dialog);
    }
    DialogAnswer::deliverAfterDone(dialog, window, [dialog, accessory, done](int result) -> DialogAnswer::Answer {
        Answer answer;
        if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
            answer.path = dialog->selectedFiles().constFirst();
            answer.encoding = accessory ? accessory->encodingType() : 0;
        }
        if (accessory)
            accessory->requestClose();
        return [done, answer] { done(answer); };
    });
    dialog->open();
}

QString safeFileName(const QString &name)
{
    QString safe = name;
    safe.replace(u'/', u'-').replace(QChar(0), u'-');
    while (safe.startsWith(u'.'))
        safe.remove(0, 1);
    return safe;
}

} // namespace FilePanel
