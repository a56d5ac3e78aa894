#include "editors/SeparatorBox.h"

#include <QPainter>
#include <QPen>

SeparatorBox::SeparatorBox(QWidget *parent)
    : QWidget(parent)
{
    setMinimumHeight(1);
}

void SeparatorBox::setBorderWidth(qreal width)
{
    m_borderWidth = width;
    update();
}

void SeparatorBox::setBorderColor(const QColor &color)
{
    m_borderColor = color;
    update();
}

void SeparatorBox::setFillColor(const QColor &color)
{
    m_fillColor = color;
    update();
}

void SeparatorBox::showEditState(bool editing)
{
    if (editing)
        setBorderWidth(2);
    const QColor color = editing ? QColor(Qt::red) : QColor(Qt::gray);
    setBorderColor(color);
    setFillColor(color);
}

void SeparatorBox::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const qreal inset = m_borderWidth / 2;
    const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(m_borderWidth > 0 ? QPen(m_borderColor, m_borderWidth) : QPen(Qt::NoPen));
    painter.setBrush(m_fillColor);
    painter.drawRect(box);
}
