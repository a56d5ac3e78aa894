#include "table/ImageAndTextCell.h"

#include <QPainter>

namespace {
constexpr int imageMargin = 2;
} // namespace

void ImageAndTextCell::paint(QPainter *painter, const QRect &rect, const QColor &textColor, const QWidget *) const
{
    if (m_image.isNull()) {
        paintText(painter, rect, 0, textColor);
        return;
    }
    const int side = std::max(0, int(lineHeight(rect)) - 2 * imageMargin);
    const QRect imageRect(rect.left() + imageMargin, rect.top() + imageMargin, side, side);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(imageRect, m_image);
    painter->restore();
    paintText(painter, rect, side + imageMargin, textColor);
}
