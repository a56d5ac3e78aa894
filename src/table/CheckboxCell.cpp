#include "table/CheckboxCell.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

QRect CheckboxCell::indicatorRect(const QRect &frame, const QWidget *widget)
{
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
    return {frame.left() + (frame.width() - width) / 2, frame.top() + (frame.height() - height) / 2, width, height};
}

QRect CheckboxCell::frameInCell(const QRect &rect) const
{
    const int lineHeight = m_rowHeight > 0 ? int(m_rowHeight) : rect.height();
    return {rect.left(), rect.top(), rect.width(), lineHeight};
}

void CheckboxCell::paintCheckbox(
    QPainter *painter, const QRect &frame, bool checked, const QWidget *widget, bool enabled)
{
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton option;
    option.rect = indicatorRect(frame, widget);
    option.state
        = (enabled ? QStyle::State_Enabled : QStyle::State_None) | (checked ? QStyle::State_On : QStyle::State_Off);
    if (widget)
        option.palette = widget->palette();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, widget);
}

void CheckboxCell::paint(QPainter *painter, const QRect &rect, const QWidget *widget) const
{
    paintCheckbox(painter, frameInCell(rect), m_checked, widget, m_enabled);
}
