#include "print/ResizeCursors_p.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int cursorSize = 16;
constexpr int hotSpot = 7;

// The arrow from the bottom-left to the top-right corner of the image.
QImage diagonalArrow()
{
    QImage image(cursorSize, cursorSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1.5, 14.5);
    arrow.lineTo(1.5, 8.5);
    arrow.lineTo(4, 11);
    arrow.lineTo(11, 4);
    arrow.lineTo(8.5, 1.5);
    arrow.lineTo(14.5, 1.5);
    arrow.lineTo(14.5, 7.5);
    arrow.lineTo(12, 5);
    arrow.lineTo(5, 12);
    arrow.lineTo(7.5, 14.5);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(arrow);
    painter.fillPath(arrow, Qt::black);
    return image;
}

} // namespace

namespace ResizeCursors {

QCursor angle45ResizeCursor()
{
    return QCursor(QPixmap::fromImage(diagonalArrow()), hotSpot, hotSpot);
}

QCursor angle135ResizeCursor()
{
    return QCursor(QPixmap::fromImage(diagonalArrow().mirrored(true, false)), hotSpot, hotSpot);
}

} // namespace ResizeCursors
