#include "app/Document.h"

#include "app/ContactFileCommands.h"
#include "app/ProgressJob.h"
#include "interchange/ImportFileKind.h"

#include <QFileInfo>

namespace {

// A file whose content can't tell goes by its name.
ImportFileKind::Kind kindByName(const QString &path)
{
    return ImportFileKind::ofExtension(path) == ImportFileKind::Kind::Csv ? ImportFileKind::Kind::Csv
                                                                          : ImportFileKind::Kind::VCard;
}

} // namespace

Document::ReadResult Document::readFromFile(const QString &path, quint32 encoding, ProgressAlert &progress)
{
    const ContactFileCommands::ReadResult read = ContactFileCommands(progress).readFile(path, encoding,
        kindByName(path), ContactFileCommands::Reading::Document, ProgressJob::documentMinimumMilliseconds());
    ReadResult result;
    if (read.cancelled) {
        result.cancelled = true;
        return result;
    }
    result.type = read.kind == ImportFileKind::Kind::Csv ? csvType : vCardType;
    result.containerTable = read.containers;
    result.contactTable = read.contacts;
    result.headerFound = read.headerFound;
    result.errorDescription = read.readError;
    if (result.errorDescription.isEmpty() && !result.ok()) {
        result.errorDescription = tr("The file “%1” couldn't be opened.").arg(QFileInfo(path).fileName());
        result.recoverySuggestion = result.type == csvType
            ? tr("Please make sure the file is a valid CSV file, or text encoding.")
            : tr("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
    }
    return result;
}
