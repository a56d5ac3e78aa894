#pragma once

#include "print/PageRenderer.h"

#include <QCoreApplication>
#include <QRectF>

class AlertPresenter;
class PrintDocument;
class PrintInfo;
class UndrawnContacts;
class QPrinter;
class QWidget;

// Puts the pages of a print document on a printer, or into the PDF file it
// writes, behind a progress dialog of the window whose Cancel stops the job.
class PrintJob {
    Q_DECLARE_TR_FUNCTIONS(PrintJob)

public:
    enum class Result { Printed, Cancelled, Failed };

    PrintJob() = delete;

    // The paper on the printer: its size and orientation, drawn from the
    // corner the printer reaches.
    static void preparePrinter(QPrinter &printer, const PrintInfo &paper);
    // Drawing starts at the corner the printer reaches: no margins of our
    // own, only those the printer cannot print in.
    static void useNoMargins(QPrinter &printer);
    // The part of the paper the printer reaches, in points from the paper's
    // corner.
    [[nodiscard]] static QRectF printableArea(const QPrinter &printer);

    // The pages of the range the printer holds are printed, each as often
    // as its copies ask where the printer does not make them itself, from a
    // copy on its own copy of the paper, into which the printer's reach goes
    // as the imageable bounds, so that the pages land where the preview shows
    // them; the document itself is left as it is. A range that names none of
    // the pages, or of whose pages the page set keeps none, prints nothing
    // and tells the user so. A job that is cancelled or breaks off leaves no
    // file. A job that printed pages with some text left out, which no face
    // could draw, tells the user once through the alerts, naming the
    // contacts.
    static Result print(
        const PrintDocument &document, QPrinter &printer, QWidget *window, AlertPresenter *alerts = nullptr);

private:
    // A range that names none of the document's pages, or of whose pages the
    // page set keeps none, prints nothing, and says which.
    static void tellNoPageInRange(
        int pages, const PageRenderer::PageChoice &choice, QWidget *window, AlertPresenter *alerts);
    static void tellUndrawn(const UndrawnContacts &undrawn, QWidget *window, AlertPresenter *alerts);
};
