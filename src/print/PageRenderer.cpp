#include "print/PageRenderer.h"

#include "print/HagakiView.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

constexpr double pointsPerInch = 72;

} // namespace

bool PageRenderer::renderPages(
    HagakiView &view, QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage)
{
    const int pages = view.knowsPageRange();
    if (pages <= 0)
        return true;
    QPainter painter;
    if (!painter.begin(&device)) {
        qWarning("%s: ERROR can't paint on the print device", Q_FUNC_INFO);
        return false;
    }
    painter.scale(device.logicalDpiX() / pointsPerInch, device.logicalDpiY() / pointsPerInch);
    for (int page = 1; page <= pages; ++page) {
        if (beforePage && !beforePage(page))
            return false;
        if (page > 1 && !device.newPage()) {
            qWarning("%s: ERROR can't start page %d", Q_FUNC_INFO, page);
            return false;
        }
        renderPage(view, page, painter);
    }
    return painter.end();
}

QImage PageRenderer::renderPage(HagakiView &view, int page, double dotsPerInch)
{
    const double scale = dotsPerInch / pointsPerInch;
    const QRectF strip = view.rectForPage(page);
    QImage image(std::ceil(strip.width() * scale), std::ceil(strip.height() * scale), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    renderPage(view, page, painter);
    return image;
}

void PageRenderer::renderPage(HagakiView &view, int page, QPainter &painter)
{
    const QRectF strip = view.rectForPage(page);
    painter.save();
    painter.translate(0, -strip.y());
    view.drawRect(painter, strip);
    painter.restore();
}
