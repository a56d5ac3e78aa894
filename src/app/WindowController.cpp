#include "app/WindowController.h"

#include "app/MessageBoxAlertPresenter.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "print/HagakiViewController.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

namespace {

// Stands in for a pane until its controller is built.
QWidget *makePlaceholderPane(const QString &title, const QString &objectName)
{
    auto *pane = new QLabel(title);
    pane->setObjectName(objectName);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(120);
    return pane;
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
    setWindowTitle(tr("Quillmark") + QStringLiteral("[*]"));
    m_hagakiViewController = new HagakiViewController(*m_userDefaults);
    m_splitView->addWidget(m_hagakiViewController);
    m_splitView->addWidget(makePlaceholderPane(tr("Contacts"), QStringLiteral("contactTablePane")));
    m_splitView->addWidget(makePlaceholderPane(tr("Detail"), QStringLiteral("detailPane")));
    m_splitView->setStretchFactor(1, 1);
    setCentralWidget(m_splitView);
    buildEditMenu();
    buildContactCommands();
    buildPrintCommands();
    resize(1200, 720);
}

WindowController::~WindowController() = default;

void WindowController::buildEditMenu()
{
    m_editMenu = menuBar()->addMenu(tr("Edit"));
    m_undoAction = m_editMenu->addAction(tr("Undo"), this, &WindowController::undo);
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = m_editMenu->addAction(tr("Redo"), this, &WindowController::redo);
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_editMenu, &QMenu::aboutToShow, this, &WindowController::validateUndoMenuItems);
    connect(m_undoManager, &UndoManager::stacksChanged, this, &WindowController::validateUndoMenuItems);
    validateUndoMenuItems();
}

void WindowController::validateUndoMenuItems()
{
    m_undoAction->setEnabled(m_undoManager->canUndo());
    m_redoAction->setEnabled(m_undoManager->canRedo());
    const QString undoName = m_undoManager->undoActionName();
    const QString redoName = m_undoManager->redoActionName();
    m_undoAction->setText(undoName.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undoName));
    m_redoAction->setText(redoName.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redoName));
}

void WindowController::undo()
{
    m_undoManager->undo();
    setWindowModified(m_undoManager->canUndo());
}

void WindowController::redo()
{
    m_undoManager->redo();
    setWindowModified(m_undoManager->canUndo());
}
