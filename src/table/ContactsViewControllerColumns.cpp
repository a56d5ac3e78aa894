// The contact table's columns: the view type's identifiers, their widths and
// sort keys, and the moves and resizes the user makes in the header.

#include "table/ContactsViewController.h"

#include "platform/StoredValue.h"
#include "platform/UserDefaults.h"
#include "table/ContactTableModel.h"
#include "table/ViewSettings.h"

#include <QHeaderView>
#include <QTableView>

#include <cmath>

namespace {

const QString senderColumn = QStringLiteral("Sender");
// "Sender" and "Name" hold the first two positions for good.
constexpr int fixedColumns = 2;

} // namespace

void ContactsViewController::setColumnIdentifiers(const QStringList &identifiers)
{
    m_model->setColumnIdentifiers(identifiers);
    const ViewSettings &settings = viewSettings();
    m_sortKeys.clear();
    for (const QString &identifier : identifiers) {
        const QString selected = settings.selectedSortKey(identifier);
        if (identifier == senderColumn)
            m_sortKeys.append(QString());
        else
            m_sortKeys.append(selected.isEmpty() ? identifier : selected);
    }
}

QStringList ContactsViewController::columnIdentifiers() const
{
    return m_model->columnIdentifiers();
}

void ContactsViewController::setSelectedViewType(const QString &viewType)
{
    updateColumnsInTableView(viewSettings().viewTypeDict().value(viewType));
}

// The rows are sorted again too: the header shows the sort, and a column
// set that needs other rows would show them in the contact list's order.
void ContactsViewController::updateColumnsInTableView(const QStringList &identifiers)
{
    QStringList columns{senderColumn, FieldId::Name};
    for (const QString &identifier : identifiers) {
        if (!columns.contains(identifier))
            columns.append(identifier);
    }
    const QList<int> selected = selectedRowIndexes();
    std::optional<RowAnchor> anchor = selected.isEmpty() ? std::nullopt : anchorOfRow(selected.first());
    if (anchor)
        anchor->anyRow = true;
    setColumnIdentifiers(columns);
    rebuildKeepingSelection(anchor, selected);
}

void ContactsViewController::sortOptionsChanged(const QString &selectedKey, const QString &columnName)
{
    const qsizetype column = columnIdentifiers().indexOf(columnName);
    if (column >= 0)
        m_sortKeys[column] = selectedKey;
    setSortDescriptors({{selectedKey, true}});
}

// A labeled value's cell gives its label pop-up room before the text.
int ContactsViewController::defaultWidthOfColumn(const QString &identifier)
{
    return TableColumn::make(identifier).showsLabeledValues() ? labeledColumnWidth : defaultColumnWidth;
}

// A width that is no positive number reads as none.
void ContactsViewController::applyColumnWidths()
{
    const QStringList identifiers = columnIdentifiers();
    QHeaderView *header = m_tableView->horizontalHeader();
    m_arrangingColumns = true;
    for (int column = 0; column < identifiers.size(); ++column) {
        const QString &identifier = identifiers.at(column);
        const bool sender = identifier == senderColumn;
        const QVariant stored = m_columnWidthDictionary.value(identifier);
        double width = sender ? senderColumnWidth : defaultWidthOfColumn(identifier);
        if (StoredValue::isNumber(stored) && std::isfinite(stored.toDouble()) && stored.toDouble() > 0)
            width = stored.toDouble();
        const int shown = std::max(int(std::lround(width)), sender ? senderColumnMinimumWidth : minimumColumnWidth);
        header->resizeSection(column, shown);
    }
    m_arrangingColumns = false;
}

void ContactsViewController::columnDidResize(int column, int width)
{
    const QStringList identifiers = columnIdentifiers();
    if (m_arrangingColumns || column < 0 || column >= identifiers.size())
        return;
    const QString &identifier = identifiers.at(column);
    if (identifier != senderColumn && width < minimumColumnWidth) {
        width = minimumColumnWidth;
        m_arrangingColumns = true;
        m_tableView->horizontalHeader()->resizeSection(column, width);
        m_arrangingColumns = false;
    }
    m_columnWidthDictionary.insert(identifier, double(width));
}

// The header is put back at once; an allowed move becomes the columns' own
// order, which is stored.
void ContactsViewController::columnDidMove(int, int oldVisual, int newVisual)
{
    if (m_arrangingColumns)
        return;
    QHeaderView *header = m_tableView->horizontalHeader();
    const QStringList identifiers = columnIdentifiers();
    QStringList order;
    for (int visual = 0; visual < header->count(); ++visual)
        order.append(identifiers.value(header->logicalIndex(visual)));
    m_arrangingColumns = true;
    header->moveSection(newVisual, oldVisual);
    m_arrangingColumns = false;
    if (oldVisual < fixedColumns || newVisual < fixedColumns)
        return;
    const QList<int> selected = selectedRowIndexes();
    setColumnIdentifiers(order);
    reload();
    selectRowIndexes(selected);
    saveColumnWithDictionary();
}

void ContactsViewController::saveColumnWithDictionary()
{
    userDefaults().setObject(m_columnWidthDictionary, columnWidthDictionaryKey);
    ViewSettings &settings = viewSettings();
    if (!settings.selectedViewType().isEmpty())
        settings.setColumns(settings.selectedViewType(), columnIdentifiers());
}
