#pragma once

#include <QImage>
#include <QStringList>

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

    // The pages the device takes (see printOrder), each on a page of the
    // device, placed on the paper as the preview shows them whatever corner
    // the device's painter starts at.
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

    // What a print dialog chose of a document's pages. The range is 1-based,
    // 0 standing for the document's first or last page; the page set counts
    // the range's pages from its first; copies are those the pages themselves
    // are repeated for. A CUPS queue takes job options.
    enum class PageSet { All, Odd, Even };
    struct PageChoice {
        int fromPage = 0;
        int toPage = 0;
        PageSet pageSet = PageSet::All;
        int copies = 1;
        bool collate = true;
        bool lastPageFirst = false;
        bool cupsQueue = false;
    };
    // The pages of a document of `pages` pages, one entry a sheet: those of
    // the range that the document has and the page set keeps, the last first
    // when asked, each repeated for the copies, the whole run at a time when
    // collated.
    [[nodiscard]] static std::vector<int> sheetOrder(int pages, const PageChoice &choice);
    // The pages drawn, one entry a sheet, and the job options the printer is
    // then handed (those it had, where it takes any).
    struct PrintPlan {
        std::vector<int> sheets;
        QStringList jobOptions;
    };
    [[nodiscard]] static PrintPlan printPlan(int pages, const PageChoice &choice, const QStringList &jobOptions);
    // A printer's range, page order and the copies it does not make itself;
    // every page once, first page first, for any other device.
    [[nodiscard]] static PageChoice pageChoice(const QPagedPaintDevice &device);
    // The plan of the document's pages for the device, its job options those
    // the device holds.
    [[nodiscard]] static PrintPlan printPlan(const QPagedPaintDevice &device, int pages);
    // The document's pages in the order the device takes them, one entry a
    // sheet.
    [[nodiscard]] static std::vector<int> printOrder(const QPagedPaintDevice &device, int pages);

private:
    static bool renderPdfPages(const PrintDocument &document, const std::vector<int> &order, QPagedPaintDevice &device,
        const std::function<bool(int page)> &beforePage, UndrawnContacts *undrawn);
};
