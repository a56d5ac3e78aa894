#pragma once

#include <QImage>

#include <functional>
#include <vector>

class PrintDocument;
class UndrawnContacts;
class QPagedPaintDevice;
class QPainter;

// Puts the pages of a print document onto a printer, a PDF or an image: the
// painter is scaled to points and moved up to the page's strip.
class PageRenderer {
public:
    PageRenderer() = delete;

    // Pages 1 to N, each on a page of the device, placed on the paper as
    // the preview shows them whatever corner the device's painter starts
    // at; N to 1 for a printer asked for the last page first.
    // Once the device is open, beforePage is asked before each page, with
    // how many have begun, whether to go on. False when the device cannot be
    // painted on or the pages were stopped. The contacts some of whose text
    // no face could draw are noted in undrawn when given.
    static bool renderPages(const PrintDocument &document, QPagedPaintDevice &device,
        const std::function<bool(int page)> &beforePage = {}, UndrawnContacts *undrawn = nullptr);
    // One page as a white image of the paper at the resolution.
    [[nodiscard]] static QImage renderPage(const PrintDocument &document, int page, double dotsPerInch);
    // One page onto a painter that draws in points.
    static void renderPage(
        const PrintDocument &document, int page, QPainter &painter, UndrawnContacts *undrawn = nullptr);

    // The document's pages in the order the device takes them.
    [[nodiscard]] static std::vector<int> printOrder(const QPagedPaintDevice &device, int pages);

private:
    // `pages` is the document's page count, already counted by the caller.
    static bool renderPdfPages(const PrintDocument &document, int pages, QPagedPaintDevice &device,
        const std::function<bool(int page)> &beforePage, UndrawnContacts *undrawn);
};
