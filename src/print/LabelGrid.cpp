#include "print/LabelGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// How many items of the pitch fit into the extent; at least one, also for a
// pitch of nothing.
qint64 fittingCount(double extent, double pitch)
{
    const double count = extent / pitch;
    if (!std::isfinite(count) || count < 1)
        return 1;
    return static_cast<qint64>(std::min(count, 1e6));
}

} // namespace

LabelGrid LabelGrid::make(
    const QRectF &imageable, const QMarginsF &margins, const QSizeF &labelSize, const QSizeF &gaps, double paperHeight)
{
    LabelGrid grid;
    grid.origin = imageable.topLeft() + QPointF(margins.left(), margins.top());
    grid.labelSize = labelSize;
    grid.pitch = labelSize + gaps;
    grid.columns = fittingCount(imageable.width() - margins.left() - margins.right(), grid.pitch.width());
    grid.rows = fittingCount(imageable.height() - margins.top() - margins.bottom(), grid.pitch.height());
    grid.paperHeight = paperHeight;
    return grid;
}

QRectF LabelGrid::slotRect(qint64 slot) const
{
    const qint64 column = slot % columns;
    const qint64 row = (slot / columns) % rows;
    const double page = double(pageOfSlot(slot));
    return {origin.x() + double(column) * pitch.width(), origin.y() + double(row) * pitch.height() + page * paperHeight,
        labelSize.width(), labelSize.height()};
}

qint64 LabelGrid::pageCount(qint64 labels) const
{
    if (labels <= 0)
        return 1;
    return (labels + labelsPerPage() - 1) / labelsPerPage();
}

qint64 LabelGrid::pageAt(double y) const
{
    if (!(paperHeight > 0))
        return 0;
    const double page = std::floor((y + 10) / paperHeight);
    return std::isfinite(page) ? static_cast<qint64>(std::clamp(page, -1e9, 1e9)) : 0;
}
