// The toolbar of a contact window and the menus of its pop-ups, which the
// "Navigate" menu also holds, and what choosing their items does: view type,
// columns, labels, sort keys, contact commands, groups and print style.

#include "app/WindowController.h"

#include "app/AddressBookLoader.h"
#include "app/MainViewDefaults.h"
#include "app/ViewController.h"
#include "editors/SeparatorBox.h"
#include "editors/TextButton.h"
#include "interchange/ZipSearch.h"
#include "model/FieldVocabulary.h"
#include "platform/UserDefaults.h"
#include "platform/widgets/AlertPresenter.h"
#include "table/ContactTableContactCommands.h"
#include "table/ContactsViewController.h"
#include "app/ContactMenuCommands.h"
#include "app/PrintCommands.h"

#include <QAction>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>

namespace {

const QString allLabels = QStringLiteral("All");

// The Columns menu's items in order, one per column. "Sender" is not
// offered.
const QStringList &columnItems()
{
    static const QStringList items{FieldId::Name, FieldId::Renmei, FieldId::Company, FieldId::Address, FieldId::ZIP,
        FieldId::State, FieldId::City, FieldId::Street, FieldId::Country, FieldId::Note, FieldId::Email, FieldId::Phone,
        FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::URL, FieldId::PhoneticName, FieldId::Nickname,
        FieldId::Birthday, FieldId::Relationship, FieldId::Suffix, FieldId::Title, FieldId::Department,
        FieldId::JobTitle, FieldId::Dates};
    return items;
}

const QStringList &sortColumns()
{
    static const QStringList columns{FieldId::Name, FieldId::Address, FieldId::PhoneticName};
    return columns;
}

// A menu's first item: its title, doing nothing.
void addHeader(QMenu *menu, const QString &title, const QString &key = {})
{
    QAction *header = menu->addAction(title);
    header->setData(key);
    header->setEnabled(false);
}

QString localized(const QString &key)
{
    return QCoreApplication::translate("WindowController", qPrintable(key));
}

} // namespace

QAction *WindowController::addItem(QMenu *menu, const QString &title, const QVariant &key, const char *action)
{
    QAction *item = menu->addAction(title);
    item->setData(key);
    item->setObjectName(QString::fromLatin1(action));
    item->setCheckable(true);
    return item;
}

// --- View types and columns ------------------------------------------------------

void WindowController::initViewTypeMenu()
{
    m_viewTypeMenu = makePopupMenu(m_viewTypePopup, tr("Select View Type"));
    addHeader(m_viewTypeMenu, tr("View Type"), QStringLiteral("View Type"));
    // In the dictionary's own order, which is alphabetical.
    const MainViewDefaults::ViewTypeDict &viewTypes = m_viewSettings->viewTypeDict();
    for (auto entry = viewTypes.cbegin(); entry != viewTypes.cend(); ++entry) {
        QAction *item = addItem(m_viewTypeMenu, localized(entry.key()), entry.key(), "viewTypePopupSelected");
        connect(item, &QAction::triggered, this, [this, item] { viewTypePopupSelected(item); });
    }
}

void WindowController::viewTypePopupSelected(const QAction *item)
{
    m_viewSettings->setSelectedViewType(item->data().toString());
    m_contactsViewController->setSelectedViewType(m_viewSettings->selectedViewType());
    validateMenus();
}

void WindowController::initItemsMenu()
{
    m_itemsMenu = makePopupMenu(m_itemsPopup, tr("Select Columns"));
    addHeader(m_itemsMenu, tr("Columns"));
    for (const QString &identifier : columnItems()) {
        QAction *item = addItem(
            m_itemsMenu, FieldVocabulary::localizedIdentifierForKey(identifier), identifier, "itemsPopupSelected");
        connect(item, &QAction::triggered, this, [this, item] { itemsPopupSelected(item); });
    }
}

// A column not shown goes third, after "Sender" and "Name"; one shown is
// removed. A list of fewer than two columns stays as it is.
void WindowController::itemsPopupSelected(const QAction *item)
{
    const QString identifier = item->data().toString();
    QStringList columns = m_viewSettings->selectedColumns();
    if (columns.size() < 2)
        return;
    if (!columns.contains(identifier))
        columns.insert(2, identifier);
    else
        columns.removeAll(identifier);
    m_viewSettings->setColumns(m_viewSettings->selectedViewType(), columns);
    m_contactsViewController->setSelectedViewType(m_viewSettings->selectedViewType());
    validateMenus();
}

// --- Labels ------------------------------------------------------------------------

// The labels of the fields the view type shows as columns (address parts
// are not the field "Address"), each listed once at its first place.
void WindowController::updateLabelsMenu()
{
    m_labelsMenu->clear();
    addHeader(m_labelsMenu, tr("Labels"));
    QAction *all = addItem(m_labelsMenu, tr("All"), allLabels, "labelsPopupSelected");
    connect(all, &QAction::triggered, this, [this, all] { labelsPopupSelected(all); });
    const QStringList columns = m_viewSettings->selectedColumns();
    QStringList listed;
    for (const QString &identifier : FieldVocabulary::shared().labeledIdentifiers()) {
        if (!columns.contains(identifier))
            continue;
        const QStringList labels = FieldVocabulary::shared().labelsForIdentifier(identifier);
        const QStringList titles = FieldVocabulary::shared().localizedLabelsForIdentifier(identifier);
        for (qsizetype index = 0; index < labels.size(); ++index) {
            if (listed.contains(labels.at(index)))
                continue;
            listed.append(labels.at(index));
            QAction *item
                = addItem(m_labelsMenu, titles.value(index, labels.at(index)), labels.at(index), "labelsPopupSelected");
            connect(item, &QAction::triggered, this, [this, item] { labelsPopupSelected(item); });
        }
    }
}

void WindowController::labelsPopupSelected(const QAction *item)
{
    const QString label = item->data().toString();
    QStringList labels = m_viewSettings->selectedLabels();
    if (label == allLabels) {
        labels = {allLabels};
    } else if (labels.value(0) == allLabels) {
        labels = {label};
    } else {
        if (!labels.removeOne(label))
            labels.append(label);
        if (labels.isEmpty())
            labels = {allLabels};
    }
    m_viewSettings->setSelectedLabels(labels);
    m_contactsViewController->updateTable();
    validateMenus();
}

// --- Sort options ----------------------------------------------------------------------

void WindowController::initSortOptionsMenu()
{
    m_sortOptionsMenu = makePopupMenu(m_sortOptionsPopup, tr("Sort Options"));
    addHeader(m_sortOptionsMenu, tr("Sort Options"), QStringLiteral("Sort Options"));
    for (const QString &column : sortColumns()) {
        QMenu *submenu = m_sortOptionsMenu->addMenu(FieldVocabulary::localizedIdentifierForKey(column));
        submenu->menuAction()->setData(column);
        submenu->setProperty("column", column);
        for (const QString &key : m_viewSettings->sortOptionsDict().value(column).items) {
            // The display name's own key reads as the column's English word.
            const QString title = key == QStringLiteral("compositeName") ? tr("Name") : localized(key);
            QAction *item = addItem(submenu, title, key, "sortOptionsSelected");
            connect(item, &QAction::triggered, this, [this, item] { sortOptionsSelected(item); });
        }
    }
}

// The same key again still sorts the table by it, but stores nothing.
void WindowController::sortOptionsSelected(const QAction *item)
{
    const QString column = item->parent() ? item->parent()->property("column").toString() : QString();
    if (!sortColumns().contains(column))
        return;
    const QString key = item->data().toString();
    m_viewSettings->setSelectedSortKey(column, key);
    m_contactsViewController->sortOptionsChanged(key, column);
    validateMenus();
}

// --- Contact commands -----------------------------------------------------------------

void WindowController::initContactMenu()
{
    m_contactMenu = makePopupMenu(m_contactPopup, tr("Contact"));
    addHeader(m_contactMenu, tr("Contact"));
    QAction *toggle = m_contactMenu->addAction(
        QIcon(QStringLiteral(":/UserGuest.png")), tr("Hide Contact Info"), this, &WindowController::toggleContactInfo);
    toggle->setObjectName(QStringLiteral("toggleContactInfo"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_contactMenu->addSeparator();
    m_contactMenu
        ->addAction(tr("Show Simple Info"), m_contactsViewController->contactCommands(),
            &ContactTableContactCommands::showContact)
        ->setObjectName(QStringLiteral("showContact"));
    m_contactMenu
        ->addAction(tr("Add New Contact"), m_contactsViewController->contactCommands(),
            &ContactTableContactCommands::addContact)
        ->setObjectName(QStringLiteral("addContact"));
    m_contactMenu->addAction(tr("Delete Contacts"), m_mainViewController, &ViewController::deleteContacts)
        ->setObjectName(QStringLiteral("deleteContacts"));
    m_contactMenu->addAction(tr("Duplicate Contacts"), m_mainViewController, &ViewController::duplicateContacts)
        ->setObjectName(QStringLiteral("duplicateContacts"));
    m_contactCommands->addContactItems(*m_contactMenu);
}

// --- Groups --------------------------------------------------------------------------------

void WindowController::initGroupMenu()
{
    m_groupMenu = makePopupMenu(m_groupsPopup, tr("Group"), &WindowController::updateGroupMenu);
    addHeader(m_groupMenu, tr("Group"));
}

// Containers without a name and groups without a name get no item. A
// container holding only its top group is read from the store again.
void WindowController::updateGroupMenu()
{
    for (QAction *item : m_groupMenu->actions()) {
        if (item->menu())
            item->menu()->deleteLater();
    }
    m_groupMenu->clear();
    addHeader(m_groupMenu, tr("Group"));
    const ContainerTablePtr &containers = m_mainViewController->containerTable();
    if (!containers)
        return;
    for (const ContainerRecordPtr &container : std::as_const(*containers)) {
        if (container->name.isEmpty())
            continue;
        if (container->groups->size() == 1)
            updateGroupTable(*container);
        QMenu *submenu = m_groupMenu->addMenu(container->name);
        for (const GroupRecordPtr &group : std::as_const(*container->groups)) {
            if (group->name.isEmpty() || group->deleted)
                continue;
            QAction *item = addItem(submenu, group->name, QVariant::fromValue(group), "selectGroup");
            connect(item, &QAction::triggered, this, [this, item] { selectGroup(item); });
        }
    }
}

void WindowController::updateGroupTable(ContainerRecord &container)
{
    ContactStore *store = m_mainViewController->contactStore();
    const RenmeiAndHagakiStore *sideStore = m_mainViewController->sideStore();
    if (container.identifier.isEmpty() || container.type == 0 || !store || !sideStore)
        return;
    AddressBookLoader loader(*store, *sideStore);
    loader.setAlertPoster([this](const QString &message, const QString &informative) {
        QMetaObject::invokeMethod(
            this, [this, message, informative] { m_alertPresenter->showAlert(this, message, informative); },
            Qt::QueuedConnection);
    });
    loader.appendGroups(container);
}

void WindowController::selectGroup(const QAction *item)
{
    m_mainViewController->groupSelectionDidChange(item->data().value<GroupRecordPtr>());
    validateMenus();
}

// --- Print styles ------------------------------------------------------------------------------

void WindowController::initPrintStyleMenu()
{
    m_printStyleMenu = makePopupMenu(m_printStylePopup, tr("Print Style"));
    addHeader(m_printStyleMenu, tr("Print Style"), QStringLiteral("Print Style"));
    const QList<std::pair<QString, QString>> styles{{tr("Hagaki"), QStringLiteral("Hagaki")},
        {tr("Envelope"), QStringLiteral("Envelope")}, {tr("Label"), QStringLiteral("Labels")},
        {tr("Address List"), QStringLiteral("Address List")}};
    for (const auto &[title, key] : styles) {
        QAction *item = addItem(m_printStyleMenu, title, key, "printStyleSelected");
        connect(item, &QAction::triggered, this, [this, item] { m_printCommands->printStyleSelected(item); });
    }
}

// The set-up of a contact window once its controller has loaded: the toolbar with its pop-ups and
// buttons, the main menu's twins of the pop-ups and the preload of the
// postal data.

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
    m_printCommands->makeOptionSheet(*m_styleSettingButton);
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
    m_layoutButton->setDefaultAction(m_printCommands->layoutAction());
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
