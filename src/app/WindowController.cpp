#include "app/WindowController.h"

#include "app/MainViewDefaults.h"
#include "platform/widgets/MessageBoxAlertPresenter.h"
#include "app/ContactFileCommands.h"
#include "app/DocumentController.h"
#include "app/ProgressAlert.h"
#include "app/ViewController.h"
#include "find/FindBarController.h"
#include "table/GroupViewController.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "print/HagakiViewController.h"
#include "print/PostcardLayoutView.h"
#include "print/PostcardPreviewPane.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>

namespace {

QList<WindowController *> &registry()
{
    static QList<WindowController *> windows;
    return windows;
}

} // namespace

WindowController::WindowController(QWidget *parent)
    : WindowController(Services(), parent)
{
}

WindowController::WindowController(const Services &services, QWidget *parent)
    : QMainWindow(parent)
    , m_userDefaults(services.userDefaults ? services.userDefaults : &UserDefaults::standardUserDefaults())
    , m_alertPresenter(services.alertPresenter)
    , m_undoManager(new UndoManager(this))
    , m_splitView(new QSplitter(Qt::Horizontal, this))
{
    if (!m_alertPresenter) {
        m_ownedAlertPresenter = std::make_unique<MessageBoxAlertPresenter>();
        m_alertPresenter = m_ownedAlertPresenter.get();
    }
    registry().append(this);
    setWindowTitle(tr("Quillmark") + QStringLiteral("[*]"));
    m_viewSettings = new ViewSettings(*m_userDefaults, this);
    buildPanes();
    setCentralWidget(m_splitView);
    resize(1200, 720);
    m_mainViewController = new ViewController(this, this);
    m_mainViewController->setContactsViewController(m_contactsViewController);
    m_contactsViewController->setDelegate(m_mainViewController);
    m_mainViewController->setHagakiViewController(m_hagakiViewController);
    installContactInfoController();
    installGroupViewController();
    installFindBar();
    buildMenus();
    buildCopyCommands();
    m_contactCommands = new ContactMenuCommands(*this);
    m_contactCommands->addPhoneFormatMenu(*m_editMenu);
    buildPrintCommands();
    buildFileCommands();
    // The controller reads and repairs the settings before anything else of
    // the window reads one.
    m_mainViewController->viewDidLoad();
    windowDidLoad();
    m_zipSheet = new ZipSheetCommand(*this);
    connect(m_zipButton, &QToolButton::clicked, m_zipSheet, &ZipSheetCommand::showZipSheet);
}

WindowController::~WindowController()
{
    registry().removeOne(this);
    m_contactsViewController->setDelegate(nullptr);
    if (m_groupViewController)
        m_groupViewController->setDelegate(nullptr);
    // Its undo registrations call back into the controller.
    delete m_mainViewController;
    m_mainViewController = nullptr;
}

ContactsViewController *WindowController::contactsViewController() const
{
    return m_contactsViewController;
}

GroupViewController *WindowController::groupViewController() const
{
    return m_groupViewController;
}

FindBarController *WindowController::findBarController() const
{
    return m_findBarController;
}

QList<WindowController *> WindowController::windowControllers()
{
    return registry();
}

ProgressAlert *WindowController::progressAlert()
{
    if (!m_progressAlert)
        m_progressAlert = new ProgressAlert(this);
    return m_progressAlert;
}

void WindowController::buildFileCommands()
{
    m_fileCommands = new FileMenuCommands(
        *this, *m_fileMenu, [this] { DocumentController::sharedDocumentController().openDocument(this); });
    // Files dropped onto the table are read as an import reads its file,
    // behind the same progress window.
    m_contactsViewController->dragAndDrop()->setFileReadingRunner(
        [this](const QString &message, const std::function<void(const DroppedFileReader::Report &)> &work) {
            return ContactFileCommands(*progressAlert()).runDropReading(message, work);
        });
}

void WindowController::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("File"));
    m_editMenu = menuBar()->addMenu(tr("Edit"));
    m_undoAction = m_editMenu->addAction(tr("Undo"), m_mainViewController, &ViewController::undo);
    m_undoAction->setObjectName(QStringLiteral("undo"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = m_editMenu->addAction(tr("Redo"), m_mainViewController, &ViewController::redo);
    m_redoAction->setObjectName(QStringLiteral("redo"));
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_editMenu, &QMenu::aboutToShow, this, &WindowController::validateMenus);
    connect(m_undoManager, &UndoManager::stacksChanged, this, &WindowController::validateMenus);

    m_viewMenu = menuBar()->addMenu(tr("View"));
    m_navigateMenu = menuBar()->addMenu(tr("Navigate"));
    QMenu *formatMenu = menuBar()->addMenu(tr("Format"));
    QAction *showFonts = formatMenu->addAction(tr("Show Fonts"), m_mainViewController, &ViewController::showFontPanel);
    showFonts->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    formatMenu->addAction(tr("Revert to Default Font"), m_mainViewController, &ViewController::revertToDefaultFont);
    m_helpMenu = menuBar()->addMenu(tr("Help"));
}

void WindowController::setFrameAutosaveName(const QString &name)
{
    m_frameAutosaveName = name;
    const QByteArray frame = m_userDefaults->dataForKey(MainViewDefaults::windowFramePrefix + name);
    if (!frame.isEmpty() && !restoreGeometry(frame))
        qWarning("%s: ERROR unreadable frame of %s", Q_FUNC_INFO, qPrintable(name));
}

void WindowController::placeAtFirstRunFrame()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    resize(900, 500);
    move(available.topLeft() + QPoint(100, 100));
}

void WindowController::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Not when the window manager shows a minimised window again.
    if (!event->spontaneous())
        m_mainViewController->viewWillAppear();
}

void WindowController::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    if (!m_frameAutosaveName.isEmpty())
        m_userDefaults->setObject(saveGeometry(), MainViewDefaults::windowFramePrefix + m_frameAutosaveName);
    m_mainViewController->viewWillDisappear();
}

// The table's columns are stored on closing; unsaved contact changes are
// asked about only where a guard was set.
void WindowController::closeEvent(QCloseEvent *event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        m_mainViewController->saveColumnWithDictionary();
}

// The key window's table takes the keyboard, and the font panel changes its
// controller's font.
void WindowController::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_mainViewController)
        m_contactsViewController->makeFirstResponder();
}
