#include "app/AppDelegate.h"

#include "app/DocumentController.h"

#include "app/AboutPanelController.h"

#include "app/AddressBookLoader.h"
#include "app/AddressBookSaver.h"
#include "app/AddressBookView.h"
#include "platform/widgets/MessageBoxAlertPresenter.h"
#include "app/RenmeiAndHagakiStore.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "platform/KeyValueStore.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/ContactStore.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {
constexpr int privacyAlertDelayMilliseconds = 1500;
} // namespace

AppDelegate::AppDelegate(QObject *parent)
    : AppDelegate(Services(), parent)
{
}

AppDelegate::AppDelegate(const Services &services, QObject *parent)
    : QObject(parent)
    , m_contactStore(services.contactStore)
    , m_keyValueStore(services.keyValueStore ? services.keyValueStore : &KeyValueStore::defaultStore())
    , m_userDefaults(services.userDefaults ? services.userDefaults : &UserDefaults::standardUserDefaults())
    , m_alertPresenter(services.alertPresenter)
{
    if (!m_contactStore) {
        m_ownedContactStore = std::make_unique<ContactStore>();
        m_contactStore = m_ownedContactStore.get();
    }
    if (!m_alertPresenter) {
        m_ownedAlertPresenter = std::make_unique<MessageBoxAlertPresenter>();
        m_alertPresenter = m_ownedAlertPresenter.get();
    }
    m_sideStore = std::make_unique<RenmeiAndHagakiStore>(m_keyValueStore, services.sideStoreFilePath);
    connect(&m_firstLoad, &QFutureWatcher<AddressBookTables>::finished, this, &AppDelegate::takeOverFirstLoad);
    makeApplicationActions();
    // The "Main" window: its main view reads and repairs the settings before
    // anything else reads one.
    m_ownedWindow = std::make_unique<WindowController>(WindowController::Services{m_userDefaults, m_alertPresenter});
    m_window = m_ownedWindow.get();
}

AppDelegate::~AppDelegate()
{
    // Destroying the window moves the focus, and the focus change would
    // validate the menus through members already destroyed.
    if (qApp)
        disconnect(qApp, nullptr, this, nullptr);
    // Document windows use this delegate's defaults, alerts and menu items.
    DocumentController::sharedDocumentController().releaseWindowServices(this);
    // The worker uses the stores and posts to this object until it ends.
    m_firstLoad.waitForFinished();
}

WindowController *AppDelegate::window() const
{
    return m_window.data();
}

ContactTablePane *AppDelegate::contactsViewController() const
{
    return m_window ? m_window->mainViewController()->contactsViewController() : nullptr;
}

void AppDelegate::applicationDidFinishLaunching()
{
    localizeHelpMenu();
    const QList<WindowController *> windows = WindowController::windowControllers();
    for (WindowController *window : windows) {
        installApplicationMenus(window);
        window->mainViewController()->setAddressBookStores(m_contactStore, m_sideStore.get());
        m_window = window;
        m_addressBookView = window->mainViewController();
    }
    if (windows.isEmpty())
        qWarning("%s: ERROR can't find windowController", Q_FUNC_INFO);
    if (m_window) {
        // Only the address-book window asks before closing; document windows
        // close as they are.
        const QPointer<AppDelegate> self(this);
        m_window->setCloseGuard([self] { return !self || self->addressBookWindowShouldClose(); });
        // Its contact popovers and the windows dragged off them save and quit
        // by their keys too.
        m_window->setApplicationActions({m_saveAction, m_quitAction});
        connect(m_window->undoManager(), &UndoManager::stacksChanged, this, &AppDelegate::validateApplicationMenus);
        // An editor opening or closing moves the focus.
        connect(qApp, &QApplication::focusChanged, this, &AppDelegate::validateApplicationMenus, Qt::UniqueConnection);
    }
    validateApplicationMenus();
    // Document windows opened from now on get what this window got.
    DocumentController &documents = DocumentController::sharedDocumentController();
    documents.setWindowServices(this,
        {m_userDefaults, m_alertPresenter, [this](WindowController *window) { installApplicationMenus(window); }});
    if (m_addressBookView) {
        m_addressBookView->setContainerTable({});
        m_addressBookView->setSelectedGroupDict({});
        m_addressBookView->setContactTable({});
        m_addressBookView->setRepresentedObject({});
    }
    switch (ContactStore::authorizationStatus()) {
    case ContactStore::AuthorizationStatus::Authorized:
        startFirstLoad(true);
        break;
    case ContactStore::AuthorizationStatus::NotDetermined: {
        const QPointer<AppDelegate> self(this);
        m_contactStore->requestAccess([self](bool granted, const StoreError &) {
            QMetaObject::invokeMethod(
                self,
                [self, granted] {
                    if (!self)
                        return;
                    if (granted)
                        self->startFirstLoad(false);
                    else
                        QTimer::singleShot(privacyAlertDelayMilliseconds, self, &AppDelegate::showPrivacyAlert);
                },
                Qt::QueuedConnection);
        });
        break;
    }
    case ContactStore::AuthorizationStatus::Restricted:
    case ContactStore::AuthorizationStatus::Denied:
        QTimer::singleShot(privacyAlertDelayMilliseconds, this, &AppDelegate::showPrivacyAlert);
        break;
    }
}

void AppDelegate::showPrivacyAlert()
{
    const QString name = QCoreApplication::applicationName();
    m_alertPresenter->showAlert(m_window, tr("Please allow %1 to access your contacts.").arg(u'"' + name + u'"'),
        tr("%1 needs to access your contacts to show and edit them, please change the setting at the system settings.")
            .arg(name));
    QCoreApplication::quit();
}

QString AppDelegate::lastContainerIdentifier() const
{
    return m_userDefaults->stringForKey(lastContainerIdentifierKey);
}

void AppDelegate::postAlert(const QString &messageText, const QString &informativeText)
{
    // Queued even from the main thread: an alert never runs inside a load.
    QMetaObject::invokeMethod(
        this,
        [this, messageText, informativeText] { m_alertPresenter->showAlert(m_window, messageText, informativeText); },
        Qt::QueuedConnection);
}

void AppDelegate::startFirstLoad(bool showsProgress)
{
    if (m_firstLoad.isRunning())
        return;
    // Shown here, on the main thread, before the worker starts, so that
    // nothing on screen lags behind the flag.
    if (showsProgress && m_window)
        m_window->mainViewController()->setAddressBookLoading(true);
    // Read here, so the worker touches no preference.
    const QString preferred = lastContainerIdentifier();
    const AddressBookTables previous = m_tables;
    ContactStore *store = m_contactStore;
    RenmeiAndHagakiStore *sideStore = m_sideStore.get();
    m_firstLoad.setFuture(QtConcurrent::run([this, store, sideStore, preferred, previous] {
        AddressBookLoader loader(*store, *sideStore);
        loader.setAlertPoster(
            [this](const QString &message, const QString &informative) { postAlert(message, informative); });
        return loader.loadAddressBook(preferred, previous);
    }));
}

void AppDelegate::takeOverFirstLoad()
{
    if (m_firstLoad.future().resultCount() > 0)
        m_tables = m_firstLoad.result();
    tellOfNewerSideData();
    if (m_window)
        m_window->mainViewController()->setAddressBookLoading(false);
    updateContainerTableInViewController();
    Q_EMIT addressBookLoaded();
}

void AppDelegate::loadAddressBook()
{
    AddressBookLoader loader(*m_contactStore, *m_sideStore);
    loader.setAlertPoster(
        [this](const QString &message, const QString &informative) { postAlert(message, informative); });
    m_tables = loader.loadAddressBook(lastContainerIdentifier(), m_tables);
    tellOfNewerSideData();
}

// Once a run: the store was put back from a backup, and the side data of its
// contacts comes from a later save.
void AppDelegate::tellOfNewerSideData()
{
    if (m_tables.newerSideFiles.isEmpty() || m_toldOfNewerSideData)
        return;
    m_toldOfNewerSideData = true;
    QStringList files;
    for (const QString &file : std::as_const(m_tables.newerSideFiles))
        files.append(u'“' + file + u'”');
    postAlert(tr("The joint names and postcard layouts are newer than the contacts store."),
        tr("Saved later than the contacts store “%1”, which was probably restored from a backup: %2. Their records "
           "are shown as they are, and copies of these files are kept before the next save changes them.")
            .arg(m_contactStore->filePath(), files.join(tr(" and "))));
}

void AppDelegate::updateContainerTableInViewController()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_addressBookView)
                return;
            m_addressBookView->setContainerTable(m_tables.containerTable);
            m_addressBookView->setSelectedGroupDict(m_tables.selectedGroupDict);
            m_addressBookView->setContactTable(m_tables.contactTable);
            m_addressBookView->setRepresentedObject({});
            Q_EMIT mainViewUpdated();
        },
        Qt::QueuedConnection);
}

void AppDelegate::forgetPendingChanges()
{
    if (!m_window)
        return;
    m_window->setWindowModified(false);
    m_window->undoManager()->removeAllActions();
}

void AppDelegate::saveAddressBook(QObject *)
{
    if (!endEditing())
        return;
    if (!m_window || !m_window->isWindowModified() || m_tables.storeUnreadable)
        return;
    if (!saveAddressBook())
        return;
    forgetPendingChanges();
    loadAddressBook();
    updateContainerTableInViewController();
}

bool AppDelegate::saveAddressBook()
{
    std::optional<AddressBookSaver::Failure> failure;
    if (m_tables.storeUnreadable || !m_tables.containerTable) {
        // Nothing was read to save from: a save would only write empty side
        // data over the records the store could not show.
        failure = AddressBookSaver::Failure{tr("Couldn't save the address book."),
            m_tables.unreadableCause.isEmpty() ? tr("The contacts store has not been read.")
                                               : m_tables.unreadableCause};
    } else {
        failure = AddressBookSaver(*m_contactStore, *m_sideStore).save(*m_tables.containerTable);
    }
    if (!failure)
        return true;
    qWarning("%s: ERROR %s %s", Q_FUNC_INFO, qPrintable(failure->messageText), qPrintable(failure->informativeText));
    m_alertPresenter->showAlert(m_window.get(), failure->messageText, failure->informativeText);
    return false;
}

bool AppDelegate::endEditing()
{
    return !m_addressBookView || m_addressBookView->endEditing();
}

bool AppDelegate::addressBookWindowShouldClose()
{
    if (!endEditing())
        return false;
    if (!m_window || !m_window->isWindowModified())
        return true;
    const int answer
        = m_alertPresenter->runModalAlert(m_window.get(), tr("Do you want to save the changes to your contacts?"),
            tr("If you don't save, your changes will be lost."), {tr("Save"), tr("Don't Save"), tr("Cancel")});
    switch (answer) {
    case AlertPresenter::FirstButtonReturn:
        if (!saveAddressBook())
            return false;
        break;
    case AlertPresenter::SecondButtonReturn:
        break;
    default:
        return false;
    }
    // The edits are in the store or let go: a later close or Quit has
    // nothing more to ask.
    forgetPendingChanges();
    return true;
}

void AppDelegate::revertAddressBookToSaved(QObject *)
{
    const QPointer<AppDelegate> self(this);
    m_alertPresenter->askConfirmation(
        m_window, tr("Do you want to revert AddressBook?"), QString(), [self](int response) {
            if (!self || response != AlertPresenter::FirstButtonReturn)
                return;
            // An editor left open would store its text into the records the
            // reload replaces, and the undo history speaks of them too.
            if (self->m_addressBookView)
                self->m_addressBookView->discardEditing();
            self->forgetPendingChanges();
            self->loadAddressBook();
            self->updateContainerTableInViewController();
        });
}

bool AppDelegate::canSaveOrRevert() const
{
    return m_window && !m_tables.storeUnreadable && m_window->undoManager()->canUndo();
}
