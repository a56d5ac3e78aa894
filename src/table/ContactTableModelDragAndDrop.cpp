// What the table view asks of its model while rows are dragged out and data
// is dropped in; the rules are ContactsDragAndDrop's.

#include "table/ContactTableModel.h"

#include "table/ContactsDragAndDrop.h"
#include "table/DragTypes.h"
#include "table/DraggingMimeData.h"

#include <QMimeData>

namespace {

// The row a drop lands above, and whether it lands onto a row instead: Qt
// passes a drop onto a row as that row's index with no row, and a drop on
// the empty viewport as neither.
struct DropPlace {
    int row = -1;
    ContactsDragAndDrop::DropOperation operation = ContactsDragAndDrop::DropOperation::Above;
};

DropPlace dropPlace(int row, const QModelIndex &parent, int rowCount)
{
    if (parent.isValid())
        return {parent.row(), ContactsDragAndDrop::DropOperation::On};
    return {row >= 0 ? row : rowCount, ContactsDragAndDrop::DropOperation::Above};
}

} // namespace

QStringList ContactTableModel::mimeTypes() const
{
    return {DragType::plainText, DragType::vCard, DragType::oldVCard, DragType::uriList, DragType::stringIndexes};
}

QMimeData *ContactTableModel::mimeData(const QModelIndexList &indexes) const
{
    if (!m_dragAndDrop)
        return nullptr;
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.row() < m_rows.size() && !rows.contains(index.row()))
            rows.append(index.row());
    }
    return rows.isEmpty() ? nullptr : m_dragAndDrop->mimeDataForRows(rows);
}

Qt::DropActions ContactTableModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

Qt::DropActions ContactTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

bool ContactTableModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent) const
{
    if (!m_dragAndDrop)
        return false;
    const DropPlace place = dropPlace(row, parent, rowCount());
    return m_dragAndDrop->validateDrop(data, place.row, place.operation);
}

bool ContactTableModel::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    if (!m_dragAndDrop)
        return false;
    const DropPlace place = dropPlace(row, parent, rowCount());
    return m_dragAndDrop->acceptDrop(data, place.row, place.operation);
}
