#include "platform/widgets/DialogAnswer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

namespace DialogAnswer {

void deliverAfterDone(QDialog *dialog, QObject *receiver, Read read)
{
    const QPointer<QObject> target = receiver ? receiver : QCoreApplication::instance();
    QObject::connect(dialog, &QDialog::finished, dialog, [target, read = std::move(read)](int result) {
        Answer answer = read(result);
        if (answer && target)
            QMetaObject::invokeMethod(target.data(), std::move(answer), Qt::QueuedConnection);
    });
}

} // namespace DialogAnswer
