#include "detail/PhotoFile.h"

#include "platform/widgets/DialogAnswer.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QImageReader>

namespace PhotoFile {

QImage scaledForContact(const QImage &image)
{
    if (image.isNull())
        return {};
    const int width = image.width();
    const int height = image.height();
    if (width <= largestSide && height <= largestSide)
        return image;
    const QSize size = width > height
        ? QSize(largestSide, std::max(1, int(std::lround(double(largestSide) * height / width))))
        : QSize(std::max(1, int(std::lround(double(largestSide) * width / height))), largestSide);
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage read(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning("%s: ERROR no image in %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(reader.errorString()));
        return {};
    }
    // Writing an image that failed to scale would write an empty photo.
    const QImage photo = scaledForContact(image);
    if (photo.isNull())
        qWarning("%s: ERROR %s could not be scaled", Q_FUNC_INFO, qPrintable(path));
    return photo;
}

void choose(QWidget *parent, QObject *receiver, const std::function<void(const QString &path)> &chosen)
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    auto *dialog = new QFileDialog(parent, QCoreApplication::translate("ContactInfoRowCommands", "Choose an image"));
    dialog->setObjectName(QStringLiteral("photoChooser"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(
        QCoreApplication::translate("ContactInfoRowCommands", "Images (%1)").arg(patterns.join(u' ')));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    DialogAnswer::deliverAfterDone(dialog, receiver, [dialog, chosen](int result) -> DialogAnswer::Answer {
        const QStringList files = dialog->selectedFiles();
        if (result != QDialog::Accepted || files.isEmpty())
            return {};
        return [chosen, path = files.constFirst()] { chosen(path); };
    });
    dialog->open();
}

} // namespace PhotoFile
