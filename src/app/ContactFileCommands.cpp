#include "app/ContactFileCommands.h"

#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ProgressSteps.h"
#include "interchange/ImportFileReader.h"
#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"
#include "model/MVPerson.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

using Reading = ContactFileCommands::Reading;
using ReadResult = ContactFileCommands::ReadResult;

// The reader's position in the text as the progress window's percentage;
// the reader stops at its next card once the user has cancelled.
vCardProgressHandler progressOfText(ProgressJob::Progress &progress, const QString &text)
{
    const double length = std::max<double>(1.0, double(text.size()));
    return [&progress, length](bool *stop, quint64 position) {
        *stop = progress.isCancelled();
        progress.report(double(position) / length * 100.0);
    };
}

// The text of the file read as its kind and the command ask; the text is
// given back to the system as it is read.
void parseText(ReadResult &result, TextFileDecoder::Result &&read, Reading reading, ProgressJob::Progress &progress)
{
    if (result.kind == ImportFileKind::Kind::Csv) {
        if (reading == Reading::Import) {
            result.contacts = MVvCard().contactsFromCSV(std::move(read.text));
            return;
        }
        const QuillmarkCsvReader::Result own = QuillmarkCsvReader::contactsFromQuillmarkCSV(std::move(read.text));
        result.contacts = own.contacts;
        result.headerFound = own.headerFound;
        return;
    }
    const vCardProgressHandler handler = progressOfText(progress, read.text);
    if (reading == Reading::Import) {
        result.contacts = ImportFileReader::contactsFromVCardText(std::move(read), handler);
        return;
    }
    const MVvCard converter;
    const QString charset = read.charset();
    result.containers = converter.containersFromVCards(std::move(read.text), charset, handler);
    if (result.containers && !result.containers->isEmpty())
        result.contacts = converter.contactsInContainer(result.containers->first());
}

const QString readingMessage = QStringLiteral("Reading the file: %1");

} // namespace

ReadResult ContactFileCommands::readFile(
    const QString &path, quint32 encoding, ImportFileKind::Kind otherwise, Reading reading, int minimumMilliseconds)
{
    auto result = std::make_shared<ReadResult>();
    const int response = ProgressJob::run(
        m_progress, readingMessage.arg(QFileInfo(path).fileName()),
        [result, path, encoding, otherwise, reading](ProgressJob::Progress &progress) {
            result->kind = ImportFileKind::ofFile(path, otherwise);
            TextFileDecoder::Result read = ImportFileReader::readText(path, encoding);
            if (!read.ok()) {
                result->readError = read.errorDescription;
                return;
            }
            if (!progress.isCancelled())
                parseText(*result, std::move(read), reading, progress);
        },
        minimumMilliseconds);
    if (response != ModalResponse::Stop) {
        ReadResult cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    return *result;
}

bool ContactFileCommands::runDropReading(const QString &message,
    const std::function<void(const DroppedFileReader::Report &)> &work, const std::function<bool()> &handOver)
{
    ProgressSteps steps(m_progress, message, &m_progress);
    return steps.runOffThread([work](ProgressJob::Progress &progress) {
        work([&progress](double percent) {
            progress.report(percent);
            return !progress.isCancelled();
        });
    }) && handOver();
}

QString ContactFileCommands::writeVCard(const QString &path, const ContactTablePtr &contacts)
{
    // A stored photo, a file's values as lists and the caches painting asks
    // for are all made on first use: made here, so that the job and the
    // window's painting only read the persons.
    for (const ContactRecordPtr &contact : std::as_const(*contacts))
        contact->person->settleForReaders();
    auto file = std::make_shared<QSaveFile>(path);
    auto error = std::make_shared<QString>();
    const int response
        = ProgressJob::run(m_progress, QStringLiteral("Writing the file: %1").arg(QFileInfo(path).fileName()),
            [file, error, contacts](ProgressJob::Progress &progress) {
                const double count = std::max<double>(1.0, double(contacts->size()));
                const std::optional<QString> text = MVvCard().vCardsFromContacts(contacts,
                    {vCardExportOption::Photo, vCardExportOption::Note, vCardExportOption::Renmei,
                        vCardExportOption::HagakiLayout},
                    nullptr, [&progress, count](bool *stop, quint64 index) {
                        *stop = progress.isCancelled();
                        progress.report(double(index) / count * 100.0);
                    });
                if (!text || progress.isCancelled())
                    return;
                if (!file->open(QIODevice::WriteOnly) || file->write(text->toUtf8()) < 0)
                    *error = file->errorString();
            });
    if (response != ModalResponse::Stop)
        return {};
    if (error->isEmpty() && !file->commit())
        *error = file->errorString();
    return *error;
}

QString ContactFileCommands::writeCsv(const QString &path, const ContactTable &records)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(MVvCard().csvFromSubContacts(records).toUtf8()) < 0
        || !file.commit())
        return file.errorString();
    return {};
}
