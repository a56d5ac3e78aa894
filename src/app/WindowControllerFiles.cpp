// The file commands of the window: import from vCard and CSV through the
// chooser, export as vCard and CSV, and the documents' Open and Save As.

#include "app/WindowController.h"

#include "platform/widgets/AlertPresenter.h"
#include "app/ChosenContactsAdder.h"
#include "app/ContactFileCommands.h"
#include "app/DocumentController.h"
#include "app/ImportPanelController.h"
#include "app/ProgressAlert.h"
#include "app/ViewController.h"
#include "interchange/ImportFileReader.h"
#include "table/ContactTablePane.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
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
            return ContactFileCommands(*progressAlert()).runDropReading(message, work);
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
    const ContactFileCommands::ReadResult read
        = ContactFileCommands(*progressAlert())
              .readFile(answer.path, answer.encoding, csv ? ImportFileKind::Kind::Csv : ImportFileKind::Kind::VCard,
                  ContactFileCommands::Reading::Import);
    if (read.cancelled) {
        m_isExporting = false;
        return;
    }
    if (!read.readError.isEmpty() || !read.hasContacts()) {
        showFileAlert(ImportFileReader::unreadableMessage(),
            ImportFileReader::unreadableInformativeText(read.kind, read.readError));
        m_isExporting = false;
        return;
    }
    offerImportedContacts(QFileInfo(answer.path).fileName(), read.contacts);
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
            if (ChosenContactsAdder(*m_mainViewController, *progressAlert())
                    .add(chosen, m_mainViewController->selectedGroupDict()))
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

// A cancelled or failed export leaves a file of that name as it was.
void WindowController::writeContactsAsVCard(const QString &path, const ContactTablePtr &contacts)
{
    const QString error = ContactFileCommands(*progressAlert()).writeVCard(path, contacts);
    if (!error.isEmpty()) {
        qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(error));
        showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
    }
}

void WindowController::exportToCSV()
{
    exportSelection(tr("Export As CSV:"), {csvFilter()}, QStringLiteral(".csv"),
        [this](const QString &path, const QList<ContactRecordPtr> &selected) {
            const ContactTablePtr records = recordsOfSelection(selected, m_mainViewController->contactTable());
            const QString error = ContactFileCommands::writeCsv(path, *records);
            if (!error.isEmpty()) {
                qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(error));
                showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
            }
        });
}

void WindowController::saveDocumentAs()
{
    if (!m_documentType.isEmpty())
        exportToVCard(true);
}
