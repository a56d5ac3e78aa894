#include "table/ContactsViewController.h"

#include "editors/SimpleInfoPanelController.h"

#include "model/MVPerson.h"
#include "platform/StoredValue.h"
#include "platform/UserDefaults.h"
#include "table/ContactInfoPopoverPane.h"
#include "table/ContactTableCellEditor.h"
#include "table/ContactTableContactCommands.h"
#include "table/ContactTableContextMenu.h"
#include "table/ContactTableItemCommands.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ViewSettings.h"
#include "table/SubContactTableSorter.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int systemFontSize = 12;
constexpr int smallestRowHeight = 24;
constexpr double smallestStoredFontSize = 7;

bool sameDescriptor(const SortDescriptor &a, const SortDescriptor &b)
{
    return a.key == b.key && a.ascending == b.ascending;
}

QFont systemFont()
{
    QFont font = QApplication::font();
    font.setPointSize(systemFontSize);
    return font;
}

// The row's address still carries the sender's mark, on the contact the
// window holds now rather than one it held before a reload replaced it. A
// deleted contact is still held, for its Undo, but is no sender.
bool senderStillMarked(const SubContactRecordPtr &row, const ContactsViewControllerDelegate &delegate)
{
    if (!row || !row->person)
        return false;
    const PersonRecordPtr held = delegate.contactWithUniqueId(row->uniqueId);
    if (!held || held->person != row->person || delegate.isDeletedContact(row->uniqueId))
        return false;
    const LabeledValueRecordPtr address = TableColumn::labeledValueAt(*row->person, FieldId::Address, row->labelIndex);
    return address && std::as_const(address->layout)->printsSender();
}

} // namespace

ContactsViewController::ContactsViewController(UserDefaults *userDefaults, QWidget *parent)
    : QWidget(parent)
    , m_userDefaults(userDefaults)
    , m_tableView(new QTableView(this))
    , m_model(new ContactTableModel(this))
    , m_cellDelegate(new ContactTableCellDelegate(m_model, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tableView);
    m_tableView->setObjectName(QStringLiteral("contactTableView"));
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(m_cellDelegate);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setWordWrap(false);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setMinimumSectionSize(1);
    QHeaderView *header = m_tableView->horizontalHeader();
    header->setMinimumSectionSize(senderColumnMinimumWidth);
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setStretchLastSection(false);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &ContactsViewController::tableViewSelectionDidChange);
    connect(header, &QHeaderView::sectionClicked, this, &ContactsViewController::headerClicked);
    connect(header, &QHeaderView::sectionMoved, this, &ContactsViewController::columnDidMove);
    connect(header, &QHeaderView::sectionResized, this,
        [this](int column, int, int width) { columnDidResize(column, width); });
    // The context menu's event filter goes on after the cell editor's, so it
    // sees a right-click first.
    m_cellEditor = new ContactTableCellEditor(*this, m_cellDelegate);
    m_contextMenu = new ContactTableContextMenu(*this);
    m_itemCommands = new ContactTableItemCommands(*this);
    m_contactCommands = new ContactTableContactCommands(*this);
    m_dragAndDrop = new ContactsDragAndDrop(this);
    m_model->setDragAndDrop(m_dragAndDrop);
    viewDidLoad();
}

// The view's event filters call into the view, which still sends its
// viewport events while it is torn down: they go before it does.
ContactsViewController::~ContactsViewController()
{
    const std::array<QObject *, 3> filters{m_cellEditor, m_contextMenu, m_dragAndDrop};
    for (QObject *filter : filters) {
        m_tableView->viewport()->removeEventFilter(filter);
        m_tableView->removeEventFilter(filter);
    }
}

UserDefaults &ContactsViewController::userDefaults() const
{
    return m_userDefaults ? *m_userDefaults : UserDefaults::standardUserDefaults();
}

ViewSettings &ContactsViewController::viewSettings() const
{
    if (!m_viewSettings)
        m_viewSettings = new ViewSettings(userDefaults(), const_cast<ContactsViewController *>(this));
    return *m_viewSettings;
}

// The preference reset the window asks about at launch is not asked again
// here: a second answer would remove the settings the window has just
// repaired.
void ContactsViewController::viewDidLoad()
{
    setSelectedFont(systemFont());
    setEditState(true);
    const QVariant widths = userDefaults().objectForKey(columnWidthDictionaryKey);
    if (widths.typeId() == QMetaType::QVariantMap)
        m_columnWidthDictionary = widths.toMap();
    else
        m_columnWidthDictionary.insert(FieldId::Name, double(defaultColumnWidth));

    const QString fontName = userDefaults().stringForKey(defaultFontNameKey);
    if (fontName.isEmpty() || fontName == systemFontName || !QFontDatabase::hasFamily(fontName))
        return;
    const QVariant size = userDefaults().objectForKey(defaultFontSizeKey);
    QFont font(fontName);
    font.setPointSizeF(StoredValue::isNumber(size) && std::isfinite(size.toDouble())
            ? std::max(size.toDouble(), smallestStoredFontSize)
            : double(systemFontSize));
    setSelectedFont(font);
}

void ContactsViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        viewWillAppear();
}

void ContactsViewController::viewWillAppear()
{
    setSelectedViewType(viewSettings().selectedViewType());
    const SortDescriptor last = lastSortDescriptor(userDefaults());
    makeFirstResponder();
    if (subContactTable().isEmpty())
        return;
    if (m_sortDescriptors.isEmpty() || m_sortDescriptors.first().key != last.key)
        setSortDescriptors({last});
    selectRowIndexes({0});
}

SortDescriptor ContactsViewController::lastSortDescriptor(const UserDefaults &defaults)
{
    const QVariant stored = defaults.objectForKey(lastSortDescKey);
    const QVariantMap entry = stored.toMap();
    const QVariant key = entry.value(QStringLiteral("key"));
    const QVariant ascending = entry.value(QStringLiteral("ascending"));
    if (stored.typeId() != QMetaType::QVariantMap || key.typeId() != QMetaType::QString || key.toString().isEmpty()
        || ascending.typeId() != QMetaType::Bool)
        return {QStringLiteral("compositeName"), true};
    return {key.toString(), ascending.toBool()};
}

void ContactsViewController::setDelegate(ContactsViewControllerDelegate *delegate)
{
    m_delegate = delegate;
    m_model->setDelegate(delegate);
}

void ContactsViewController::setContactTable(const ContactTablePtr &contactTable)
{
    m_model->setContactTable(contactTable);
}

bool ContactsViewController::copy()
{
    return m_dragAndDrop->copy();
}

bool ContactsViewController::copyAsCSV()
{
    return m_dragAndDrop->copyAsCSV();
}

const ContactTablePtr &ContactsViewController::contactTable() const
{
    return m_model->contactTable();
}

void ContactsViewController::setSelectedLabels(const QStringList &labels)
{
    m_model->setSelectedLabels(labels);
}

int ContactsViewController::rowHeightFor(qreal lineHeight, qreal pointSize)
{
    int height = int(std::trunc(std::ceil(lineHeight) + 4));
    const qreal scaled = std::ceil(pointSize * 1.42);
    if (scaled > height)
        height = int(std::trunc(scaled + 4));
    return std::max(height, smallestRowHeight);
}

void ContactsViewController::setSelectedFont(const QFont &font)
{
    QFont bold = font;
    bold.setBold(true);
    m_model->setSelectedFont(font, bold);
    const QFontMetricsF metrics(font);
    const qreal pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    m_model->setRowHeight(rowHeightFor(metrics.ascent() + metrics.descent() + metrics.leading(), pointSize));
    m_tableView->verticalHeader()->setDefaultSectionSize(m_model->rowHeight());
    redisplay();
    for (ContactInfoPopoverPane *pane : contactViewPanes())
        pane->setSelectedFont(font);
    if (SimpleInfoPanelController *sheet = m_contactCommands ? m_contactCommands->simpleInfoPanelController() : nullptr)
        sheet->setSelectedFont(font);
}

const QFont &ContactsViewController::selectedFont() const
{
    return m_model->selectedFont();
}

int ContactsViewController::rowHeight() const
{
    return m_model->rowHeight();
}

void ContactsViewController::setEditState(bool editState)
{
    // The text typed before the lock is kept; nothing is typed after it.
    if (!editState)
        commitEditing();
    m_model->setEditState(editState);
    m_tableView->viewport()->update();
}

bool ContactsViewController::editState() const
{
    return m_model->editState();
}

// The rows keep their heights while finding (the cells mark hits on the
// lines they have): the table is only painted again, not measured.
void ContactsViewController::setFindString(const QString &findString)
{
    m_model->setFindString(findString);
    m_tableView->viewport()->update();
}

void ContactsViewController::setFindOptions(const QString &findOptions)
{
    m_model->setFindOptions(findOptions);
    m_tableView->viewport()->update();
}

void ContactsViewController::setSelectedItemAndRange(const ItemAndRangeRecordPtr &target)
{
    // No current hit before and after: no cell changes.
    if (!target && !m_model->selectedItemAndRange())
        return;
    m_model->setSelectedItemAndRange(target);
    m_tableView->viewport()->update();
}

const QList<SubContactRecordPtr> &ContactsViewController::subContactTable() const
{
    return m_model->subContactTable();
}

void ContactsViewController::updateSubContactTable()
{
    m_model->updateSubContactTable();
}

void ContactsViewController::sortSubContactTable(const QList<SortDescriptor> &descriptors)
{
    m_model->sortSubContactTable(descriptors);
}

void ContactsViewController::reload()
{
    reloadRows(true);
}

void ContactsViewController::reloadRows(bool measuring)
{
    const SubContactRecordPtr sender = m_model->reload();
    m_tableView->clearSpans();
    const int rows = int(m_model->subContactTable().size());
    if (rows > 0 && m_model->columnCount() > 1)
        m_tableView->setSpan(rows, 0, 1, m_model->columnCount());
    applyColumnWidths();
    showSortIndicator();
    setRowHeights(measuring ? m_model->heightsOfRows() : m_model->measuredHeightsOfRows());
    if (!m_delegate)
        return;
    // A sender marked on a contact outside the shown group stays the
    // sender; one whose mark was undone, whose contact was deleted, or whose
    // contact a revert replaced, is none any more.
    if (sender || !senderStillMarked(m_delegate->senderInHagakiView(), *m_delegate))
        m_delegate->changeSenderInHagakiView(sender);
}

void ContactsViewController::redisplay()
{
    updateRowHeights();
    m_tableView->viewport()->update();
}

// A header that paints resizes a section by finding where it starts, which
// walks every row before it: a find that wraps a thousand rows of 100,000
// spent seconds there. With its painting held, the header only notes each
// size, and the rows' positions are worked out once when the table asks.
void ContactsViewController::updateRowHeights()
{
    setRowHeights(m_model->heightsOfRows());
}

void ContactsViewController::setRowHeights(const QList<int> &heights)
{
    QHeaderView *header = m_tableView->verticalHeader();
    const bool painting = header->updatesEnabled();
    header->setUpdatesEnabled(false);
    for (int row = 0; row < heights.size(); ++row) {
        if (heights.at(row) != header->sectionSize(row))
            header->resizeSection(row, heights.at(row));
    }
    header->setUpdatesEnabled(painting);
}

void ContactsViewController::updateTable()
{
    const std::optional<ContactTableCellEditor::OpenCellEdit> openEdit = m_cellEditor->takeOpenCellEdit();
    const QStringList labels = viewSettings().selectedLabels();
    if (!labels.isEmpty())
        m_model->setSelectedLabels(labels);
    const QList<int> selected = selectedRowIndexes();
    std::optional<RowAnchor> anchor = selected.isEmpty() ? std::nullopt : anchorOfRow(selected.first());
    if (anchor && m_sortDescriptors.isEmpty()) {
        anchor->addressText.reset();
        anchor->anyRow = true;
    }
    rebuildKeepingSelection(anchor, anchor ? selected : QList<int>{0});
    if (!m_rowsToSelect.isEmpty())
        setRowsSelected(std::exchange(m_rowsToSelect, {}));
    refreshContactViews();
    if (openEdit)
        m_cellEditor->reopenCellEdit(*openEdit);
}

void ContactsViewController::updateRowsOfContacts(const QList<PersonRecordPtr> &contacts)
{
    // A changed sort key moves its rows: that takes the whole rebuild.
    bool moved = false;
    if (!m_sortDescriptors.isEmpty()) {
        ContactTableModel::SubContactTable sorted = m_model->subContactTable();
        SubContactTableSorter::sort(sorted, m_sortDescriptors.first());
        moved = sorted != m_model->subContactTable();
    }
    if (moved || !m_model->refreshRowsOfContacts(contacts)) {
        updateTable();
        return;
    }
    updateRowHeights();
    // A contact's own window shows what was typed in the detail pane, its
    // name in the title too; the windows of other contacts stay as they are.
    QSet<UniqueId> edited;
    for (const PersonRecordPtr &contact : contacts) {
        if (contact)
            edited.insert(contact->uniqueId);
    }
    refreshContactViews(edited);
}

void ContactsViewController::rebuildKeepingSelection(
    const std::optional<RowAnchor> &anchor, const QList<int> &otherwise)
{
    m_model->updateSortedSubContactTable(m_sortDescriptors);
    reload();
    selectAnchorRow(anchor, otherwise);
}

void ContactsViewController::selectAnchorRow(const std::optional<RowAnchor> &anchor, const QList<int> &otherwise)
{
    const int found = anchor ? findAnchorRow(*anchor) : -1;
    selectRowIndexes(found >= 0 ? QList<int>{found} : otherwise);
}

void ContactsViewController::setSortDescriptors(const QList<SortDescriptor> &descriptors)
{
    const QList<SortDescriptor> previous = m_sortDescriptors;
    m_sortDescriptors = descriptors;
    sortDescriptorsDidChange(previous);
}

void ContactsViewController::sortDescriptorsDidChange(const QList<SortDescriptor> &previous)
{
    QList<int> remembered = selectedRowIndexes();
    if (remembered.isEmpty())
        remembered = {0};
    const int selected = selectedRow();
    if (m_sortDescriptors.isEmpty()) {
        showSortIndicator();
        return;
    }
    const std::optional<RowAnchor> anchor = anchorOfRow(selected);
    const SortDescriptor &first = m_sortDescriptors.first();
    const bool contactsSorted = sortContactsForDescriptors(previous);
    // A sort by a contact's name moves its rows as they are, measured.
    if (m_model->reorderRows(first, contactsSorted)) {
        reloadRows(false);
        selectAnchorRow(anchor, remembered);
    } else {
        rebuildKeepingSelection(anchor, remembered);
    }
    rememberSortDescriptor();
}

// What a new sort does to the contacts themselves, before their rows are
// placed: the contact list sorted when the first key changed, and each
// contact's values of the key in order. True when the list now stands in the
// rows' order.
bool ContactsViewController::sortContactsForDescriptors(const QList<SortDescriptor> &previous)
{
    const SortDescriptor &first = m_sortDescriptors.first();
    bool contactsSorted = false;
    if (m_delegate && (previous.isEmpty() || !sameDescriptor(previous.first(), first))) {
        m_delegate->sortDescriptorsDidChange(m_sortDescriptors);
        contactsSorted = m_delegate->sortsContactsByRowKey(first);
    }
    // Only a field of labeled values has values to put in order: asking each
    // of 50,000 contacts for a name's was a twentieth of a re-sort.
    const ContactTablePtr &contacts = m_model->contactTable();
    if (contacts && MVPerson::labeledIdentifiers().contains(first.key)) {
        for (const ContactRecordPtr &contact : std::as_const(*contacts)) {
            if (contact && contact->person)
                contact->person->sortLabeledValueForSortDescriptor(first);
        }
    }
    return contactsSorted;
}

void ContactsViewController::rememberSortDescriptor()
{
    const SortDescriptor &first = m_sortDescriptors.first();
    userDefaults().setObject(
        QVariantMap{{QStringLiteral("key"), first.key}, {QStringLiteral("ascending"), first.ascending}},
        lastSortDescKey);
}

// A new list's rows are stale until the rebuild: sorting them first, as
// setSortDescriptors would, built and measured every row twice on a start
// with 50,000 contacts.
void ContactsViewController::showContactTable(
    const ContactTablePtr &contactTable, const QList<SortDescriptor> &descriptors)
{
    setContactTable(contactTable);
    const QList<SortDescriptor> previous = std::exchange(m_sortDescriptors, descriptors);
    if (!m_sortDescriptors.isEmpty()) {
        (void)sortContactsForDescriptors(previous);
        rememberSortDescriptor();
    }
    updateTable();
}

// A click sorts by the column's key; on the column sorted by it reverses.
// Earlier descriptors stay behind the new first one.
void ContactsViewController::headerClicked(int column)
{
    if (column < 0 || column >= m_sortKeys.size() || m_sortKeys.at(column).isEmpty())
        return;
    const QString &key = m_sortKeys.at(column);
    QList<SortDescriptor> descriptors = m_sortDescriptors;
    if (!descriptors.isEmpty() && descriptors.first().key == key) {
        descriptors.first().ascending = !descriptors.first().ascending;
    } else {
        descriptors.removeIf([&key](const SortDescriptor &descriptor) { return descriptor.key == key; });
        descriptors.prepend({key, true});
    }
    setSortDescriptors(descriptors);
}

void ContactsViewController::showSortIndicator()
{
    QHeaderView *header = m_tableView->horizontalHeader();
    const qsizetype column = m_sortDescriptors.isEmpty() ? -1 : m_sortKeys.indexOf(m_sortDescriptors.first().key);
    const bool ascending = m_sortDescriptors.isEmpty() || m_sortDescriptors.first().ascending;
    header->setSortIndicator(int(column), ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void ContactsViewController::tableViewSelectionDidChange()
{
    Q_EMIT selectionDidChange();
    if (!m_delegate || m_selectingQuietly)
        return;
    // A Ctrl+click that deselects the current row changes the selection too:
    // the others hear of it, with the last selected row standing for it.
    if (const SubContactRecordPtr row = m_model->subContactAt(selectedRow()))
        m_delegate->rowSelectionDidChange(row);
}
