// Edit ▸ "Copy" and "Copy as CSV" of the contact table. A text editor with
// the focus keeps Ctrl+C: it takes the shortcut before the window does.

#include "app/WindowController.h"

#include "table/ContactsViewController.h"

#include <QAction>
#include <QMenu>

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
