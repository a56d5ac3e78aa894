// The validation of a contact window's items: one table of what each item
// shows and whether it is enabled, by the item's object name, and the one
// function that applies it to every item of the window.

#include "app/WindowController.h"

#include "app/ViewController.h"
#include "platform/UndoManager.h"
#include "table/ContactTablePane.h"
#include "table/ContactsViewController.h"
#include "app/ContactMenuCommands.h"
#include "app/FileMenuCommands.h"
#include "app/PrintCommands.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QToolButton>

namespace {

bool checkedWhen(QAction *item, bool checked)
{
    item->setChecked(checked);
    return true;
}

bool hasSelectedRows(const ViewController *controller)
{
    const ContactTablePane *table = controller ? controller->contactsViewController() : nullptr;
    return table && table->hasSelectedRows();
}

// Contacts are imported into the group shown, once the store is read.
bool canImport(const ViewController *controller)
{
    return controller && !controller->isAddressBookLoading() && controller->selectedGroupDict();
}

} // namespace

// Every item of the window with a rule: the Edit menu's own items and the
// phone formats, every named item of the View and Navigate menus however
// deep, the Edit button, the print and file commands; then the toolbar's
// buttons.
void WindowController::validateMenus()
{
    QList<QAction *> items{m_editButton, m_printCommands->printAction(), m_printCommands->layoutAction()};
    if (m_fileCommands)
        items += m_fileCommands->fileActions();
    if (m_editMenu)
        items += m_editMenu->actions();
    if (m_contactCommands && m_contactCommands->phoneFormatMenu())
        items += m_contactCommands->phoneFormatMenu()->actions();
    QList<QMenu *> menus{m_viewMenu, m_navigateMenu};
    while (!menus.isEmpty()) {
        QMenu *menu = menus.takeFirst();
        for (QAction *item : menu ? menu->actions() : QList<QAction *>()) {
            if (item->menu())
                menus.append(item->menu());
            else if (!item->objectName().isEmpty())
                items.append(item);
        }
    }
    for (QAction *item : std::as_const(items)) {
        if (item)
            item->setEnabled(validateMenuItem(item));
    }
    // The find button follows the find bar's moves, not the window's state;
    // ZIP without a selected row would have nothing to paste into.
    for (QToolButton *button : {m_zipButton, m_layoutButton, m_styleSettingButton}) {
        if (button)
            button->setEnabled(true);
    }
    if (m_zipButton)
        m_zipButton->setEnabled(hasSelectedRows(m_mainViewController));
}

// Each rule sets what its item shows (checked, title) and answers whether
// it is enabled; an item named in none is the content controller's.
bool WindowController::validateMenuItem(QAction *item) const
{
    using Rule = bool (*)(const WindowController &window, QAction *item);
    const auto undoOrRedo = [](const WindowController &window, QAction *item) {
        const bool undo = item == window.m_undoAction;
        const QString name = undo ? window.m_undoManager->undoActionName() : window.m_undoManager->redoActionName();
        if (undo)
            item->setText(name.isEmpty() ? tr("Undo") : tr("Undo %1").arg(name));
        else
            item->setText(name.isEmpty() ? tr("Redo") : tr("Redo %1").arg(name));
        return window.m_mainViewController->validateMenuItem(item);
    };
    const auto copy
        = [](const WindowController &window, QAction *) { return window.m_contactsViewController->hasSelectedRows(); };
    const auto phoneFormat
        = [](const WindowController &window, QAction *) { return window.m_contactCommands->canNormalizePhoneNumber(); };
    const auto always = [](const WindowController &, QAction *) { return true; };
    static const QHash<QString, Rule> rules{
        {QStringLiteral("printStyleSelected"),
            [](const WindowController &window, QAction *item) {
                return checkedWhen(item, item->data().toString() == window.m_mainViewController->printStyle());
            }},
        {QStringLiteral("viewTypePopupSelected"),
            [](const WindowController &window, QAction *item) {
                return checkedWhen(item, item->data().toString() == window.m_viewSettings->selectedViewType());
            }},
        {QStringLiteral("itemsPopupSelected"),
            [](const WindowController &window, QAction *item) {
                return checkedWhen(item, window.m_viewSettings->selectedColumns().contains(item->data().toString()));
            }},
        {QStringLiteral("labelsPopupSelected"),
            [](const WindowController &window, QAction *item) {
                return checkedWhen(item, window.m_viewSettings->selectedLabels().contains(item->data().toString()));
            }},
        {QStringLiteral("sortOptionsSelected"),
            [](const WindowController &window, QAction *item) {
                const QString column = item->parent() ? item->parent()->property("column").toString() : QString();
                return checkedWhen(item, window.m_viewSettings->selectedSortKey(column) == item->data().toString());
            }},
        {QStringLiteral("toggleContactInfo"),
            [](const WindowController &window, QAction *item) {
                item->setText(window.isContactInfoCollapsed() ? tr("Show Contact Info") : tr("Hide Contact Info"));
                return true;
            }},
        {QStringLiteral("toggleGroupView"),
            [](const WindowController &window, QAction *item) {
                if (window.isGroupPaneCollapsed() && item->text() == tr("Hide Groups"))
                    item->setText(tr("Show Groups"));
                else if (!window.isGroupPaneCollapsed() && item->text() == tr("Show Groups"))
                    item->setText(tr("Hide Groups"));
                return true;
            }},
        {QStringLiteral("mergeContacts"),
            [](const WindowController &window, QAction *) { return window.m_contactCommands->canMergeContacts(); }},
        {QStringLiteral("editButtonClicked"),
            [](const WindowController &window, QAction *item) {
                item->setChecked(window.m_mainViewController->editState());
                // Only enableEditButton() decides: a CSV window or one in
                // layout mode must stay locked whatever menu is validated.
                return item->isEnabled();
            }},
        {QStringLiteral("selectGroup"),
            [](const WindowController &window, QAction *item) {
                const GroupRecordPtr group = item->data().value<GroupRecordPtr>();
                const GroupRecordPtr &selected = window.m_mainViewController->selectedGroupDict();
                return checkedWhen(item, group && selected && group->uniqueId == selected->uniqueId);
            }},
        {QStringLiteral("undo"), undoOrRedo},
        {QStringLiteral("redo"), undoOrRedo},
        {QStringLiteral("copy"), copy},
        {QStringLiteral("copyAsCSV"), copy},
        {QStringLiteral("formatPhoneNumbers"), phoneFormat},
        {QStringLiteral("normalizePhoneNumber"), phoneFormat},
        {QStringLiteral("printDocument"),
            [](const WindowController &window, QAction *) { return hasSelectedRows(window.m_mainViewController); }},
        {QString(FileMenuCommands::openKey), always},
        {QString(FileMenuCommands::exportVCardKey), always},
        {QString(FileMenuCommands::importVCardKey),
            [](const WindowController &window, QAction *) {
                return canImport(window.m_mainViewController)
                    && window.fileCommands()->documentType() != QStringLiteral("CSV");
            }},
        {QString(FileMenuCommands::importCSVKey),
            [](const WindowController &window, QAction *) { return canImport(window.m_mainViewController); }},
        {QString(FileMenuCommands::exportCSVKey), [](const WindowController &, QAction *) { return false; }},
        {QString(FileMenuCommands::saveAsKey),
            [](const WindowController &window, QAction *) {
                const ContactTablePane *table = window.m_mainViewController->contactsViewController();
                return !window.fileCommands()->documentType().isEmpty() && table && table->selectsContacts(1);
            }},
        {QStringLiteral("layoutButtonPressed"),
            [](const WindowController &window, QAction *item) {
                item->setChecked(window.m_printCommands->isLayoutMode());
                return item->isEnabled();
            }},
    };
    const Rule rule = rules.value(item->objectName());
    return rule ? rule(*this, item) : m_mainViewController->validateMenuItem(item);
}
