#include "table/ContactsDragAndDrop.h"

#include "interchange/ImportFileKind.h"
#include "interchange/ImportFileReader.h"
#include "interchange/MVvCard.h"
#include "model/PoolRelease.h"
#include "platform/widgets/AlertPresenter.h"
#include "table/CheckboxAndTextCell.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewController.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/DragFileFolder.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"
#include "table/PopupAndTextCell.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QUrl>

namespace {

const vCardExportOptions &draggedVCardOptions()
{
    static const vCardExportOptions options{
        vCardExportOption::Note, vCardExportOption::Photo, vCardExportOption::Renmei, vCardExportOption::HagakiLayout};
    return options;
}

// The text without its last character, when it has at least two.
QString withoutLastCharacter(QString text)
{
    if (text.size() >= 2)
        text.chop(1);
    return text;
}

} // namespace

ContactsDragAndDrop::ContactsDragAndDrop(ContactsViewController *controller)
    : QObject(controller)
    , m_controller(controller)
{
    QTableView *view = controller->tableView();
    view->setDragEnabled(true);
    view->setAcceptDrops(true);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    // Drops land between rows or onto one, never over a cell's data.
    view->setDragDropOverwriteMode(false);
    view->setDropIndicatorShown(true);
    view->viewport()->installEventFilter(this);
}

// --- Copy ----------------------------------------------------------------------

bool ContactsDragAndDrop::copy()
{
    return copyRows(QStringLiteral("\t"), DragType::tabSeparatedValues);
}

bool ContactsDragAndDrop::copyAsCSV()
{
    return copyRows(QStringLiteral(", "), DragType::csv);
}

QString ContactsDragAndDrop::copiedText(const QString &separator) const
{
    const QStringList identifiers = m_controller->columnIdentifiers();
    const QList<SubContactRecordPtr> &rows = m_controller->subContactTable();
    const MVvCard writer;
    QString text;
    for (const int row : m_controller->selectedRowIndexes()) {
        if (row < 0 || row >= rows.size())
            continue;
        text += writer.csvStringFromContact(rows.at(row), identifiers, separator);
        text += u'\n';
    }
    return text;
}

bool ContactsDragAndDrop::copyRows(const QString &separator, const QString &mimeType)
{
    const QString text = copiedText(separator);
    if (text.size() < 2)
        return false;
    const QString copied = withoutLastCharacter(text);
    auto *data = new QMimeData;
    data->setText(copied);
    data->setData(mimeType, copied.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

// --- Dragging rows out ----------------------------------------------------------

const QStringList &ContactsDragAndDrop::draggedIdentifiers()
{
    static const QStringList identifiers{FieldId::Name, FieldId::Email, FieldId::Phone, FieldId::Address,
        FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::URL, FieldId::PhoneticName, FieldId::Nickname,
        FieldId::Birthday, FieldId::Relationship, FieldId::Suffix, FieldId::Title, FieldId::Company,
        FieldId::Department, FieldId::JobTitle, FieldId::Dates, FieldId::Note};
    return identifiers;
}

QList<ContactRecordPtr> ContactsDragAndDrop::draggedContacts(const QList<int> &rows) const
{
    QList<ContactRecordPtr> contacts;
    const ContactTablePtr &table = m_controller->contactTable();
    if (!table)
        return contacts;
    QHash<UniqueId, ContactRecordPtr> byIdentity;
    byIdentity.reserve(table->size());
    for (const ContactRecordPtr &contact : std::as_const(*table)) {
        if (contact && !byIdentity.contains(contact->uniqueId))
            byIdentity.insert(contact->uniqueId, contact);
    }
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    const QList<SubContactRecordPtr> &subContacts = m_controller->subContactTable();
    QSet<const ContactRecord *> taken;
    for (const int row : std::as_const(sorted)) {
        if (row < 0 || row >= subContacts.size())
            continue;
        const ContactRecordPtr contact = byIdentity.value(subContacts.at(row)->uniqueId);
        if (contact && !taken.contains(contact.get())) {
            taken.insert(contact.get());
            contacts.append(contact);
        }
    }
    return contacts;
}

QString ContactsDragAndDrop::stringIndexes(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    QStringList pieces;
    pieces.reserve(rows.size());
    for (const int row : std::as_const(rows))
        pieces.append(QString::number(row));
    return pieces.join(u',');
}

QString ContactsDragAndDrop::draggedText(const QList<ContactRecordPtr> &contacts)
{
    const MVvCard writer;
    QString text;
    for (const ContactRecordPtr &contact : contacts) {
        // The contact's first values, whatever row of it was dragged.
        const auto first = std::make_shared<ContactRecord>(contact->person, contact->uniqueId, 0);
        text += writer.csvStringFromContact(first, draggedIdentifiers(), QStringLiteral("\t"));
        text += u'\n';
    }
    return withoutLastCharacter(text);
}

QByteArray ContactsDragAndDrop::draggedVCards(const QList<ContactRecordPtr> &contacts)
{
    const MVvCard writer;
    QString text;
    for (const ContactRecordPtr &contact : contacts) {
        text += writer.vCardFromContact(contact, draggedVCardOptions());
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

DraggingMimeData *ContactsDragAndDrop::mimeDataForRows(const QList<int> &rows) const
{
    // The file of the drag before is of no use any more.
    DragFileFolder::clear();
    auto *data = new DraggingMimeData(m_controller->tableView());
    const QList<ContactRecordPtr> contacts = draggedContacts(rows);
    data->setProvider(DragType::plainText, [contacts] { return draggedText(contacts).toUtf8(); });
    // One vCard text serves the data and the file.
    auto vCards = std::make_shared<std::optional<QByteArray>>();
    const auto makeVCards = [contacts, vCards] {
        if (!*vCards)
            *vCards = draggedVCards(contacts);
        return **vCards;
    };
    data->setProvider(DragType::vCard, makeVCards);
    data->setProvider(DragType::uriList, [makeVCards] {
        const QString path = DragFileFolder::writeFile(draggingFileName, makeVCards());
        return path.isEmpty() ? QByteArray() : QUrl::fromLocalFile(path).toEncoded() + "\r\n";
    });
    data->setData(DragType::stringIndexes, stringIndexes(rows).toUtf8());
    QList<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    const QList<SubContactRecordPtr> &subContacts = m_controller->subContactTable();
    if (!sorted.isEmpty() && sorted.first() >= 0 && sorted.first() < subContacts.size())
        data->setData(DragType::labelIndex, QByteArray::number(subContacts.at(sorted.first())->labelIndex));
    return data;
}

bool ContactsDragAndDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        m_controller->tableView()->setDragEnabled(!isOnCellControl(press->position().toPoint()));
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_controller->tableView()->setDragEnabled(true);
    } else if (event->type() == QEvent::DragEnter) {
        // A new drag: its files may have changed since the last one.
        m_checkedDrag = {};
    }
    return QObject::eventFilter(watched, event);
}

bool ContactsDragAndDrop::isOnCellControl(const QPoint &position) const
{
    const QTableView *view = m_controller->tableView();
    const QModelIndex index = view->indexAt(position);
    const ContactTableModel *model = m_controller->model();
    const SubContactRecordPtr row = model->subContactAt(index.row());
    if (!row || index.column() < 0 || index.column() >= model->columns().size())
        return false;
    const TableColumn &column = model->columns().at(index.column());
    const QRect cell = view->visualRect(index);
    const int x = position.x() - cell.left();
    switch (column.kind) {
    case TableColumn::Kind::Sender:
        return true;
    case TableColumn::Kind::CompanyOrRenmei:
        return x < CheckboxAndTextCell::checkboxFrame(model->rowHeight(), row->numLines,
                       view->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, view))
                       .right()
            + 2;
    case TableColumn::Kind::Labeled:
    case TableColumn::Kind::AddressPart: {
        const LabeledValueRecordPtr value
            = column.filteredValueAt(*row->person, row->labelIndex, model->selectedLabels());
        if (!value)
            return false;
        PopupButton popup;
        popup.setFont(model->selectedFont());
        popup.addItemWithTitle(PopupAndTextCell::displayFormOfLabel(value->labelText()));
        popup.selectItemAtIndex(0);
        return x < 2 + popup.intrinsicContentSize(view).width();
    }
    default:
        return false;
    }
}

// --- Dropping onto the table -----------------------------------------------------

bool ContactsDragAndDrop::isFromThisTable(const QMimeData *data) const
{
    return DraggingMimeData::sourceOf(data) == m_controller->tableView();
}

bool ContactsDragAndDrop::validateDrop(const QMimeData *data, int row, DropOperation operation) const
{
    if (!data || operation == DropOperation::On)
        return false;
    const bool fromThisTable = isFromThisTable(data);
    if (!fromThisTable && !m_controller->editState())
        return false;
    const qsizetype rows = m_controller->subContactTable().size();
    if (rows > 0 && (row < 0 || row >= rows))
        return false;
    if (fromThisTable)
        return false;
    if (DraggingMimeData::isFromApplication(data))
        return true;
    return DragType::hasVCard(data) || holdsVCardFiles(data);
}

bool ContactsDragAndDrop::acceptDrop(const QMimeData *data, int row, DropOperation operation)
{
    if (!validateDrop(data, row, operation))
        return false;
    ContactsViewControllerDelegate *delegate = m_controller->delegate();
    if (!delegate)
        return false;
    if (DragType::hasVCard(data))
        return delegate->addContactByVCardString(QString::fromUtf8(DragType::vCardData(data)));
    if (DraggingMimeData::isFromApplication(data))
        return false;
    return acceptFiles(data);
}

// A file is taken as vCard by the content its head shows, whatever its name
// ("contacts.txt" from a phone), and by its name where the content can't
// tell: an unreadable "x.vcf" is taken, to be told about when it is read.
QStringList ContactsDragAndDrop::droppedVCardFiles(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (ImportFileKind::ofFile(path, ImportFileKind::ofExtension(path)) == ImportFileKind::Kind::VCard)
            paths.append(path);
    }
    return paths;
}

// Asked at every move of a drag: the files' heads are read once per drag.
bool ContactsDragAndDrop::holdsVCardFiles(const QMimeData *data) const
{
    const QList<QUrl> urls = data->urls();
    if (data != m_checkedDrag.data || urls != m_checkedDrag.urls)
        m_checkedDrag = {data, urls, !droppedVCardFiles(data).isEmpty()};
    return m_checkedDrag.holdsVCardFiles;
}

// Each file is read as an import reads it: a regular file of limited size,
// in the encoding recognised, whose charset the reader is told. A file that
// gives no contact is alerted about as the import alerts about it. A large
// file takes long: the window reads it and adds its contacts behind one
// progress window, where the user can cancel, and a cancelled drop adds
// nothing and is not taken.
bool ContactsDragAndDrop::acceptFiles(const QMimeData *data)
{
    auto read = std::make_shared<DroppedFileReader::Result>();
    // The drag-and-drop object may be gone by now: only what is local here
    // is used after the hand-over.
    const bool taken = readAndHandOver(droppedVCardFiles(data), read);
    // A large file's contacts, thrown away, would keep the window waiting
    // most of a second after Cancel while they are freed.
    if (!taken)
        releaseOnPool(std::move(read));
    return taken;
}

bool ContactsDragAndDrop::readAndHandOver(
    const QStringList &paths, const std::shared_ptr<DroppedFileReader::Result> &read)
{
    // The window may close while the progress window shows, events running.
    const QPointer<ContactsDragAndDrop> self(this);
    // The alerts are posted once the adding has ended.
    const auto handOver = [self, read] {
        ContactsViewControllerDelegate *delegate = self ? self->m_controller->delegate() : nullptr;
        const bool added = !read->contacts.isEmpty() && delegate && delegate->addDroppedContacts(read->contacts);
        if (self && !read->failures.isEmpty())
            self->alertUnreadableFilesLater(read->failures);
        return added;
    };
    if (!m_fileReadingRunner) {
        *read = DroppedFileReader::read(paths);
        return handOver();
    }
    const bool taken = m_fileReadingRunner(
        DroppedFileReader::messageFor(paths),
        [read, paths](const DroppedFileReader::Report &report) { *read = DroppedFileReader::read(paths, report); },
        handOver);
    return self && taken;
}

// After the drop has returned: a modal alert inside the drop event would keep
// the program the files came from waiting for the drop's end.
void ContactsDragAndDrop::alertUnreadableFilesLater(const QStringList &informativeTexts)
{
    QTimer::singleShot(0, this, [self = QPointer<ContactsDragAndDrop>(this), informativeTexts] {
        // Each alert runs modally; the window may close while one shows.
        for (const QString &informative : informativeTexts) {
            ContactsViewControllerDelegate *delegate = self ? self->m_controller->delegate() : nullptr;
            AlertPresenter *alerts = delegate ? delegate->alertPresenter() : nullptr;
            if (!alerts)
                return;
            alerts->showAlert(self->m_controller->window(), ImportFileReader::unreadableMessage(), informative);
        }
    });
}
