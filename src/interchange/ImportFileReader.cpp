#include "interchange/ImportFileReader.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

TextFileDecoder::Result ImportFileReader::readText(const QString &path, quint32 encoding)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.isFile())
        return {QString(), encoding, tr("“%1” is not a regular file.").arg(name)};
    const auto tooLarge = [&](qint64 size) {
        const qint64 megabytes = qint64(std::ceil(double(size) / (1024.0 * 1024.0)));
        return TextFileDecoder::Result{QString(), encoding,
            tr("“%1” is too large to import (%2 MB; at most %3 MB).")
                .arg(name)
                .arg(megabytes)
                .arg(maximumBytes / (1024 * 1024))};
    };
    if (info.size() > maximumBytes)
        return tooLarge(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), encoding, file.errorString()};
    // The file may have grown since it was looked at.
    const QByteArray bytes = file.read(maximumBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {QString(), encoding, file.errorString()};
    if (bytes.size() > maximumBytes)
        return tooLarge(std::max(file.size(), qint64(bytes.size())));
    return TextFileDecoder::decode(bytes, encoding, name);
}

namespace {

ContactTablePtr contactsOfTopGroup(const ContainerTablePtr &containers)
{
    if (!containers)
        return nullptr;
    ContactTablePtr contacts;
    if (!containers->isEmpty())
        contacts = MVvCard().contactsInContainer(containers->first());
    return contacts ? contacts : std::make_shared<ContactTable>();
}

} // namespace

ContactTablePtr ImportFileReader::contactsFromVCardText(
    const TextFileDecoder::Result &read, const vCardProgressHandler &progressHandler)
{
    return contactsOfTopGroup(MVvCard().containersFromVCards(read.text, read.charset(), progressHandler));
}

ContactTablePtr ImportFileReader::contactsFromVCardText(
    TextFileDecoder::Result &&read, const vCardProgressHandler &progressHandler)
{
    const QString charset = read.charset();
    return contactsOfTopGroup(MVvCard().containersFromVCards(std::move(read.text), charset, progressHandler));
}

QString ImportFileReader::unreadableMessage()
{
    return tr("Couldn't read the file.");
}

QString ImportFileReader::unreadableInformativeText(ImportFileKind::Kind kind, const QString &readError)
{
    if (kind != ImportFileKind::Kind::Csv)
        return readError.isEmpty() ? tr("Please make sure the file is vCard 2.1/3.0 file.") : readError;
    const QString hint = tr("Please make sure the file is a valid CSV file.");
    return readError.isEmpty() ? hint : hint + QStringLiteral("\n\n") + readError;
}
