#pragma once

#include <QImage>

#include <functional>
#include <vector>

class HagakiView;
class QPagedPaintDevice;
class QPainter;

// Puts the pages of a view onto a printer, a PDF or an image: the painter is
// scaled to points and moved up to the page's strip, so that the view draws
// each page as it would on screen.
class PageRenderer {
public:
    PageRenderer() = delete;

    // Pages 1 to N, each on a page of the device, which starts at the paper's
    // imageable corner; N to 1 for a printer asked for the last page first.
    // Once the device is open, beforePage is asked before each page, with
    // how many have begun, whether to go on. False when the device cannot be
    // painted on or the pages were stopped.
    static bool renderPages(
        HagakiView &view, QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage = {});
    // One page as a white image of the paper at the resolution.
    [[nodiscard]] static QImage renderPage(HagakiView &view, int page, double dotsPerInch);
    // One page onto a painter that draws in points.
    static void renderPage(HagakiView &view, int page, QPainter &painter);

    // The view's pages in the order the device takes them.
    [[nodiscard]] static std::vector<int> printOrder(const QPagedPaintDevice &device, int pages);

private:
    // `pages` is the view's page count, already counted by the caller.
    static bool renderPdfPages(
        HagakiView &view, int pages, QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage);
};
