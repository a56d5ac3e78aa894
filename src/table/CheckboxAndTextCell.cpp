#include "table/CheckboxAndTextCell.h"

#include "table/CheckboxCell.h"

#include <QApplication>
#include <QStyle>
#include <QWidget>

namespace {
constexpr int checkboxMargin = 2;
} // namespace

QRect CheckboxAndTextCell::checkboxFrame(int rowHeight, int numLines, int indicatorWidth)
{
    const int height = rowHeight - 2;
    const double rowsHeight = double(numLines) * rowHeight;
    // Centred, then 2 points lower: the box sits with the text's baseline.
    const int top = int((rowsHeight - height) * 0.5 + 2);
    return {checkboxMargin, top, indicatorWidth, height};
}

QRect CheckboxAndTextCell::checkboxFrameInCell(const QRect &rect, const QWidget *widget) const
{
    QStyle *style = widget ? widget->style() : QApplication::style();
    const int indicatorWidth = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    return checkboxFrame(int(lineHeight(rect)), m_numLines, indicatorWidth).translated(rect.topLeft());
}

void CheckboxAndTextCell::paint(
    QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *widget) const
{
    if (m_checkboxHidden) {
        paintText(painter, rect, 0, textColor);
        return;
    }
    const QRect frame = checkboxFrameInCell(rect, widget);
    CheckboxCell::paintCheckbox(painter, frame, m_checked, widget, m_checkboxEnabled);
    paintText(painter, rect, checkboxMargin + frame.width(), textColor);
}
