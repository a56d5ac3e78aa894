// The photo commands of a contact's details: an image file picked as the
// photo, scaled down when large, and the photo removed.

#include "detail/ContactInfoRowCommands.h"

#include "detail/ContactInfoView.h"
#include "model/MVPerson.h"

#include <QFileDialog>
#include <QImageReader>

QImage ContactInfoRowCommands::photoForContact(const QImage &image)
{
    if (image.isNull())
        return {};
    const int width = image.width();
    const int height = image.height();
    if (width <= largestPhotoSide && height <= largestPhotoSide)
        return image;
    const QSize size = width > height
        ? QSize(largestPhotoSide, std::max(1, int(std::lround(double(largestPhotoSide) * height / width))))
        : QSize(std::max(1, int(std::lround(double(largestPhotoSide) * width / height))), largestPhotoSide);
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool ContactInfoRowCommands::pickPhotoFile(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        qWarning("%s: ERROR no image in %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(reader.errorString()));
        return false;
    }
    // Writing an image that failed to scale would write an empty photo.
    const QImage photo = photoForContact(image);
    if (photo.isNull()) {
        qWarning("%s: ERROR %s could not be scaled", Q_FUNC_INFO, qPrintable(path));
        return false;
    }
    if (!m_view->replaceValue(photo, FieldId::Photo))
        return false;
    contactDidChange();
    return true;
}

// Window-modal and a child of the view: a popover the view lies in stays
// open under it.
void ContactInfoRowCommands::chooseImage()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    auto *dialog = new QFileDialog(m_view, tr("Choose an image"));
    dialog->setObjectName(QStringLiteral("photoChooser"));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(tr("Images (%1)").arg(patterns.join(u' ')));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &path) { pickPhotoFile(path); });
    dialog->open();
}

void ContactInfoRowCommands::deleteImage()
{
    if (m_view->replaceValue(PersonValue(), FieldId::Photo))
        contactDidChange();
}
