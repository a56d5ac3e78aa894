#include "find/FindResultsModel.h"

#include "find/FindSearch.h"
#include "model/FieldVocabulary.h"
#include "platform/UndoManager.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int LineHeight = 24;

} // namespace

FindResultsModel::FindResultsModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_undoManager(new UndoManager(this))
{
}

void FindResultsModel::search(const QString &searchString, uint compareOptions, const QList<PersonRecordPtr> &contacts,
    const QStringList &items, const QStringList &subItems, const QStringList &labels)
{
    beginResetModel();
    m_searchString = searchString;
    m_compareOptions = compareOptions;
    m_rows.clear();
    const TextMatcher matcher(searchString, compareOptions);
    const FindSearch::Query query(items, subItems, labels);
    for (const PersonRecordPtr &contact : contacts)
        m_rows.append(FindSearch::searchContact(matcher, query, contact));
    m_selectedRow = m_rows.isEmpty() ? -1 : 0;
    m_selectedRangeIndex = m_rows.isEmpty() ? -1 : 0;
    endResetModel();
    Q_EMIT currentRowChanged(m_selectedRow);
}

bool FindResultsModel::isDateRow(const FindResultRow &row)
{
    return row.item == FieldId::Birthday || row.item == FieldId::Dates;
}

int FindResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FindResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString FindResultsModel::columnText(const FindResultRow &row, int column) const
{
    switch (column) {
    case NameColumn:
        return row.name;
    case ItemColumn:
        return FieldVocabulary::localizedIdentifierForKey(row.item);
    case SubItemColumn:
        return row.subItem.isEmpty() ? QString() : FieldVocabulary::localizedIdentifierForKey(row.subItem);
    case LabelColumn:
        return row.label.isEmpty()
            ? QString()
            : FieldVocabulary::localizedLabelFromCNLabel(FieldVocabulary::CNLabelFromLabel(row.label));
    case ValueColumn:
        return row.value;
    default:
        return {};
    }
}

QVariant FindResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const FindResultRow &row = *m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return columnText(row, index.column());
    case Qt::SizeHintRole: {
        const qsizetype lines = row.value.count(QLatin1Char('\n')) + 1;
        return QSize(-1, LineHeight * int(std::max<qsizetype>(lines, 1)));
    }
    case RangesRole:
        return QVariant::fromValue(row.ranges);
    case CurrentRangeRole:
        return index.row() == m_selectedRow ? m_selectedRangeIndex : -1;
    default:
        return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return tr("Name");
    case ItemColumn:
        return tr("Item");
    case SubItemColumn:
        return tr("Sub Item");
    case LabelColumn:
        return tr("Label");
    case ValueColumn:
        return tr("Value");
    default:
        return {};
    }
}

Qt::ItemFlags FindResultsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.column() == ValueColumn && index.row() < m_rows.size()
        && !isDateRow(*m_rows.at(index.row())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FindResultsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !m_editable || index.column() != ValueColumn || index.row() >= m_rows.size())
        return false;
    const FindResultRowPtr row = m_rows.at(index.row());
    const QString text = value.toString();
    if (isDateRow(*row) || text == row->value)
        return false;
    return undoReplaceValue(text, {TextRange{0, 0}}, row);
}

void FindResultsModel::sort(int column, Qt::SortOrder order)
{
    if (m_rows.isEmpty())
        return;
    const FindResultRowPtr remembered
        = (m_selectedRow >= 0 && m_selectedRow < m_rows.size()) ? m_rows.at(m_selectedRow) : nullptr;
    Q_EMIT layoutAboutToBeChanged();
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const FindResultRowPtr &a, const FindResultRowPtr &b) {
        const int compared = columnText(*a, column).localeAwareCompare(columnText(*b, column));
        return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
    });
    Q_EMIT layoutChanged();
    if (remembered)
        m_selectedRow = int(m_rows.indexOf(remembered));
    Q_EMIT currentRowChanged(m_selectedRow);
}

void FindResultsModel::reloadValue(int row)
{
    if (row >= 0 && row < m_rows.size() && !m_batch)
        Q_EMIT dataChanged(index(row, ValueColumn), index(row, ValueColumn));
}

void FindResultsModel::reloadValue(const FindResultRowPtr &row)
{
    if (!m_batch)
        reloadValue(int(m_rows.indexOf(row)));
}
