#include "app/Document.h"

#include "app/ModalResponse.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "interchange/ImportFileKind.h"
#include "interchange/ImportFileReader.h"
#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"

#include <QFileInfo>

QString Document::typeOfFile(const QString &path)
{
    const bool csvByName = ImportFileKind::ofExtension(path) == ImportFileKind::Kind::Csv;
    const ImportFileKind::Kind kind
        = ImportFileKind::ofFile(path, csvByName ? ImportFileKind::Kind::Csv : ImportFileKind::Kind::VCard);
    return kind == ImportFileKind::Kind::Csv ? csvType : vCardType;
}

Document::ReadResult Document::readFromFile(const QString &path, quint32 encoding, ProgressAlert &progress)
{
    auto result = std::make_shared<ReadResult>();
    const int response = ProgressJob::run(
        progress, QStringLiteral("Reading the file: %1").arg(QFileInfo(path).fileName()),
        [result, path, encoding](ProgressJob::Progress &job) {
            result->type = typeOfFile(path);
            const bool csv = result->type == csvType;
            const TextFileDecoder::Result read = ImportFileReader::readText(path, encoding);
            if (!read.ok()) {
                result->errorDescription = read.errorDescription;
                return;
            }
            if (csv) {
                const QuillmarkCsvReader::Result own = QuillmarkCsvReader::contactsFromQuillmarkCSV(read.text);
                result->contactTable = own.contacts;
                result->headerFound = own.headerFound;
                return;
            }
            const double length = std::max<double>(1.0, double(read.text.size()));
            const MVvCard converter;
            result->containerTable
                = converter.containersFromVCards(read.text, read.charset(), [&job, length](bool *stop, quint64 at) {
                      *stop = job.isCancelled();
                      job.report(double(at) / length * 100.0);
                  });
            if (result->containerTable && !result->containerTable->isEmpty())
                result->contactTable = converter.contactsInContainer(result->containerTable->first());
        },
        ProgressJob::documentMinimumMilliseconds());
    if (response != ModalResponse::Stop) {
        ReadResult cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    if (result->errorDescription.isEmpty() && !result->ok()) {
        result->errorDescription = tr("The file “%1” couldn't be opened.").arg(QFileInfo(path).fileName());
        result->recoverySuggestion = result->type == csvType
            ? tr("Please make sure the file is a valid CSV file, or text encoding.")
            : tr("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
    }
    return *result;
}

void Document::makeWindow(WindowController &window, const QString &path, const ReadResult &read)
{
    const QString name = QFileInfo(path).fileName();
    const bool csv = read.type == csvType;
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setDocumentType(csv ? csvType : vCardType);
    ContainerTablePtr containers = read.containerTable;
    if (!containers || containers->isEmpty())
        containers = MVvCard().containersFromVCards(QString(), nullptr);
    const GroupRecordPtr top = containers->first()->groups->isEmpty() ? nullptr : containers->first()->groups->first();
    // A CSV document's contacts are its top group's, so choosing
    // "All Contacts" again shows them.
    if (top && csv)
        top->contactTable = read.contactTable;
    ViewController &view = *window.mainViewController();
    view.setDocumentName(name);
    view.setContainerTable(containers);
    view.setSelectedGroupDict(top);
    view.setContactTable(read.contactTable);
    view.setRepresentedObject({});
    window.setWindowTitle(name + QStringLiteral("[*]"));
    window.setWindowFilePath(path);
    window.setFrameAutosaveName(name);
    window.showContactInfo(false);
    // Showing the window unlocks it; a CSV document's is locked after.
    window.show();
    if (csv) {
        view.setEditState(false);
        view.enableEditButton(false);
    }
    window.raise();
    window.activateWindow();
}
