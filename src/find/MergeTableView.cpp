#include "find/MergeTableView.h"

#include "find/MergePanelController.h"
#include "find/MergeTableModel.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>

MergeTableView::MergeTableView(MergePanelController *panel, bool left, QWidget *parent)
    : QTableView(parent)
    , m_panel(panel)
    , m_left(left)
{
    setObjectName(left ? QStringLiteral("tableViewLeft") : QStringLiteral("tableViewRight"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragDropOverwriteMode(false);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

void MergeTableView::editRow(int row)
{
    const QModelIndex index = model() ? model()->index(row, MergeTableModel::ValueColumn) : QModelIndex();
    if (!index.isValid())
        return;
    selectRow(row);
    setCurrentIndex(index);
    scrollTo(index);
    edit(index);
}

void MergeTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        m_panel->tableViewDoubleAction(m_left, index, event->modifiers());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

// The rows stay where they are after a move: the panel's drop has already
// taken the value out of this side.
void MergeTableView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndexList indexes = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    if (indexes.isEmpty() || !model())
        return;
    QMimeData *data = model()->mimeData(indexes);
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(supportedActions, Qt::MoveAction);
}

namespace {

// Ctrl held copies, anything else moves, whatever the platform proposed.
Qt::DropAction chooseAction(QDropEvent *event)
{
    const bool copy = event->modifiers().testFlag(Qt::ControlModifier);
    const Qt::DropAction action = copy ? Qt::CopyAction : Qt::MoveAction;
    if (event->possibleActions().testFlag(action))
        event->setDropAction(action);
    return event->dropAction();
}

} // namespace

void MergeTableView::dragMoveEvent(QDragMoveEvent *event)
{
    chooseAction(event);
    QTableView::dragMoveEvent(event);
}

// The table accepts a drop with the platform's proposed action: the source
// is told what the drop did.
void MergeTableView::dropEvent(QDropEvent *event)
{
    const Qt::DropAction action = chooseAction(event);
    QTableView::dropEvent(event);
    if (event->isAccepted())
        event->setDropAction(action);
}

void MergeTableView::dragLeaveEvent(QDragLeaveEvent *event)
{
    QTableView::dragLeaveEvent(event);
}

// Straight to the handlers: sent to the viewport, the event would go on to
// the widget at its position, the well it came from.
void MergeTableView::takeDragEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
        dragEnterEvent(static_cast<QDragEnterEvent *>(event));
        break;
    case QEvent::DragMove:
        dragMoveEvent(static_cast<QDragMoveEvent *>(event));
        break;
    case QEvent::Drop:
        dropEvent(static_cast<QDropEvent *>(event));
        break;
    case QEvent::DragLeave:
        dragLeaveEvent(static_cast<QDragLeaveEvent *>(event));
        break;
    default:
        break;
    }
}
