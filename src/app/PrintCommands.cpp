#include "app/PrintCommands.h"

#include "app/ViewController.h"
#include "app/WindowCommandHost.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/AlertPresenter.h"
#include "platform/widgets/DialogAnswer.h"
#include "print/HagakiViewController.h"
#include "print/OptionSheetController.h"
#include "print/PrintDocumentBuilder.h"
#include "print/PrintJob.h"
#include "print/PrintOptions.h"
#include "print/VerticalFontList.h"
#include "table/ContactTablePane.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The job starts only after the dialog has returned from done(): the
// dialog emits accepted() after finished(), and the job's progress panel
// runs events, among them the dialog's deferred deletion, which would pull
// the dialog away under its own signal. The job is handed the printer, never
// the dialog.
void openPrintDialog(QWidget *window, QPrinter &printer, const std::function<void(bool)> &done)
{
    auto *dialog = new QPrintDialog(&printer, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    DialogAnswer::deliverAfterDone(dialog, window, [done](int result) -> DialogAnswer::Answer {
        return [done, accepted = result == QDialog::Accepted] { done(accepted); };
    });
    dialog->open();
}

} // namespace

PrintCommands::PrintCommands(WindowCommandHost &host, HagakiViewController *preview, QMenu &fileMenu)
    : QObject(&host.hostWidget())
    , m_host(host)
    , m_preview(preview)
{
    QAction *pageSetup = fileMenu.addAction(tr("Page Setup…"), this, &PrintCommands::runPageLayout);
    pageSetup->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m_printAction = fileMenu.addAction(tr("Print…"), this, &PrintCommands::printDocument);
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setObjectName(QStringLiteral("printDocument"));
    connect(&fileMenu, &QMenu::aboutToShow, this, [this] { m_host.validateMenus(); });

    m_layoutAction = new QAction(tr("Layout"), &host.hostWidget());
    m_layoutAction->setCheckable(true);
    m_layoutAction->setObjectName(QStringLiteral("layoutButtonPressed"));
    connect(m_layoutAction, &QAction::triggered, this, &PrintCommands::layoutButtonPressed);
    m_printPanel = [this](QPrinter &printer, const std::function<void(bool)> &done) {
        openPrintDialog(&m_host.hostWidget(), printer, done);
    };
}

// --- Print ---------------------------------------------------------------------

void PrintCommands::printDocument()
{
    const ViewController *view = m_host.mainViewController();
    const ContactTablePane *table = view ? view->contactsViewController() : nullptr;
    if (!table || !m_preview)
        return;
    const QList<SubContactRecordPtr> rows = table->selectedSubContacts();
    if (rows.isEmpty())
        return;
    printRows(rows);
}

void PrintCommands::printRows(const QList<SubContactRecordPtr> &rows)
{
    const ViewController &view = *m_host.mainViewController();
    PrintInfo::sharedPrintInfo()->setMargins(QMarginsF());
    // The rows are those the preview shows, laid out as the preview lays
    // them out, on the job's own copy of the paper; no row is singled out
    // as the preview singles out the card it shows.
    const auto document = std::make_shared<PrintDocument>(PrintDocumentBuilder::make({rows, m_preview->senderPerson(),
        view.printStyle(), m_preview->printOptions(), PrintInfo::sharedPrintInfo(), nullptr}));

    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    PrintJob::preparePrinter(*printer, *document->paper());
    const QPointer<PrintCommands> self(this);
    m_printPanel(*printer, [self, printer, document](bool accepted) {
        if (!self || !accepted)
            return;
        // Qt 6.4's print dialog puts Letter on the printer in place of a
        // custom paper, even when nothing was changed there: the pages are
        // laid out for the paper Page Setup chose, and go on it.
        PrintJob::preparePrinter(*printer, *document->paper());
        QWidget *window = &self->m_host.hostWidget();
        AlertPresenter &alerts = self->m_host.alertPresenter();
        if (PrintJob::print(*document, *printer, window, &alerts) == PrintJob::Result::Failed)
            alerts.showAlert(window, tr("Couldn't print."),
                tr("Please make sure the printer is available and the file can be written."));
    });
}

// --- Page setup ------------------------------------------------------------------

// Qt 6.4's page setup dialog hands the paper chosen to the printer only from
// exec(), and that is the one way a custom paper, whose size none of the
// dialog's entries carries, reaches it: the dialog runs until it is answered.
void PrintCommands::runPageLayout()
{
    QPrinter printer;
    // Postcards keep their paper: what the dialog shows and chooses is the
    // paper of the other styles.
    PrintJob::preparePrinter(printer, PrintInfo::sharedPrintInfo()->sheetPaper());
    const QPointer<PrintCommands> self(this);
    const QPointer<QPageSetupDialog> dialog = new QPageSetupDialog(&printer, &m_host.hostWidget());
    dialog->setWindowModality(Qt::WindowModal);
    const int result = dialog->exec();
    // The window may have gone while the dialog ran, and the dialog with it.
    delete dialog.data();
    if (!self)
        return;
    // The margins typed into the dialog are none of the paper's: the reach
    // is read as a print reads it.
    if (result == QDialog::Accepted)
        PrintJob::useNoMargins(printer);
    pageSetupDidEnd(printer, result);
}

void PrintCommands::pageSetupDidEnd(const QPrinter &printer, int returnCode)
{
    if (returnCode != QDialog::Accepted)
        return;
    const PrintInfoPtr &paper = PrintInfo::sharedPrintInfo();
    const QPageLayout layout = printer.pageLayout();
    paper->chooseSheetPaper(layout.pageSize(), layout.orientation(), PrintJob::printableArea(printer));
    shouldChangePrintInfo(paper);
}

bool PrintCommands::shouldChangePrintInfo(const PrintInfoPtr &printInfo)
{
    if (!m_preview || !printInfo)
        return true;
    HagakiView *view = m_preview->hagakiView();
    const QSizeF paper = printInfo->paperSize();
    // A paper of no size leaves the preview as it was.
    if (paper.width() > 0 && paper.height() > 0) {
        view->setBounds(QRectF(QPointF(0, 0), paper));
        m_preview->fitViewToPane();
    }
    view->setPrintInfo(printInfo);
    m_preview->updateUI();
    return true;
}

// --- Layout --------------------------------------------------------------------

void PrintCommands::layoutButtonPressed()
{
    if (!m_preview)
        return;
    HagakiView *preview = m_preview->hagakiView();
    ViewController *view = m_host.mainViewController();
    if (preview->layoutMode()) {
        preview->setLayoutMode(false);
        m_layoutAction->setText(tr("Layout"));
        // Editing comes back as it was: a locked window stays locked.
        if (view) {
            view->enableEditButton(m_editButtonEnabledBeforeLayout);
            view->setEditState(m_editStateBeforeLayout);
        }
    } else {
        if (view) {
            const QAction *editButton = view->editButton();
            m_editButtonEnabledBeforeLayout = !editButton || editButton->isEnabled();
            m_editStateBeforeLayout = view->editState();
            view->enableEditButton(false);
            view->setEditState(false);
        }
        preview->setLayoutMode(true);
        m_layoutAction->setText(tr("Lock"));
    }
    preview->update();
    m_host.validateMenus();
}

bool PrintCommands::isLayoutMode() const
{
    return m_preview && m_preview->hagakiView()->layoutMode();
}

// --- Print style and its settings ------------------------------------------------

OptionSheetController *PrintCommands::optionSheetController() const
{
    return m_optionSheetController;
}

void PrintCommands::makeOptionSheet(QAbstractButton &styleSettingButton)
{
    if (!m_optionSheetController) {
        m_optionSheetController = new OptionSheetController(m_host.userDefaults(), &m_host.hostWidget());
        m_optionSheetController->setWindowModality(Qt::WindowModal);
        // However the sheet ends, its options are stored once more, and
        // announced when they hold what the preview has not followed yet.
        DialogAnswer::answerAfterDone(m_optionSheetController, m_optionSheetController,
            [sheet = m_optionSheetController.data()](int) { sheet->storePrintOptions(); });
        connect(&styleSettingButton, &QAbstractButton::clicked, this, &PrintCommands::showStyleSettings);
    }
    // The fonts of vertical text take a while to find: they are looked for
    // before the sheet first asks.
    VerticalFontList::startBuilding();
}

void PrintCommands::showStyleSettings()
{
    if (!m_optionSheetController)
        return;
    VerticalFontList::startBuilding();
    const ViewController *view = m_host.mainViewController();
    m_optionSheetController->setPrintStyle(view->printStyle());
    m_optionSheetController->setColumnsInMainView(view->viewSettings()->selectedColumns());
    m_optionSheetController->open();
}

void PrintCommands::printStyleSelected(const QAction *item)
{
    ViewController *view = m_host.mainViewController();
    const QString style = item->data().toString();
    const QString previous = view->printStyle();
    view->setPrintStyle(style);
    m_host.userDefaults().setObject(style, PrintOptions::printStyleKey);
    view->refreshPrintStyle(previous);
    m_host.validateMenus();
}
