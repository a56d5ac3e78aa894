#include "table/DroppedFileReader.h"

#include "interchange/ImportFileReader.h"

#include <QFileInfo>

#include <algorithm>

DroppedFileReader::Result DroppedFileReader::read(const QStringList &paths, const Report &report)
{
    Result result;
    const double files = std::max<double>(1.0, double(paths.size()));
    for (qsizetype index = 0; index < paths.size(); ++index) {
        const QString &path = paths.at(index);
        TextFileDecoder::Result text = ImportFileReader::readText(path, TextEncodingTable::Automatic);
        if (report && !report(double(index) / files * 100.0))
            return result;
        const double length = std::max<double>(1.0, double(text.text.size()));
        vCardProgressHandler handler;
        if (report) {
            handler = [&report, index, files, length](bool *stop, quint64 position) {
                *stop = !report((double(index) + double(position) / length) / files * 100.0);
            };
        }
        const QString readError = text.errorDescription;
        const ContactTablePtr contacts
            = text.ok() ? ImportFileReader::contactsFromVCardText(std::move(text), handler) : nullptr;
        if (report && !report((double(index) + 1.0) / files * 100.0))
            return result;
        if (!contacts || contacts->isEmpty()) {
            qWarning("%s: ERROR no card read from %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(readError));
            result.failures.append(ImportFileReader::unreadableInformativeText(ImportFileKind::Kind::VCard, readError));
            continue;
        }
        result.contacts.append(*contacts);
    }
    return result;
}

QString DroppedFileReader::messageFor(const QStringList &paths)
{
    QStringList names;
    names.reserve(paths.size());
    for (const QString &path : paths)
        names.append(QFileInfo(path).fileName());
    return QStringLiteral("Reading the file: %1").arg(names.join(QStringLiteral(", ")));
}
