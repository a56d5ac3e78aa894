#include "interchange/widgets/EncodingListModel_p.h"

EncodingListModel::EncodingListModel(const QList<EncodingRow> &rows, CheckHandler onCheck, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
    , m_onCheck(std::move(onCheck))
{
}

void EncodingListModel::reload()
{
    beginResetModel();
    endResetModel();
}

int EncodingListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int EncodingListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EncodingListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const EncodingRow &row = m_rows.at(index.row());
    if (index.column() == CheckBoxColumn && role == Qt::CheckStateRole)
        return row.checkBox ? Qt::Checked : Qt::Unchecked;
    if (index.column() == NameColumn && role == Qt::DisplayRole)
        return row.encodingName;
    return {};
}

QVariant EncodingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? tr("Encoding") : QString();
}

Qt::ItemFlags EncodingListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == CheckBoxColumn)
        return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool EncodingListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != CheckBoxColumn || role != Qt::CheckStateRole
        || index.row() >= m_rows.size())
        return false;
    m_onCheck(index.row(), value.toInt() == Qt::Checked);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}
