#include "print/PageRenderer.h"

#include "platform/widgets/TextMappedFaces.h"
#include "print/HagakiView.h"

#include <QPaintEngine>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

constexpr double pointsPerInch = 72;

bool beginInPoints(QPainter &painter, QPagedPaintDevice &device)
{
    if (!painter.begin(&device)) {
        qWarning("%s: ERROR can't paint on the print device", Q_FUNC_INFO);
        return false;
    }
    painter.scale(device.logicalDpiX() / pointsPerInch, device.logicalDpiY() / pointsPerInch);
    return true;
}

bool writesPdf(QPagedPaintDevice &device)
{
    const QPaintEngine *engine = device.paintEngine();
    return engine && engine->type() == QPaintEngine::Pdf;
}

// Every glyph drawn from a copy of its face that names it by the character it
// was drawn for, so that the PDF's text is the text printed.
void drawGlyphsAsTheirCharacters(std::vector<DrawList> &lists, TextMappedFaces &faces)
{
    for (DrawList &list : lists)
        list.changeGlyphs([&faces](PlacedGlyph &glyph) { faces.add(glyph.font, glyph.glyph, glyph.character); });
    faces.build();
    for (DrawList &list : lists) {
        list.changeGlyphs([&faces](PlacedGlyph &glyph) {
            const TextMappedFaces::Mapped mapped = faces.mapped(glyph.font, glyph.glyph, glyph.character);
            glyph.font = mapped.font;
            glyph.glyph = mapped.glyph;
        });
    }
}

} // namespace

bool PageRenderer::renderPages(
    HagakiView &view, QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage)
{
    const int pages = view.knowsPageRange();
    if (pages <= 0)
        return true;
    if (writesPdf(device))
        return renderPdfPages(view, pages, device, beforePage);
    QPainter painter;
    if (!beginInPoints(painter, device))
        return false;
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

// The pages are laid out before any is painted: a glyph's face copy must hold
// every glyph drawn from it before the first is drawn.
bool PageRenderer::renderPdfPages(
    HagakiView &view, int pages, QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage)
{
    TextMappedFaces faces;
    std::vector<DrawList> lists;
    QPainter painter;
    if (!beginInPoints(painter, device))
        return false;
    lists.reserve(std::size_t(pages));
    for (int page = 1; page <= pages; ++page) {
        if (beforePage && !beforePage(page))
            return false;
        lists.push_back(view.drawList(view.rectForPage(page)));
    }
    drawGlyphsAsTheirCharacters(lists, faces);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !device.newPage()) {
            qWarning("%s: ERROR can't start page %d", Q_FUNC_INFO, page);
            return false;
        }
        painter.save();
        painter.translate(0, -view.rectForPage(page).y());
        lists.at(std::size_t(page - 1)).paint(painter);
        painter.restore();
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
