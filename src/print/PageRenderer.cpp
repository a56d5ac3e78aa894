#include "print/PageRenderer.h"

#include "platform/widgets/TextMappedFaces.h"
#include "print/PrintDocument.h"
#include "print/PrinterJobOptions.h"
#include "print/PrintUnits.h"

#include <QPaintEngine>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using PrintUnits::pointsPerInch;

// The pages are drawn in the paper's points, but a device's painter starts
// where its layout's margins end: a printer's at the corner of the part of
// the paper it reaches, a PDF's of the whole paper at the paper's corner.
// The painter is moved back by that corner, once, so that every page lands
// on the paper where the preview shows it.
bool beginOnThePaper(QPainter &painter, QPagedPaintDevice &device)
{
    if (!painter.begin(&device)) {
        qWarning("%s: ERROR can't paint on the print device", Q_FUNC_INFO);
        return false;
    }
    painter.scale(device.logicalDpiX() / pointsPerInch, device.logicalDpiY() / pointsPerInch);
    painter.translate(-device.pageLayout().paintRect(QPageLayout::Point).topLeft());
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

std::vector<int> PageRenderer::sheetOrder(int pages, const PageChoice &choice)
{
    const int first = std::max(choice.fromPage, 1);
    const int last = choice.toPage > 0 ? std::min(choice.toPage, pages) : pages;
    const int step = choice.pageSet == PageSet::All ? 1 : 2;
    std::vector<int> run;
    for (int page = first + (choice.pageSet == PageSet::Even ? 1 : 0); page <= last; page += step)
        run.push_back(page);
    if (choice.lastPageFirst)
        std::reverse(run.begin(), run.end());
    const std::size_t copies = std::size_t(std::max(choice.copies, 1));
    std::vector<int> sheets;
    sheets.reserve(run.size() * copies);
    if (choice.collate) {
        for (std::size_t copy = 0; copy < copies; ++copy)
            sheets.insert(sheets.end(), run.cbegin(), run.cend());
    } else {
        for (const int page : run)
            sheets.insert(sheets.end(), copies, page);
    }
    return sheets;
}

// Qt's print dialog hands a CUPS queue the page set ("page-set") and the
// pages per sheet ("number-up"), which the queue's filters apply by the
// position of each page in what it is sent (the dialog swaps odd and even for
// a range that starts on an even page), and an even page set of an odd number
// of pages gets a blank sheet for duplexing by hand, a wasted postcard here;
// a raw queue runs no filter at all and prints what it is sent as it is sent.
// So the queue is sent the pages the page set keeps, in the order chosen, and
// no page set. Only where it lays several pages on a sheet does the queue put
// them last first itself: only it can keep each sheet's pages in reading
// order.
PageRenderer::PrintPlan PageRenderer::printPlan(int pages, const PageChoice &choice, const QStringList &jobOptions)
{
    if (!choice.cupsQueue)
        return {sheetOrder(pages, choice), jobOptions};
    PrintPlan plan{{}, jobOptions};
    PageChoice sent = choice;
    const QString pageSet = PrinterJobOptions::take(plan.jobOptions, QStringLiteral("page-set"));
    if (pageSet == QLatin1String("odd"))
        sent.pageSet = PageSet::Odd;
    else if (pageSet == QLatin1String("even"))
        sent.pageSet = PageSet::Even;
    const bool severalPerSheet = PrinterJobOptions::value(plan.jobOptions, QStringLiteral("number-up")).toInt() > 1;
    if (choice.lastPageFirst && severalPerSheet) {
        sent.lastPageFirst = false;
        PrinterJobOptions::set(plan.jobOptions, QStringLiteral("outputorder"), QStringLiteral("reverse"));
    }
    plan.sheets = sheetOrder(pages, sent);
    return plan;
}

// Qt leaves the range and the order of the pages to the application, and the
// copies too where the printer does not make them itself (a PDF file never
// does): a printer that stacks its sheets face up wants the last page first.
PageRenderer::PageChoice PageRenderer::pageChoice(const QPagedPaintDevice &device)
{
    PageChoice choice;
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    if (!printer)
        return choice;
    choice.cupsQueue = PrinterJobOptions::takenBy(device);
    if (printer->printRange() == QPrinter::PageRange) {
        choice.fromPage = printer->fromPage();
        choice.toPage = printer->toPage();
    }
    if (!printer->supportsMultipleCopies()) {
        choice.copies = printer->copyCount();
        choice.collate = printer->collateCopies();
    }
    choice.lastPageFirst = printer->pageOrder() == QPrinter::LastPageFirst;
    return choice;
}

PageRenderer::PrintPlan PageRenderer::printPlan(const QPagedPaintDevice &device, int pages)
{
    return printPlan(pages, pageChoice(device), PrinterJobOptions::of(device));
}

std::vector<int> PageRenderer::printOrder(const QPagedPaintDevice &device, int pages)
{
    return printPlan(device, pages).sheets;
}

bool PageRenderer::renderPages(const PrintDocument &document, QPagedPaintDevice &device,
    const std::function<bool(int page)> &beforePage, UndrawnContacts *undrawn)
{
    const PrintPlan plan = printPlan(device, document.pageCount());
    const std::vector<int> &order = plan.sheets;
    if (order.empty())
        return true;
    PrinterJobOptions::give(device, plan.jobOptions);
    if (writesPdf(device))
        return renderPdfPages(document, order, device, beforePage, undrawn);
    QPainter painter;
    if (!beginOnThePaper(painter, device))
        return false;
    for (std::size_t sheet = 0; sheet < order.size(); ++sheet) {
        if (beforePage && !beforePage(int(sheet) + 1))
            return false;
        if (sheet > 0 && !device.newPage()) {
            qWarning("%s: ERROR can't start page %d", Q_FUNC_INFO, order.at(sheet));
            return false;
        }
        renderPage(document, order.at(sheet), painter, undrawn);
    }
    return painter.end();
}

// The pages are laid out before any is painted: a glyph's face copy must hold
// every glyph drawn from it before the first is drawn. A page printed more
// than once is laid out once.
bool PageRenderer::renderPdfPages(const PrintDocument &document, const std::vector<int> &order,
    QPagedPaintDevice &device, const std::function<bool(int page)> &beforePage, UndrawnContacts *undrawn)
{
    TextMappedFaces faces;
    std::vector<DrawList> lists;
    std::map<int, std::size_t> listOfPage;
    QPainter painter;
    if (!beginOnThePaper(painter, device))
        return false;
    for (std::size_t sheet = 0; sheet < order.size(); ++sheet) {
        if (beforePage && !beforePage(int(sheet) + 1))
            return false;
        if (listOfPage.try_emplace(order.at(sheet), lists.size()).second)
            lists.push_back(document.page(order.at(sheet), undrawn));
    }
    drawGlyphsAsTheirCharacters(lists, faces);
    for (std::size_t sheet = 0; sheet < order.size(); ++sheet) {
        if (sheet > 0 && !device.newPage()) {
            qWarning("%s: ERROR can't start page %d", Q_FUNC_INFO, order.at(sheet));
            return false;
        }
        painter.save();
        painter.translate(0, -document.pageRect(order.at(sheet)).y());
        lists.at(listOfPage.at(order.at(sheet))).paint(painter);
        painter.restore();
    }
    return painter.end();
}

QImage PageRenderer::renderPage(const PrintDocument &document, int page, double dotsPerInch)
{
    const double scale = dotsPerInch / pointsPerInch;
    const QRectF strip = document.pageRect(page);
    QImage image(std::ceil(strip.width() * scale), std::ceil(strip.height() * scale), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    renderPage(document, page, painter);
    return image;
}

void PageRenderer::renderPage(const PrintDocument &document, int page, QPainter &painter, UndrawnContacts *undrawn)
{
    painter.save();
    painter.translate(0, -document.pageRect(page).y());
    document.page(page, undrawn).paint(painter);
    painter.restore();
}
