// A contact window: its panes, menus and commands made and wired, its frame
// kept, Edit ▸ Copy and the find bar above the panes with Edit ▸ Find.

#include "app/WindowController.h"

#include "app/ContactFileCommands.h"
#include "app/DocumentController.h"
#include "app/MainViewDefaults.h"
#include "app/ProgressAlert.h"
#include "app/ViewController.h"
#include "find/FindBarController.h"
#include "find/FindBarView.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/MessageBoxAlertPresenter.h"
#include "print/HagakiViewController.h"
#include "print/PostcardLayoutView.h"
#include "print/PostcardPreviewPane.h"
#include "table/ContactsDragAndDrop.h"
#include "table/ContactsViewController.h"
#include "table/GroupViewController.h"
#include "app/ContactMenuCommands.h"
#include "app/FileMenuCommands.h"
#include "app/PrintCommands.h"
#include "app/ZipSheetCommand.h"

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
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<WindowController *> &registry()
{
    static QList<WindowController *> windows;
    return windows;
}

// The key schemes of some desktops give Find Next only F3: Ctrl+G is added,
// as the other platform's users expect it.
QList<QKeySequence> keysFor(QKeySequence::StandardKey standard, const QKeySequence &extra)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (!extra.isEmpty() && !keys.contains(extra))
        keys.append(extra);
    return keys;
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
    m_printCommands = new PrintCommands(*this, m_hagakiViewController, *m_fileMenu);
    buildFileCommands();
    // The controller reads and repairs the settings before anything else of
    // the window reads one.
    m_mainViewController->viewDidLoad();
    windowDidLoad();
    m_zipSheetCommand = new ZipSheetCommand(*this);
    connect(m_zipButton, &QToolButton::clicked, m_zipSheetCommand, &ZipSheetCommand::showZipSheet);
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

HagakiViewController *WindowController::hagakiViewController() const
{
    return m_hagakiViewController;
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
        [this](const QString &message, const std::function<void(const DroppedFileReader::Report &)> &work,
            const std::function<bool()> &handOver) {
            return ContactFileCommands(*progressAlert()).runDropReading(message, work, handOver);
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
// asked about only where a guard was set. A document's window ends its
// editing as the address-book window's guard does, the value editors
// included: none outlives the records it edits.
void WindowController::closeEvent(QCloseEvent *event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    if (!m_closeGuard)
        m_mainViewController->commitEditing();
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

// Edit ▸ "Copy" and "Copy as CSV" of the contact table. A text editor with
// the focus keeps Ctrl+C: it takes the shortcut before the window does.

void WindowController::buildCopyCommands()
{
    QAction *before = m_editMenu->actions().value(2);
    m_copyAction = new QAction(tr("Copy"), this);
    m_copyAction->setObjectName(QStringLiteral("copy"));
    m_copyAction->setShortcut(QKeySequence::Copy);
    connect(m_copyAction, &QAction::triggered, m_contactsViewController, &ContactsViewController::copy);
    m_copyAsCSVAction = new QAction(tr("Copy as CSV"), this);
    m_copyAsCSVAction->setObjectName(QStringLiteral("copyAsCSV"));
    connect(m_copyAsCSVAction, &QAction::triggered, m_contactsViewController, &ContactsViewController::copyAsCSV);
    QAction *separator = m_editMenu->insertSeparator(before);
    m_editMenu->insertAction(separator, m_copyAction);
    m_editMenu->insertAction(separator, m_copyAsCSVAction);
    m_editMenu->insertSeparator(m_copyAction);
}

// The find bar above the window's panes, the toolbar's Find and the items of
// Edit ▸ Find.

// The central widget becomes a column of the bar and the split view, so that
// the panes take the room the bar leaves as it moves.
void WindowController::installFindBar()
{
    QWidget *split = takeCentralWidget();
    auto *column = new QWidget(this);
    column->setObjectName(u"findBarColumn"_s);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_findBarController = new FindBarController(column);
    m_findBarController->setParent(this);
    layout->addWidget(m_findBarController->view());
    layout->addWidget(split, 1);
    setCentralWidget(column);
    m_findBarController->setDelegate(m_mainViewController);
    m_findBarController->setEditState(m_mainViewController->editState());
    m_mainViewController->setFindBarController(m_findBarController);
}

QMenu *WindowController::buildFindMenu()
{
    m_findMenu = m_editMenu->addMenu(tr("Find"));
    m_findMenu->setObjectName(u"findMenu"_s);
    const auto addFindItem = [this](const QString &title, const QString &key, const QList<QKeySequence> &keys) {
        QAction *item = m_findMenu->addAction(title);
        item->setObjectName(u"performFindBarAction"_s);
        item->setData(key);
        item->setShortcuts(keys);
        connect(item, &QAction::triggered, this, [this, item] { m_mainViewController->performFindBarAction(item); });
        return item;
    };
    addFindItem(tr("Find…"), u"Find…"_s, keysFor(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)));
    addFindItem(tr("Find and Replace…"), u"Find and Replace…"_s, keysFor(QKeySequence::Replace, {}));
    addFindItem(tr("Find Next"), u"Find Next"_s, keysFor(QKeySequence::FindNext, QKeySequence(Qt::CTRL | Qt::Key_G)));
    addFindItem(tr("Find Previous"), u"Find Previous"_s,
        keysFor(QKeySequence::FindPrevious, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)));
    // Nothing in this window takes a selection as the find string.
    addFindItem(tr("Use Selection for Find"), u"Use Selection for Find"_s, {})->setEnabled(false);
    m_findMenu->addSeparator();
    QAction *panel = m_findMenu->addAction(tr("Show Find Panel"), m_mainViewController, &ViewController::showFindPanel);
    panel->setObjectName(u"showFindPanel"_s);
    panel->setData(u"Show Find Panel"_s);
    connect(m_findBarButton, &QToolButton::clicked, this, &WindowController::findBarButtonClicked);
    return m_findMenu;
}

void WindowController::findBarButtonClicked()
{
    const bool show = !m_findBarController->isVisible();
    m_findBarButton->setText(show ? tr("Hide") : tr("Find"));
    m_findBarButton->setEnabled(false);
    m_mainViewController->showFindBar(show);
}

void WindowController::findBarDidEnd()
{
    m_findBarButton->setText(tr("Find"));
    m_findBarButton->setEnabled(false);
    m_mainViewController->showFindBar(false);
}

void WindowController::findBarDidFinishMoving()
{
    m_findBarButton->setEnabled(true);
}
