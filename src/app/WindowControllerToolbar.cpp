// The set-up of a contact window once its controller has loaded: the toolbar with its pop-ups and
// buttons, the main menu's twins of the pop-ups and the preload of the
// postal data.

#include "app/WindowController.h"

#include "app/MainViewDefaults.h"
#include "app/ViewController.h"
#include "editors/SeparatorBox.h"
#include "editors/TextButton.h"
#include "interchange/ZipSearch.h"
#include "platform/UserDefaults.h"
#include "table/ContactsViewController.h"

#include <QAction>
#include <QBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

void WindowController::windowDidLoad()
{
    buildToolbar();
    // The key must be written once to count as set; absent, the pane shows.
    const QVariant showGroups = m_userDefaults->objectForKey(MainViewDefaults::showGroupViewKey);
    showGroupView(!showGroups.isValid() || showGroups.toBool());
    // The postal data is large: read it before the first search asks.
    (void)QtConcurrent::run([] { (void)ZipSearch::zipdb(); });
    connect(
        m_contactsViewController, &ContactsViewController::selectionDidChange, this, &WindowController::validateMenus);
    makeOptionSheet();
    validateMenus();
}

void WindowController::buildToolbar()
{
    m_toolbar = addToolBar(tr("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(26, 26));
    const auto popup = [this](const QString &title, const QString &name) {
        QToolButton *button = TextButton::pullDown(this, title, name);
        m_toolbar->addWidget(button);
        return button;
    };
    m_groupsPopup = popup(tr("Group"), QStringLiteral("groupsPopup"));
    m_viewTypePopup = popup(tr("View Type"), QStringLiteral("viewTypePopup"));
    m_itemsPopup = popup(tr("Columns"), QStringLiteral("itemsPopup"));
    m_labelsPopup = popup(tr("Labels"), QStringLiteral("labelsPopup"));
    m_sortOptionsPopup = popup(tr("Sort Options"), QStringLiteral("sortOptionsPopup"));
    m_contactPopup = popup(tr("Contact"), QStringLiteral("contactPopup"));
    m_toolbar->addSeparator();
    initSplitButtons();
    m_toolbar->addWidget(m_splitButtons[0]);
    m_toolbar->addWidget(m_splitButtons[1]);
    m_editButton = m_toolbar->addAction(m_mainViewController->editState() ? tr("Lock") : tr("Edit"));
    m_editButton->setObjectName(QStringLiteral("editButtonClicked"));
    m_editButton->setCheckable(true);
    connect(m_editButton, &QAction::triggered, this, &WindowController::editButtonClicked);
    m_mainViewController->setEditButton(m_editButton);
    installRedSeparator();
    m_toolbar->addSeparator();
    m_findBarButton = TextButton::make(this, tr("Find"), QStringLiteral("findBarButtonClicked"));
    m_zipButton = TextButton::make(this, tr("ZIP"), QStringLiteral("zipButtonPressed"));
    m_layoutButton = TextButton::make(this, tr("Layout"), QStringLiteral("layoutButtonPressed"));
    m_layoutButton->setDefaultAction(m_layoutAction);
    m_styleSettingButton = TextButton::make(this, tr("Style Settings"), QStringLiteral("styleSettingButtonPressed"));
    m_printStylePopup = popup(tr("Print Style"), QStringLiteral("printStylePopup"));
    for (QToolButton *button : {m_findBarButton, m_zipButton, m_layoutButton, m_styleSettingButton})
        m_toolbar->addWidget(button);

    initViewTypeMenu();
    initItemsMenu();
    m_labelsMenu = makePopupMenu(m_labelsPopup, tr("Select Label"), &WindowController::updateLabelsMenu);
    updateLabelsMenu();
    initSortOptionsMenu();
    initContactMenu();
    initGroupMenu();
    initPrintStyleMenu();
    m_toggleGroupViewAction = m_viewMenu->addAction(tr("Hide Groups"), this, &WindowController::toggleGroupView);
    m_toggleGroupViewAction->setObjectName(QStringLiteral("toggleGroupView"));
    QMenu *find = buildFindMenu();
    for (QMenu *menu : {m_viewMenu, m_navigateMenu, find})
        connect(menu, &QMenu::aboutToShow, this, &WindowController::validateMenus);
}

// A line across the window under the toolbar shows, as the button does,
// whether the window edits or is locked.
void WindowController::installRedSeparator()
{
    auto *column = centralWidget() ? qobject_cast<QBoxLayout *>(centralWidget()->layout()) : nullptr;
    if (!column) {
        qWarning("%s: ERROR the window has no column to hold the separator", Q_FUNC_INFO);
        return;
    }
    auto *separator = new SeparatorBox(centralWidget());
    separator->setObjectName(QStringLiteral("redSeparator"));
    separator->setFixedHeight(2);
    column->insertWidget(0, separator);
    m_mainViewController->setRedSeparator(separator);
}

QMenu *WindowController::makePopupMenu(
    QToolButton *popup, const QString &navigateTitle, void (WindowController::*rebuild)())
{
    auto *menu = new QMenu(navigateTitle, this);
    popup->setMenu(menu);
    m_navigateMenu->addMenu(menu);
    // Rebuilt before it is validated.
    if (rebuild)
        connect(menu, &QMenu::aboutToShow, this, rebuild);
    connect(menu, &QMenu::aboutToShow, this, &WindowController::validateMenus);
    return menu;
}
