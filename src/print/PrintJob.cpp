#include "print/PrintJob.h"

#include "platform/widgets/AlertPresenter.h"
#include "platform/widgets/ProgressCancelButton.h"
#include "print/PageRenderer.h"
#include "print/PrintDocument.h"
#include "print/PrintInfo.h"
#include "print/UndrawnContacts.h"

#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QProgressDialog>

void PrintJob::preparePrinter(QPrinter &printer, const PrintInfo &paper)
{
    printer.setPageSize(paper.pageSize());
    printer.setPageOrientation(paper.orientation());
    useNoMargins(printer);
}

void PrintJob::useNoMargins(QPrinter &printer)
{
    printer.setFullPage(false);
    if (!printer.setPageMargins(QMarginsF(), QPageLayout::Point))
        printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
}

QRectF PrintJob::printableArea(const QPrinter &printer)
{
    return printer.pageLayout().paintRect(QPageLayout::Point);
}

PrintJob::Result PrintJob::print(
    const PrintDocument &document, QPrinter &printer, QWidget *window, AlertPresenter *alerts)
{
    // The print panel may have chosen another printer, with edges of its own.
    useNoMargins(printer);
    PrintDocument job(document);
    job.setPaper(std::make_shared<PrintInfo>(document.paper() ? *document.paper() : PrintInfo()));
    job.setImageableBounds(printableArea(printer));
    const int pages = job.pageCount();
    // The sheets: the pages of the range chosen, with the copies the printer
    // does not make itself.
    const int sheets = int(PageRenderer::printOrder(printer, pages).size());
    if (pages > 0 && sheets == 0) {
        tellNoPageInRange(pages, PageRenderer::pageChoice(printer), window, alerts);
        return Result::Cancelled;
    }
    QProgressDialog progress(tr("Printing…"), QString(), 0, sheets, window);
    progress.setCancelButton(ProgressCancelButton::make(tr("Cancel"), &progress));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    if (sheets > 1)
        progress.show();
    bool started = false;
    bool cancelled = false;
    UndrawnContacts undrawn;
    const auto beforePage = [&](int page) {
        started = true;
        progress.setValue(page - 1);
        if (progress.isVisible())
            QCoreApplication::processEvents();
        cancelled = progress.wasCanceled();
        // Whatever the printer cannot take back of what it was sent still
        // prints; a file is removed below.
        if (cancelled)
            printer.abort();
        return !cancelled;
    };
    const bool printed = PageRenderer::renderPages(job, printer, beforePage, &undrawn);
    progress.setValue(sheets);
    if (printed) {
        tellUndrawn(undrawn, window, alerts);
        return Result::Printed;
    }
    // A file the job began is no use half written; one it could not open is
    // not the job's to remove.
    if (started && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    return cancelled ? Result::Cancelled : Result::Failed;
}

void PrintJob::tellUndrawn(const UndrawnContacts &undrawn, QWidget *window, AlertPresenter *alerts)
{
    const QStringList names = undrawn.names();
    if (names.isEmpty() || !alerts)
        return;
    alerts->showAlert(window, tr("Some text couldn't be printed."),
        tr("No font could draw all the text of these contacts, so their pages were printed without it: %1.")
            .arg(QLocale().createSeparatedList(names)));
}

void PrintJob::tellNoPageInRange(
    int pages, const PageRenderer::PageChoice &choice, QWidget *window, AlertPresenter *alerts)
{
    if (!alerts)
        return;
    // The range alone, every page of it once: where it names pages, it is
    // the page set that kept none of them.
    const std::vector<int> range
        = PageRenderer::sheetOrder(pages, {.fromPage = choice.fromPage, .toPage = choice.toPage});
    if (range.empty())
        alerts->showAlert(window, tr("Nothing was printed."),
            tr("The range chosen names none of the pages there are to print, 1 to %1.").arg(pages));
    else
        alerts->showAlert(window, tr("Nothing was printed."),
            tr("The page set chosen keeps none of the pages of the range, %1 to %2.")
                .arg(range.front())
                .arg(range.back()));
}
