// The file commands of the window: import from vCard and CSV through the
// chooser, export as vCard and CSV, and the documents' Open and Save As.

#include "app/WindowController.h"

#include "platform/widgets/AlertPresenter.h"
#include "app/DocumentController.h"
#include "app/ImportPanelController.h"
#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"
#include "app/ProgressJob.h"
#include "app/ViewController.h"
#include "interchange/ImportFileKind.h"
#include "interchange/ImportFileReader.h"
#include "interchange/MVvCard.h"
#include "table/ContactTablePane.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QSet>

namespace {

const QString openKey = QStringLiteral("openDocument");
const QString importVCardKey = QStringLiteral("importFromVCard");
const QString importCSVKey = QStringLiteral("importFromCSV");
const QString exportVCardKey = QStringLiteral("exportToVCard");
const QString exportCSVKey = QStringLiteral("exportToCSV");
const QString saveAsKey = QStringLiteral("saveDocumentAs");

QString vCardFilter()
{
    return WindowController::tr("vCard (*.vcf *.vcard)");
}

// Cards saved under a ".txt" name are read as vCard by their content.
QString vCardImportFilter()
{
    return WindowController::tr("vCard (*.vcf *.vcard *.txt)");
}

QString csvFilter()
{
    return WindowController::tr("CSV (*.csv *.txt)");
}

// What one import job hands back once its progress window has stopped.
struct ImportResult {
    ImportFileKind::Kind kind = ImportFileKind::Kind::VCard; // how the file was read
    QString error; // the decoder's or the file's
    ContactTablePtr contacts;
};

// The records of the window's contact table with the identifiers of the
// selected contacts, each once, in selection order.
ContactTablePtr recordsOfSelection(const QList<ContactRecordPtr> &selected, const ContactTablePtr &table)
{
    auto records = std::make_shared<ContactTable>();
    if (!table)
        return records;
    QHash<UniqueId, ContactRecordPtr> byIdentifier;
    byIdentifier.reserve(table->size());
    for (const ContactRecordPtr &record : std::as_const(*table)) {
        if (record && !byIdentifier.contains(record->uniqueId))
            byIdentifier.insert(record->uniqueId, record);
    }
    QSet<const ContactRecord *> listed;
    for (const ContactRecordPtr &contact : selected) {
        const ContactRecordPtr record = contact ? byIdentifier.value(contact->uniqueId) : nullptr;
        if (record && !listed.contains(record.get())) {
            listed.insert(record.get());
            records->append(record);
        }
    }
    return records;
}

} // namespace

void WindowController::buildFileCommands()
{
    QMenu *file = m_fileMenu;
    QAction *before = file->actions().isEmpty() ? nullptr : file->actions().constFirst();
    const auto add = [this, file, before](const QString &title, const QString &key, auto slot) {
        auto *item = new QAction(title, this);
        item->setObjectName(key);
        item->setData(key);
        connect(item, &QAction::triggered, this, slot);
        file->insertAction(before, item);
        m_fileActions.append(item);
        return item;
    };
    add(tr("Open…"), openKey, [this] {
        DocumentController::sharedDocumentController().openDocument(this);
    })->setShortcut(QKeySequence::Open);
    file->insertSeparator(before);
    add(tr("Import from vCard…"), importVCardKey, [this] { importFromVCard(); });
    add(tr("Import from CSV…"), importCSVKey, [this] { importFromCSV(); });
    add(tr("Export as vCard…"), exportVCardKey, [this] { exportToVCard(); });
    add(tr("Export as CSV…"), exportCSVKey, [this] { exportToCSV(); });
    add(tr("Save As…"), saveAsKey, [this] { saveDocumentAs(); })->setShortcut(QKeySequence::SaveAs);
    file->insertSeparator(before);
    connect(file, &QMenu::aboutToShow, this, &WindowController::validateFileCommands);
    m_filePanel = [this](const FilePanel::Request &request, const FilePanel::Done &done) {
        FilePanel::showDialog(this, m_userDefaults, request, done);
    };
    validateFileCommands();
    // Files dropped onto the table are read as an import reads its file,
    // behind the same progress window.
    m_contactsViewController->dragAndDrop()->setFileReadingRunner(
        [this](const QString &message, const std::function<void(const DroppedFileReader::Report &)> &work) {
            return ProgressJob::run(*progressAlert(), message, [work](ProgressJob::Progress &progress) {
                work([&progress](double percent) {
                    progress.report(percent);
                    return !progress.isCancelled();
                });
            }) == ModalResponse::Stop;
        });
}

QAction *WindowController::fileAction(const QString &objectName) const
{
    for (QAction *item : m_fileActions) {
        if (item->objectName() == objectName)
            return item;
    }
    return nullptr;
}

void WindowController::validateFileCommands()
{
    const ViewController *view = m_mainViewController;
    const ContactTablePane *table = view ? view->contactsViewController() : nullptr;
    const bool canImport = view && !view->isAddressBookLoading() && view->selectedGroupDict();
    const bool selection = table && table->selectsContacts(1);
    for (QAction *item : std::as_const(m_fileActions)) {
        const QString key = item->objectName();
        if (key == importVCardKey)
            item->setEnabled(canImport && m_documentType != QStringLiteral("CSV"));
        else if (key == importCSVKey)
            item->setEnabled(canImport);
        else if (key == exportCSVKey)
            item->setEnabled(false);
        else if (key == saveAsKey)
            item->setEnabled(!m_documentType.isEmpty() && selection);
    }
}

ProgressAlert *WindowController::progressAlert()
{
    if (!m_progressAlert)
        m_progressAlert = new ProgressAlert(this);
    return m_progressAlert;
}

void WindowController::showFileAlert(const QString &message, const QString &informative)
{
    m_alertPresenter->showAlert(this, message, informative);
}

// --- Import --------------------------------------------------------------------------

void WindowController::importFromVCard()
{
    if (m_isExporting)
        return;
    m_isExporting = true;
    FilePanel::Request request;
    request.title = tr("Import from vCard");
    request.prompt = tr("Import");
    request.nameFilters = {vCardImportFilter()};
    request.withEncoding = true;
    m_filePanel(request, [this](const FilePanel::Answer &answer) { importFile(answer, false); });
}

void WindowController::importFromCSV()
{
    if (m_isExporting)
        return;
    m_isExporting = true;
    FilePanel::Request request;
    request.title = tr("Import from CSV");
    request.prompt = tr("Import");
    request.nameFilters = {csvFilter()};
    request.withEncoding = true;
    m_filePanel(request, [this](const FilePanel::Answer &answer) { importFile(answer, true); });
}

// Reading, decoding and parsing all run on the pool, the window's event loop
// meanwhile running the progress window. The file's content decides whether
// it is read as vCard or CSV; the command only where the content can't.
void WindowController::importFile(const FilePanel::Answer &answer, bool csv)
{
    if (answer.path.isEmpty()) {
        m_isExporting = false;
        return;
    }
    const QString fileName = QFileInfo(answer.path).fileName();
    auto result = std::make_shared<ImportResult>();
    const int response = ProgressJob::run(*progressAlert(), QStringLiteral("Reading the file: %1").arg(fileName),
        [result, path = answer.path, encoding = answer.encoding, csv](ProgressJob::Progress &progress) {
            result->kind = ImportFileKind::ofFile(path, csv ? ImportFileKind::Kind::Csv : ImportFileKind::Kind::VCard);
            TextFileDecoder::Result read = ImportFileReader::readText(path, encoding);
            if (!read.ok()) {
                result->error = read.errorDescription;
                return;
            }
            if (progress.isCancelled())
                return;
            if (result->kind == ImportFileKind::Kind::Csv) {
                result->contacts = MVvCard().contactsFromCSV(read.text);
                return;
            }
            const double length = std::max<double>(1.0, double(read.text.size()));
            result->contacts
                = ImportFileReader::contactsFromVCardText(read, [&progress, length](bool *stop, quint64 position) {
                      *stop = progress.isCancelled();
                      progress.report(double(position) / length * 100.0);
                  });
        });
    if (response != ModalResponse::Stop) {
        m_isExporting = false;
        return;
    }
    if (!result->error.isEmpty() || !result->contacts || result->contacts->isEmpty()) {
        showFileAlert(ImportFileReader::unreadableMessage(),
            ImportFileReader::unreadableInformativeText(result->kind, result->error));
        m_isExporting = false;
        return;
    }
    offerImportedContacts(fileName, result->contacts);
}

void WindowController::offerImportedContacts(const QString &fileName, const ContactTablePtr &contacts)
{
    if (!m_importPanelController) {
        m_importPanelController = new ImportPanelController(this);
        connect(m_importPanelController, &QDialog::finished, this, [this](int code) {
            m_isExporting = false;
            const ContactTablePtr offered = m_importPanelController->nameTable();
            const QList<int> rows = m_importPanelController->selectedIndexes();
            if (code != ImportPanelController::SelectCode || rows.isEmpty() || !offered)
                return;
            QList<ContactRecordPtr> chosen;
            chosen.reserve(rows.size());
            for (int row : rows)
                chosen.append(offered->at(row));
            m_mainViewController->undoAddContacts(chosen, m_mainViewController->selectedGroupDict());
            setWindowModified(true);
        });
    }
    m_importPanelController->setFilename(fileName);
    m_importPanelController->setNameTable(contacts);
    m_importPanelController->open();
}

// --- Export --------------------------------------------------------------------------

// The save panel of an export proposing the first selected contact's name;
// the write gets the chosen path and the selection. Nothing without one.
void WindowController::exportSelection(const QString &nameFieldLabel, const QStringList &nameFilters,
    const QString &suffix, const std::function<void(const QString &, const QList<ContactRecordPtr> &)> &write)
{
    if (m_isExporting)
        return;
    const ContactTablePane *table = m_mainViewController->contactsViewController();
    const QList<ContactRecordPtr> selected = table ? table->selectedContacts() : QList<ContactRecordPtr>();
    if (selected.isEmpty())
        return;
    m_isExporting = true;
    FilePanel::Request request;
    request.kind = FilePanel::Request::Kind::Save;
    request.title = tr("Export");
    request.prompt = tr("Export");
    request.nameFieldLabel = nameFieldLabel;
    request.nameFilters = nameFilters;
    request.proposedName = FilePanel::safeFileName(selected.first()->person->compositeName()) + suffix;
    m_filePanel(request, [this, selected, write](const FilePanel::Answer &answer) {
        if (!answer.path.isEmpty())
            write(answer.path, selected);
        m_isExporting = false;
    });
}

void WindowController::exportToVCard(bool wholeTable)
{
    exportSelection(tr("Export As:"), {vCardFilter(), tr("Text (*.txt)")}, QStringLiteral(".vcf"),
        [this, wholeTable](const QString &path, const QList<ContactRecordPtr> &selected) {
            const ContactTablePtr &all = m_mainViewController->contactTable();
            writeContactsAsVCard(path,
                wholeTable ? std::make_shared<ContactTable>(all ? *all : ContactTable())
                           : recordsOfSelection(selected, all));
        });
}

// The job writes into a save file that only a complete run commits, so a
// cancelled or failed export leaves a file of that name as it was.
void WindowController::writeContactsAsVCard(const QString &path, const ContactTablePtr &contacts)
{
    // A stored photo is read on first use: read here, the job and the
    // window's painting only read the persons.
    for (const ContactRecordPtr &contact : std::as_const(*contacts))
        (void)contact->person->photo();
    auto file = std::make_shared<QSaveFile>(path);
    auto error = std::make_shared<QString>();
    const int response
        = ProgressJob::run(*progressAlert(), QStringLiteral("Writing the file: %1").arg(QFileInfo(path).fileName()),
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
        return;
    if (error->isEmpty() && !file->commit())
        *error = file->errorString();
    if (!error->isEmpty()) {
        qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(*error));
        showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
    }
}

void WindowController::exportToCSV()
{
    exportSelection(tr("Export As CSV:"), {csvFilter()}, QStringLiteral(".csv"),
        [this](const QString &path, const QList<ContactRecordPtr> &selected) {
            const ContactTablePtr records = recordsOfSelection(selected, m_mainViewController->contactTable());
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(MVvCard().csvFromSubContacts(*records).toUtf8()) < 0
                || !file.commit()) {
                qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(file.errorString()));
                showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
            }
        });
}

void WindowController::saveDocumentAs()
{
    if (!m_documentType.isEmpty())
        exportToVCard(true);
}
