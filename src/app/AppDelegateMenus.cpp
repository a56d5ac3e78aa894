// The application's own menu items: Save, Revert and Quit in each contact
// window's File menu, and its Help menu with About.

#include "app/AboutPanelController.h"
#include "app/AppDelegate.h"
#include "app/ProductPages.h"
#include "app/WindowController.h"
#include "platform/UndoManager.h"
#include "platform/widgets/AlertPresenter.h"
#include "print/PrintOptions.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QUrl>

namespace {

// The Help menu's items by their English titles, which their data keeps.
const QString helpTitle = QStringLiteral("Quillmark2 Help");
const QString feedbackTitle = QStringLiteral("Feedback via Email…");
const QString privacyPolicyTitle = QStringLiteral("Privacy Policy…");
const QString aboutTitle = QStringLiteral("About Quillmark");

} // namespace

void AppDelegate::makeApplicationActions()
{
    m_saveAction = new QAction(tr("Save AddressBook"), this);
    m_saveAction->setObjectName(QStringLiteral("saveAddressBook"));
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_saveAction, &QAction::triggered, this, [this] { saveAddressBook(m_saveAction); });
    m_revertAction = new QAction(tr("Revert AddressBook to Saved"), this);
    m_revertAction->setObjectName(QStringLiteral("revertAddressBookToSaved"));
    connect(m_revertAction, &QAction::triggered, this, [this] { revertAddressBookToSaved(m_revertAction); });
    m_quitAction = new QAction(tr("Quit"), this);
    m_quitAction->setShortcut(QKeySequence::Quit);
    m_quitAction->setMenuRole(QAction::QuitRole);
    connect(m_quitAction, &QAction::triggered, this, &AppDelegate::quit);

    for (const QString &title : {helpTitle, feedbackTitle, privacyPolicyTitle, aboutTitle}) {
        auto *item = new QAction(title, this);
        item->setData(title);
        m_helpActions.append(item);
    }
    m_helpActions.last()->setMenuRole(QAction::AboutRole);
    for (QAction *item : std::as_const(m_helpActions)) {
        if (item->data().toString() == aboutTitle)
            connect(item, &QAction::triggered, this, &AppDelegate::showAboutPanel);
        else
            connect(item, &QAction::triggered, this, [this, item] { menuItemSelectedInHelpMenu(item); });
    }
}

void AppDelegate::localizeHelpMenu()
{
    for (QAction *item : std::as_const(m_helpActions))
        item->setText(tr(qPrintable(item->data().toString())));
}

void AppDelegate::installApplicationMenus(WindowController *window)
{
    QMenu *file = window->fileMenu();
    if (file->actions().contains(m_saveAction))
        return;
    file->addAction(m_saveAction);
    file->addAction(m_revertAction);
    file->addSeparator();
    file->addAction(m_quitAction);
    connect(file, &QMenu::aboutToShow, this, &AppDelegate::validateApplicationMenus);
    QMenu *help = window->helpMenu();
    help->addActions(m_helpActions.mid(0, m_helpActions.size() - 1));
    help->addSeparator();
    help->addAction(m_helpActions.last());
}

void AppDelegate::validateApplicationMenus()
{
    // A disabled item's shortcut does nothing: Ctrl+S in a window with
    // nothing to save sends no request.
    const bool pending = canSaveOrRevert();
    m_saveAction->setEnabled(pending || (isTypingInWindow() && !m_tables.storeUnreadable));
    m_revertAction->setEnabled(pending);
}

// An editor of a table cell or of a detail row lies on the viewport of its
// item view; a value editor lies in a popover of its own. A contact popover
// of the address-book window's table, and a window dragged off it, hold its
// Save item.
bool AppDelegate::isTypingInWindow() const
{
    if (m_addressBookView && m_addressBookView->hasOpenValueEditor())
        return true;
    const QWidget *focus = QApplication::focusWidget();
    const QWidget *viewport = focus ? focus->parentWidget() : nullptr;
    if (!focus || !m_window || !qobject_cast<const QAbstractItemView *>(viewport ? viewport->parentWidget() : nullptr))
        return false;
    for (const QWidget *holder = viewport; holder; holder = holder->parentWidget()) {
        if (holder == m_window.get() || holder->actions().contains(m_saveAction))
            return true;
    }
    return false;
}

void AppDelegate::menuItemSelectedInHelpMenu(QAction *item)
{
    const QString title = item ? item->data().toString() : QString();
    const bool japanese = PrintOptions::preferredLanguage() == QStringLiteral("ja");
    QUrl url;
    if (title == helpTitle) {
        url = QUrl(japanese ? ProductPages::helpJapanese : ProductPages::help);
    } else if (title == feedbackTitle) {
        QString mail = ProductPages::supportMailAddress
            + QStringLiteral("?subject=Feedback of %1").arg(QCoreApplication::applicationName());
        mail.replace(u' ', QStringLiteral("%20"));
        url = QUrl(QStringLiteral("mailto:") + mail, QUrl::TolerantMode);
    } else if (title == privacyPolicyTitle) {
        url = QUrl(japanese ? ProductPages::privacyPolicyJapanese : ProductPages::privacyPolicy);
    }
    // Without a browser or a mail program the item would seem to do nothing.
    if (!url.isEmpty() && !ProductPages::open(url) && m_alertPresenter) {
        m_alertPresenter->showAlert(m_window, tr("The link couldn't be opened."),
            tr("No application on this computer opens “%1”.").arg(url.toString()));
    }
}

void AppDelegate::showAboutPanel()
{
    if (!m_aboutPanelController)
        m_aboutPanelController = std::make_unique<AboutPanelController>();
    m_aboutPanelController->exec();
}

void AppDelegate::quit()
{
    if (m_window && m_window->isVisible() && !m_window->close())
        return;
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
