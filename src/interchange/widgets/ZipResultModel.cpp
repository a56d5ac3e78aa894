#include "interchange/widgets/ZipResultModel_p.h"

ZipResultModel::ZipResultModel(const QList<PostalRecord> &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
}

void ZipResultModel::reload()
{
    beginResetModel();
    endResetModel();
}

int ZipResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.size());
}

int ZipResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant ZipResultModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_table.size())
        return {};
    const PostalRecord &record = m_table.at(index.row());
    switch (index.column()) {
    case ZipColumn:
        return record.zip;
    case CompanyColumn:
        return record.company;
    default:
        return QStringLiteral("%1%2%3 %4 %5")
            .arg(record.state, record.city, record.street, record.phoneticCity, record.phoneticStreet);
    }
}

QVariant ZipResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ZipColumn:
        return tr("ZIP");
    case CompanyColumn:
        return tr("Company");
    default:
        return tr("Address");
    }
}
