#include "editors/NameListModel.h"

#include "editors/OneLineField.h"

QVariant NameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return tr("Renmei");
    return QStringListModel::headerData(section, orientation, role);
}

Qt::ItemFlags NameListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (m_editing && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool NameListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editing || role != Qt::EditRole)
        return false;
    // A name pasted from several lines would come back as several names.
    const QString name = OneLineField::flattened(value.toString());
    if (index.data(Qt::EditRole).toString() == name)
        return true;
    if (!QStringListModel::setData(index, name, role))
        return false;
    Q_EMIT nameEdited(index.row());
    return true;
}
