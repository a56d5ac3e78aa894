#include "table/CheckboxCell.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

void CheckboxCell::paintCheckbox(QPainter *painter, const QRect &frame, bool checked, const QWidget *widget)
{
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton option;
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
    option.rect
        = QRect(frame.left() + (frame.width() - width) / 2, frame.top() + (frame.height() - height) / 2, width, height);
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    if (widget)
        option.palette = widget->palette();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, widget);
}

void CheckboxCell::paint(QPainter *painter, const QRect &rect, const QWidget *widget) const
{
    const int lineHeight = m_rowHeight > 0 ? int(m_rowHeight) : rect.height();
    paintCheckbox(painter, QRect(rect.left(), rect.top(), rect.width(), lineHeight), m_checked, widget);
}
