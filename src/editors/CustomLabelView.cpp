#include "editors/CustomLabelView.h"

#include <QPainter>

CustomLabelView::CustomLabelView(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CustomLabelView::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromHsvF(0, 0, 0.9, 0.9));
}
