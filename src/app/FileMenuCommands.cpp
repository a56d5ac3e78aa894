#include "app/FileMenuCommands.h"

#include "app/ChosenContactsAdder.h"
#include "app/ContactFileCommands.h"
#include "app/ImportPanelController.h"
#include "app/ProgressAlert.h"
#include "app/ViewController.h"
#include "app/WindowCommandHost.h"
#include "interchange/ImportFileReader.h"
#include "model/MVPerson.h"
#include "platform/widgets/AlertPresenter.h"
#include "platform/widgets/DialogAnswer.h"
#include "table/ContactTablePane.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSet>

namespace {

QString vCardFilter()
{
    return FileMenuCommands::tr("vCard (*.vcf *.vcard)");
}

// Cards saved under a ".txt" name are read as vCard by their content.
QString vCardImportFilter()
{
    return FileMenuCommands::tr("vCard (*.vcf *.vcard *.txt)");
}

QString csvFilter()
{
    return FileMenuCommands::tr("CSV (*.csv *.txt)");
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

FileMenuCommands::FileMenuCommands(WindowCommandHost &host, QMenu &fileMenu, std::function<void()> openDocument)
    : QObject(&host.hostWidget())
    , m_host(host)
{
    buildItems(fileMenu, openDocument);
    m_filePanel = [this](const FilePanel::Request &request, const FilePanel::Done &done) {
        FilePanel::showDialog(&m_host.hostWidget(), &m_host.userDefaults(), request, done);
    };
}

void FileMenuCommands::buildItems(QMenu &file, const std::function<void()> &openDocument)
{
    QAction *before = file.actions().isEmpty() ? nullptr : file.actions().constFirst();
    const auto add = [this, &file, before](const QString &title, QLatin1StringView key, auto slot) {
        auto *item = new QAction(title, &m_host.hostWidget());
        item->setObjectName(key);
        item->setData(QString(key));
        connect(item, &QAction::triggered, this, slot);
        file.insertAction(before, item);
        m_fileActions.append(item);
        return item;
    };
    add(tr("Open…"), openKey, openDocument)->setShortcut(QKeySequence::Open);
    file.insertSeparator(before);
    add(tr("Import from vCard…"), importVCardKey, [this] { importFromVCard(); });
    add(tr("Import from CSV…"), importCSVKey, [this] { importFromCSV(); });
    add(tr("Export as vCard…"), exportVCardKey, [this] { exportToVCard(); });
    add(tr("Export as CSV…"), exportCSVKey, [this] { exportToCSV(); });
    add(tr("Save As…"), saveAsKey, [this] { saveDocumentAs(); })->setShortcut(QKeySequence::SaveAs);
    file.insertSeparator(before);
}

ImportPanelController *FileMenuCommands::importPanelController() const
{
    return m_importPanelController;
}

QAction *FileMenuCommands::fileAction(const QString &objectName) const
{
    for (QAction *item : m_fileActions) {
        if (item->objectName() == objectName)
            return item;
    }
    return nullptr;
}

void FileMenuCommands::showFileAlert(const QString &message, const QString &informative)
{
    m_host.alertPresenter().showAlert(&m_host.hostWidget(), message, informative);
}

// --- Import --------------------------------------------------------------------------

void FileMenuCommands::importFromVCard()
{
    importFrom(tr("Import from vCard"), vCardImportFilter(), false);
}

void FileMenuCommands::importFromCSV()
{
    importFrom(tr("Import from CSV"), csvFilter(), true);
}

void FileMenuCommands::importFrom(const QString &title, const QString &nameFilter, bool csv)
{
    if (m_fileCommandRunning)
        return;
    m_fileCommandRunning = true;
    FilePanel::Request request;
    request.title = title;
    request.prompt = tr("Import");
    request.nameFilters = {nameFilter};
    request.withEncoding = true;
    m_filePanel(request, [this, csv](const FilePanel::Answer &answer) { importFile(answer, csv); });
}

// Reading, decoding and parsing all run on the pool, the window's event loop
// meanwhile running the progress window. The file's content decides whether
// it is read as vCard or CSV; the command only where the content can't.
void FileMenuCommands::importFile(const FilePanel::Answer &answer, bool csv)
{
    if (answer.path.isEmpty()) {
        m_fileCommandRunning = false;
        return;
    }
    const ContactFileCommands::ReadResult read
        = ContactFileCommands(*m_host.progressAlert())
              .readFile(answer.path, answer.encoding, csv ? ImportFileKind::Kind::Csv : ImportFileKind::Kind::VCard,
                  ContactFileCommands::Reading::Import);
    if (read.cancelled) {
        m_fileCommandRunning = false;
        return;
    }
    if (!read.readError.isEmpty() || !read.hasContacts()) {
        showFileAlert(ImportFileReader::unreadableMessage(),
            ImportFileReader::unreadableInformativeText(read.kind, read.readError));
        m_fileCommandRunning = false;
        return;
    }
    offerImportedContacts(QFileInfo(answer.path).fileName(), read.contacts);
}

void FileMenuCommands::offerImportedContacts(const QString &fileName, const ContactTablePtr &contacts)
{
    if (!m_importPanelController) {
        m_importPanelController = new ImportPanelController(&m_host.hostWidget());
        // Adding the chosen contacts runs their progress window: it waits
        // until the chooser is done with the key press or click that chose.
        DialogAnswer::deliverAfterDone(m_importPanelController, this,
            [this, self = QPointer<FileMenuCommands>(this)](int code) -> DialogAnswer::Answer {
                if (!self)
                    return nullptr;
                QList<ContactRecordPtr> chosen = chosenContacts(code);
                if (chosen.isEmpty()) {
                    m_fileCommandRunning = false;
                    return nullptr;
                }
                return [this, chosen = std::move(chosen)] { addChosenContacts(chosen); };
            });
    }
    m_importPanelController->setFilename(fileName);
    m_importPanelController->setNameTable(contacts);
    m_importPanelController->open();
}

QList<ContactRecordPtr> FileMenuCommands::chosenContacts(int code) const
{
    const ContactTablePtr offered = m_importPanelController->nameTable();
    const QList<int> rows = m_importPanelController->selectedIndexes();
    QList<ContactRecordPtr> chosen;
    if (code != ImportPanelController::SelectCode || !offered)
        return chosen;
    chosen.reserve(rows.size());
    for (int row : rows)
        chosen.append(offered->at(row));
    return chosen;
}

void FileMenuCommands::addChosenContacts(const QList<ContactRecordPtr> &chosen)
{
    m_fileCommandRunning = false;
    ViewController &view = *m_host.mainViewController();
    if (ChosenContactsAdder(view, *m_host.progressAlert()).add(chosen, view.selectedGroupDict()))
        m_host.markEdited();
}

// --- Export --------------------------------------------------------------------------

// The save panel of an export proposing the first selected contact's name;
// the write gets the chosen path and the selection. Nothing without one.
void FileMenuCommands::exportSelection(const QString &nameFieldLabel, const QStringList &nameFilters,
    const QString &suffix, const std::function<void(const QString &, const QList<ContactRecordPtr> &)> &write)
{
    if (m_fileCommandRunning)
        return;
    const ContactTablePane *table = m_host.mainViewController()->contactsViewController();
    const QList<ContactRecordPtr> selected = table ? table->selectedContacts() : QList<ContactRecordPtr>();
    if (selected.isEmpty())
        return;
    m_fileCommandRunning = true;
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
        m_fileCommandRunning = false;
    });
}

void FileMenuCommands::exportToVCard(bool wholeTable)
{
    exportSelection(tr("Export As:"), {vCardFilter(), tr("Text (*.txt)")}, QStringLiteral(".vcf"),
        [this, wholeTable](const QString &path, const QList<ContactRecordPtr> &selected) {
            const ContactTablePtr &all = m_host.mainViewController()->contactTable();
            writeContactsAsVCard(path,
                wholeTable ? std::make_shared<ContactTable>(all ? *all : ContactTable())
                           : recordsOfSelection(selected, all));
        });
}

// A cancelled or failed export leaves a file of that name as it was.
void FileMenuCommands::writeContactsAsVCard(const QString &path, const ContactTablePtr &contacts)
{
    const QString error = ContactFileCommands(*m_host.progressAlert()).writeVCard(path, contacts);
    if (!error.isEmpty()) {
        qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(error));
        showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
    }
}

void FileMenuCommands::exportToCSV()
{
    exportSelection(tr("Export As CSV:"), {csvFilter()}, QStringLiteral(".csv"),
        [this](const QString &path, const QList<ContactRecordPtr> &selected) {
            const ContactTablePtr records = recordsOfSelection(selected, m_host.mainViewController()->contactTable());
            const QString error = ContactFileCommands::writeCsv(path, *records);
            if (!error.isEmpty()) {
                qWarning("%s: ERROR %s: %s", Q_FUNC_INFO, qPrintable(path), qPrintable(error));
                showFileAlert(tr("Can't save the file"), tr("Something error happened in saving operation."));
            }
        });
}

// What is typed and the value editors left open reach the contacts written.
void FileMenuCommands::saveDocumentAs()
{
    if (m_documentType.isEmpty())
        return;
    if (m_host.mainViewController()->endEditing())
        exportToVCard(true);
}
