// The print commands of the window: Print, Page Setup and the layout button
// that lets the user move the preview's blocks.

#include "app/WindowController.h"

#include "platform/widgets/AlertPresenter.h"
#include "table/ContactTablePane.h"
#include "app/ViewController.h"
#include "print/HagakiViewController.h"
#include "print/PrintJob.h"
#include "print/PrintDocumentBuilder.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSplitter>
#include <QToolBar>

namespace {

// The window's menu of that title, made at the front of the menu bar when
// the window has none yet.
QMenu *menuTitled(QMenuBar *bar, const QString &title)
{
    for (QAction *item : bar->actions()) {
        if (item->menu() && item->text() == title)
            return item->menu();
    }
    auto *menu = new QMenu(title, bar);
    const QList<QAction *> items = bar->actions();
    bar->insertMenu(items.isEmpty() ? nullptr : items.first(), menu);
    return menu;
}

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
    QObject::connect(dialog, &QDialog::finished, window, [window, done](int result) {
        QMetaObject::invokeMethod(
            window, [done, accepted = result == QDialog::Accepted] { done(accepted); }, Qt::QueuedConnection);
    });
    dialog->open();
}

// The paper and orientation the page setup dialog shows. Qt 6.4 hands them to
// the printer only when the dialog ran with exec(), not when it was opened as
// a sheet: read from its own pop-up and buttons, they reach the printer
// either way.
QPageLayout chosenLayout(const QPageSetupDialog &dialog, QPageLayout layout)
{
    if (const auto *sizes = dialog.findChild<const QComboBox *>(QStringLiteral("pageSizeCombo"))) {
        const QVariant size = sizes->currentData();
        if (size.canConvert<QPageSize>() && size.value<QPageSize>().isValid())
            layout.setPageSize(size.value<QPageSize>());
        else if (size.canConvert<QPageSize::PageSizeId>() && size.value<QPageSize::PageSizeId>() != QPageSize::Custom)
            layout.setPageSize(QPageSize(size.value<QPageSize::PageSizeId>()));
    }
    const QList<std::pair<QString, QPageLayout::Orientation>> orientations{
        {QStringLiteral("portrait"), QPageLayout::Portrait}, {QStringLiteral("landscape"), QPageLayout::Landscape},
        {QStringLiteral("reversePortrait"), QPageLayout::Portrait},
        {QStringLiteral("reverseLandscape"), QPageLayout::Landscape}};
    for (const auto &[name, orientation] : orientations) {
        const auto *button = dialog.findChild<const QRadioButton *>(name);
        if (button && button->isChecked())
            layout.setOrientation(orientation);
    }
    return layout;
}

} // namespace

HagakiViewController *WindowController::hagakiViewController() const
{
    return m_hagakiViewController;
}

void WindowController::buildPrintCommands()
{
    QMenu *fileMenu = menuTitled(menuBar(), tr("File"));
    QAction *pageSetup = fileMenu->addAction(tr("Page Setup…"), this, &WindowController::runPageLayout);
    pageSetup->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m_printAction = fileMenu->addAction(tr("Print…"), this, &WindowController::printDocument);
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setObjectName(QStringLiteral("printDocument"));
    connect(fileMenu, &QMenu::aboutToShow, this, &WindowController::validateMenus);

    m_layoutAction = new QAction(tr("Layout"), this);
    m_layoutAction->setCheckable(true);
    m_layoutAction->setObjectName(QStringLiteral("layoutButtonPressed"));
    connect(m_layoutAction, &QAction::triggered, this, &WindowController::layoutButtonPressed);
    m_printPanel
        = [this](QPrinter &printer, const std::function<void(bool)> &done) { openPrintDialog(this, printer, done); };
}

// --- Print ---------------------------------------------------------------------

void WindowController::printDocument()
{
    const ContactTablePane *table = m_mainViewController ? m_mainViewController->contactsViewController() : nullptr;
    if (!table || !m_hagakiViewController)
        return;
    const QList<SubContactRecordPtr> rows = table->selectedSubContacts();
    if (rows.isEmpty())
        return;
    printRows(rows);
}

void WindowController::printRows(const QList<SubContactRecordPtr> &rows)
{
    PrintInfo::sharedPrintInfo()->setMargins(QMarginsF());
    // The rows are those the preview shows, laid out as the preview lays
    // them out, on the job's own copy of the paper.
    const auto document
        = std::make_shared<PrintDocument>(PrintDocumentBuilder::make({rows, m_hagakiViewController->senderPerson(),
            m_mainViewController->printStyle(), m_hagakiViewController->printOptions(), PrintInfo::sharedPrintInfo()}));

    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    PrintJob::preparePrinter(*printer, *document->paper());
    const QPointer<WindowController> self(this);
    m_printPanel(*printer, [self, printer, document](bool accepted) {
        if (!self || !accepted)
            return;
        if (PrintJob::print(*document, *printer, self, &self->alertPresenter()) == PrintJob::Result::Failed)
            self->alertPresenter().showAlert(self, tr("Couldn't print."),
                tr("Please make sure the printer is available and the file can be written."));
    });
}

// --- Page setup ------------------------------------------------------------------

void WindowController::runPageLayout()
{
    auto printer = std::make_shared<QPrinter>();
    // Postcards keep their paper: what the dialog shows and chooses is the
    // paper of the other styles.
    PrintJob::preparePrinter(*printer, PrintInfo::sharedPrintInfo()->sheetPaper());
    auto *dialog = new QPageSetupDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::finished, this, [this, printer, dialog](int result) {
        if (result == QDialog::Accepted)
            printer->setPageLayout(chosenLayout(*dialog, printer->pageLayout()));
        pageSetupDidEnd(*printer, result);
    });
    dialog->open();
}

void WindowController::pageSetupDidEnd(const QPrinter &printer, int returnCode)
{
    if (returnCode != QDialog::Accepted)
        return;
    const PrintInfoPtr &paper = PrintInfo::sharedPrintInfo();
    const QPageLayout layout = printer.pageLayout();
    paper->chooseSheetPaper(layout.pageSize(), layout.orientation(), PrintJob::printableArea(printer));
    shouldChangePrintInfo(paper);
}

bool WindowController::shouldChangePrintInfo(const PrintInfoPtr &printInfo)
{
    if (!m_hagakiViewController || !printInfo)
        return true;
    HagakiView *view = m_hagakiViewController->hagakiView();
    const QSizeF paper = printInfo->paperSize();
    // A paper of no size leaves the preview as it was.
    if (paper.width() > 0 && paper.height() > 0) {
        view->setBounds(QRectF(QPointF(0, 0), paper));
        m_hagakiViewController->fitViewToPane();
    }
    view->setPrintInfo(printInfo);
    m_hagakiViewController->updateUI();
    return true;
}

// --- Layout --------------------------------------------------------------------

void WindowController::layoutButtonPressed()
{
    if (!m_hagakiViewController)
        return;
    HagakiView *view = m_hagakiViewController->hagakiView();
    if (view->layoutMode()) {
        view->setLayoutMode(false);
        m_layoutAction->setText(tr("Layout"));
        // Editing comes back as it was: a locked window stays locked.
        if (m_mainViewController) {
            m_mainViewController->enableEditButton(m_editButtonEnabledBeforeLayout);
            m_mainViewController->setEditState(m_editStateBeforeLayout);
        }
    } else {
        if (m_mainViewController) {
            const QAction *editButton = m_mainViewController->editButton();
            m_editButtonEnabledBeforeLayout = !editButton || editButton->isEnabled();
            m_editStateBeforeLayout = m_mainViewController->editState();
            m_mainViewController->enableEditButton(false);
            m_mainViewController->setEditState(false);
        }
        view->setLayoutMode(true);
        m_layoutAction->setText(tr("Lock"));
    }
    view->update();
    validateMenus();
}
