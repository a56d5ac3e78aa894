// The find bar above the window's panes, the toolbar's Find and the items of
// Edit ▸ Find.

#include "app/WindowController.h"

#include "app/ViewController.h"
#include "find/FindBarController.h"
#include "find/FindBarView.h"

#include <QAction>
#include <QMenu>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

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
