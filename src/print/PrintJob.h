#pragma once

#include <QCoreApplication>
#include <QRectF>

class AlertPresenter;
class HagakiView;
class PrintInfo;
class QPrinter;
class QWidget;

// Puts the pages of a print view on a printer, or into the PDF file it
// writes, behind a progress dialog of the window whose Cancel stops the job.
class PrintJob {
    Q_DECLARE_TR_FUNCTIONS(PrintJob)

public:
    enum class Result { Printed, Cancelled, Failed };

    PrintJob() = delete;

    // The paper on the printer: its size and orientation, drawn from the
    // corner the printer reaches.
    static void preparePrinter(QPrinter &printer, const PrintInfo &paper);
    // The part of the paper the printer reaches, in points from the paper's
    // corner.
    [[nodiscard]] static QRectF printableArea(const QPrinter &printer);

    // The printer's reach becomes the paper's imageable bounds, so that the
    // pages land where the preview shows them; then every page of the view
    // is printed. The paper is the job's own copy, which the view draws on.
    // A job that is cancelled or breaks off leaves no file. A job that printed
    // pages with some text left out, which no face could draw, tells the user
    // once through the alerts, naming the contacts.
    static Result print(
        HagakiView &view, QPrinter &printer, PrintInfo &paper, QWidget *window, AlertPresenter *alerts = nullptr);

private:
    static void tellUndrawn(const HagakiView &view, QWidget *window, AlertPresenter *alerts);
};
