// The group outline: above the postcard preview in pane 0, its delegate the
// window's controller, its drops taken from the window's own contact table.

#include "app/WindowController.h"

#include "app/ViewController.h"
#include "table/ContactsViewController.h"
#include "table/GroupViewController.h"

#include <QTableView>

void WindowController::installGroupViewController()
{
    GroupViewController *outline = m_groupViewController;
    outline->setObjectName(QStringLiteral("groupOutlinePane"));
    outline->setMinimumWidth(120);
    outline->setDelegate(m_mainViewController);
    outline->setContactsTableView(m_contactsViewController->tableView());
    outline->setSelectedFont(m_mainViewController->selectedFont());
    m_mainViewController->setGroupViewController(outline);
}
