#include "table/SelectedCellBackground.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

QColor paintSelectedCellBackground(QPainter *painter, const QStyleOptionViewItem &option)
{
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
        : option.state & QStyle::State_Active                                  ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    return option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
}
