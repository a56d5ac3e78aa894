#include "table/GroupOutlineModel.h"

#include "table/DragTypes.h"
#include "table/GroupViewController.h"

#include <QSize>

namespace {

// A group's item carries its container's row plus one; a container's none.
constexpr quintptr containerItemId = 0;

} // namespace

GroupOutlineModel::GroupOutlineModel(GroupViewController *controller)
    : QAbstractItemModel(controller)
    , m_controller(controller)
{
}

void GroupOutlineModel::reload()
{
    beginResetModel();
    m_items.clear();
    if (m_containerTable) {
        for (const ContainerRecordPtr &container : std::as_const(*m_containerTable)) {
            if (!container)
                continue;
            ContainerItem item{container, {}};
            for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
                if (group && !group->deleted)
                    item.groups.append(group);
            }
            m_items.append(std::move(item));
        }
    }
    endResetModel();
}

ContainerRecordPtr GroupOutlineModel::containerAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    const qsizetype row = index.internalId() == containerItemId ? index.row() : qsizetype(index.internalId() - 1);
    return row >= 0 && row < m_items.size() ? m_items.at(row).container : nullptr;
}

GroupRecordPtr GroupOutlineModel::groupAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == containerItemId)
        return nullptr;
    const qsizetype containerRow = qsizetype(index.internalId() - 1);
    if (containerRow >= m_items.size())
        return nullptr;
    const QList<GroupRecordPtr> &groups = m_items.at(containerRow).groups;
    return index.row() < groups.size() ? groups.at(index.row()) : nullptr;
}

ContainerRecordPtr GroupOutlineModel::containerOfGroup(const GroupRecordPtr &group) const
{
    for (const ContainerItem &item : m_items) {
        if (item.groups.contains(group))
            return item.container;
    }
    return nullptr;
}

QModelIndex GroupOutlineModel::indexOfGroup(const GroupRecordPtr &group) const
{
    if (!group)
        return {};
    for (qsizetype containerRow = 0; containerRow < m_items.size(); ++containerRow) {
        const qsizetype row = m_items.at(containerRow).groups.indexOf(group);
        if (row >= 0)
            return createIndex(int(row), 0, quintptr(containerRow + 1));
    }
    return {};
}

QModelIndex GroupOutlineModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column != 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, containerItemId);
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex GroupOutlineModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == containerItemId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, containerItemId);
}

int GroupOutlineModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_items.size());
    if (parent.internalId() != containerItemId || parent.column() != 0 || parent.row() >= m_items.size())
        return 0;
    return int(m_items.at(parent.row()).groups.size());
}

int GroupOutlineModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant GroupOutlineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (const GroupRecordPtr group = groupAt(index))
            return group->name;
        if (const ContainerRecordPtr container = containerAt(index))
            return container->name;
        return {};
    case Qt::FontRole:
        return m_selectedFont;
    case Qt::SizeHintRole:
        return QSize(-1, m_rowHeight);
    default:
        return {};
    }
}

bool GroupOutlineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const GroupRecordPtr group = groupAt(index);
    if (role != Qt::EditRole || !group)
        return false;
    m_controller->textFieldCellChanged(group, value.toString());
    return false;
}

QVariant GroupOutlineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return tr("Groups");
    return QAbstractItemModel::headerData(section, orientation, role);
}

Qt::ItemFlags GroupOutlineModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const GroupRecordPtr group = groupAt(index);
    if (!group)
        return Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (m_editState && !group->top && group->name != allContacts)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList GroupOutlineModel::mimeTypes() const
{
    return {DragType::plainText, DragType::vCard, DragType::stringIndexes};
}

Qt::DropActions GroupOutlineModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

// Qt passes a drop onto an item as that item with no row.
bool GroupOutlineModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent) const
{
    return row == -1 && m_controller->validateDrop(data, parent);
}

bool GroupOutlineModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    return row == -1 && m_controller->acceptDrop(data, parent);
}
