#include "table/ContactsViewController.h"

#include "platform/UserDefaults.h"
#include "table/ContactTableCellDelegate.h"
#include "table/ContactTableModel.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/TableColumn.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int systemFontSize = 12;
constexpr int smallestRowHeight = 24;
constexpr int defaultColumnWidth = 120;
constexpr int minimumColumnWidth = 80;

bool sameDescriptor(const SortDescriptor &a, const SortDescriptor &b)
{
    return a.key == b.key && a.ascending == b.ascending;
}

int rowHeightForFont(const QFont &font)
{
    const QFontMetricsF metrics(font);
    int height = int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()) + 4);
    const qreal pointSize = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
    const int scaled = int(std::ceil(pointSize * 1.42));
    if (scaled > height)
        height = scaled + 4;
    return std::max(height, smallestRowHeight);
}

} // namespace

ContactsViewController::ContactsViewController(QWidget *parent)
    : QWidget(parent)
    , m_tableView(new QTableView(this))
    , m_model(new ContactTableModel(this))
    , m_cellDelegate(new ContactTableCellDelegate(m_model, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tableView);
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(m_cellDelegate);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setWordWrap(false);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setMinimumSectionSize(1);
    m_tableView->horizontalHeader()->setDefaultSectionSize(defaultColumnWidth);
    m_tableView->horizontalHeader()->setMinimumSectionSize(minimumColumnWidth);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &ContactsViewController::tableViewSelectionDidChange);
    connect(m_tableView->horizontalHeader(), &QHeaderView::sectionResized, this,
        [this](int column, int, int width) { m_model->setColumnWidth(column, width); });

    QFont font = QApplication::font();
    font.setPointSize(systemFontSize);
    setSelectedFont(font);
}

ContactsViewController::~ContactsViewController() = default;

void ContactsViewController::setDelegate(ContactsViewControllerDelegate *delegate)
{
    m_delegate = delegate;
    m_model->setDelegate(delegate);
}

void ContactsViewController::setContactTable(const ContactTablePtr &contactTable)
{
    m_model->setContactTable(contactTable);
}

const ContactTablePtr &ContactsViewController::contactTable() const
{
    return m_model->contactTable();
}

void ContactsViewController::setColumnIdentifiers(const QStringList &identifiers)
{
    m_model->setColumnIdentifiers(identifiers);
    for (int column = 0; column < identifiers.size(); ++column)
        m_model->setColumnWidth(column, m_tableView->columnWidth(column));
}

void ContactsViewController::setSelectedLabels(const QStringList &labels)
{
    m_model->setSelectedLabels(labels);
}

void ContactsViewController::setSelectedFont(const QFont &font)
{
    QFont bold = font;
    bold.setBold(true);
    m_model->setSelectedFont(font, bold);
    m_model->setRowHeight(rowHeightForFont(font));
    m_tableView->verticalHeader()->setDefaultSectionSize(m_model->rowHeight());
    redisplay();
}

int ContactsViewController::rowHeight() const
{
    return m_model->rowHeight();
}

void ContactsViewController::setEditState(bool editState)
{
    m_model->setEditState(editState);
    m_tableView->viewport()->update();
}

void ContactsViewController::setFindString(const QString &findString)
{
    m_model->setFindString(findString);
    redisplay();
}

void ContactsViewController::setFindOptions(const QString &findOptions)
{
    m_model->setFindOptions(findOptions);
    m_tableView->viewport()->update();
}

void ContactsViewController::setSelectedItemAndRange(const ItemAndRangeRecordPtr &target)
{
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
    const SubContactRecordPtr sender = m_model->reload();
    m_tableView->clearSpans();
    const int rows = int(m_model->subContactTable().size());
    if (rows > 0 && m_model->columnCount() > 1)
        m_tableView->setSpan(rows, 0, 1, m_model->columnCount());
    updateRowHeights();
    if (sender && m_delegate)
        m_delegate->changeSenderInHagakiView(sender);
}

void ContactsViewController::redisplay()
{
    updateRowHeights();
    m_tableView->viewport()->update();
}

void ContactsViewController::updateRowHeights()
{
    QHeaderView *header = m_tableView->verticalHeader();
    const QList<int> heights = m_model->heightsOfRows();
    for (int row = 0; row < heights.size(); ++row) {
        if (heights.at(row) != header->sectionSize(row))
            header->resizeSection(row, heights.at(row));
    }
}

QList<int> ContactsViewController::selectedRowIndexes() const
{
    QList<int> rows;
    const int count = int(m_model->subContactTable().size());
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows()) {
        if (index.row() < count)
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ContactsViewController::selectedRow() const
{
    const int current = m_tableView->selectionModel()->currentIndex().row();
    if (current >= 0 && m_tableView->selectionModel()->isRowSelected(current) && m_model->subContactAt(current))
        return current;
    const QList<int> rows = selectedRowIndexes();
    return rows.isEmpty() ? -1 : rows.last();
}

void ContactsViewController::selectRowIndexes(const QList<int> &rows)
{
    QItemSelection selection;
    const int lastColumn = std::max(0, m_model->columnCount() - 1);
    for (const int row : rows) {
        if (m_model->subContactAt(row))
            selection.select(m_model->index(row, 0), m_model->index(row, lastColumn));
    }
    QItemSelectionModel *selectionModel = m_tableView->selectionModel();
    if (!selection.isEmpty())
        selectionModel->setCurrentIndex(selection.first().topLeft(), QItemSelectionModel::NoUpdate);
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!selection.isEmpty())
        m_tableView->scrollTo(selection.first().topLeft());
}

std::optional<ContactsViewController::RowAnchor> ContactsViewController::anchorOfRow(int row) const
{
    const SubContactRecordPtr record = m_model->subContactAt(row);
    if (!record)
        return std::nullopt;
    RowAnchor anchor{record->uniqueId, record->labelIndex, std::nullopt, false};
    if (const LabeledValueRecordPtr address
        = TableColumn::labeledValueAt(*record->person, FieldId::Address, record->labelIndex))
        anchor.addressText = address->stringValue;
    return anchor;
}

int ContactsViewController::findAnchorRow(const RowAnchor &anchor) const
{
    const QList<SubContactRecordPtr> &rows = m_model->subContactTable();
    for (int index = 0; index < rows.size(); ++index) {
        const SubContactRecord &row = *rows.at(index);
        if (row.uniqueId != anchor.uniqueId)
            continue;
        if (anchor.anyRow)
            return index;
        if (anchor.addressText) {
            const LabeledValueRecordPtr address
                = TableColumn::labeledValueAt(*row.person, FieldId::Address, row.labelIndex);
            if (address && address->stringValue == *anchor.addressText)
                return index;
        } else if (row.labelIndex == anchor.labelIndex) {
            return index;
        }
    }
    return -1;
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
    if (m_sortDescriptors.isEmpty())
        return;
    const std::optional<RowAnchor> anchor = anchorOfRow(selected);
    const SortDescriptor &first = m_sortDescriptors.first();
    if (m_delegate && (previous.isEmpty() || !sameDescriptor(previous.first(), first)))
        m_delegate->sortDescriptorsDidChange(m_sortDescriptors);
    if (const ContactTablePtr &contacts = m_model->contactTable()) {
        for (const ContactRecordPtr &contact : std::as_const(*contacts)) {
            if (contact && contact->person)
                contact->person->sortLabeledValueForSortDescriptor(first);
        }
    }
    updateSubContactTable();
    sortSubContactTable(m_sortDescriptors);
    reload();
    const int found = anchor ? findAnchorRow(*anchor) : -1;
    selectRowIndexes(found >= 0 ? QList<int>{found} : remembered);
    UserDefaults::standardUserDefaults().setObject(
        QVariantMap{{QStringLiteral("key"), first.key}, {QStringLiteral("ascending"), first.ascending}},
        lastSortDescKey);
}

void ContactsViewController::tableViewSelectionDidChange()
{
    if (!m_delegate)
        return;
    const int current = m_tableView->selectionModel()->currentIndex().row();
    if (current < 0 || !m_tableView->selectionModel()->isRowSelected(current))
        return;
    if (const SubContactRecordPtr row = m_model->subContactAt(current))
        m_delegate->rowSelectionDidChange(row);
}
