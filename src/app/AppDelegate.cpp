#include "app/AppDelegate.h"

#include "app/AddressBookLoader.h"
#include "app/AddressBookSaver.h"
#include "app/AddressBookView.h"
#include "app/MessageBoxAlertPresenter.h"
#include "app/RenmeiAndHagakiStore.h"
#include "app/WindowController.h"
#include "platform/KeyValueStore.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/ContactStore.h"

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
}

AppDelegate::~AppDelegate()
{
    // The worker uses the stores and posts to this object until it ends.
    m_firstLoad.waitForFinished();
}

void AppDelegate::applicationDidFinishLaunching()
{
    m_window = std::make_unique<WindowController>();
    m_window->show();
    if (m_mainViewController) {
        m_mainViewController->setContainerTable({});
        m_mainViewController->setSelectedGroupDict({});
        m_mainViewController->setContactTable({});
        m_mainViewController->setRepresentedObject({});
    }
    switch (ContactStore::authorizationStatus()) {
    case ContactStore::AuthorizationStatus::Authorized:
        startFirstLoad();
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
                        self->startFirstLoad();
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
    m_alertPresenter->showAlert(m_window.get(), tr("Please allow %1 to access your contacts.").arg(u'"' + name + u'"'),
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
        [this, messageText, informativeText] {
            m_alertPresenter->showAlert(m_window.get(), messageText, informativeText);
        },
        Qt::QueuedConnection);
}

void AppDelegate::startFirstLoad()
{
    if (m_firstLoad.isRunning())
        return;
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
    updateContainerTableInViewController();
    Q_EMIT addressBookLoaded();
}

void AppDelegate::loadAddressBook()
{
    AddressBookLoader loader(*m_contactStore, *m_sideStore);
    loader.setAlertPoster(
        [this](const QString &message, const QString &informative) { postAlert(message, informative); });
    m_tables = loader.loadAddressBook(lastContainerIdentifier(), m_tables);
}

void AppDelegate::updateContainerTableInViewController()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_mainViewController)
                return;
            m_mainViewController->setContainerTable(m_tables.containerTable);
            m_mainViewController->setSelectedGroupDict(m_tables.selectedGroupDict);
            m_mainViewController->setContactTable(m_tables.contactTable);
            m_mainViewController->setRepresentedObject({});
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
    if (m_mainViewController && m_mainViewController->commitEditing())
        m_mainViewController->updateTable();
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
    if (!m_tables.containerTable)
        return true;
    const std::optional<AddressBookSaver::Failure> failure
        = AddressBookSaver(*m_contactStore, *m_sideStore).save(*m_tables.containerTable);
    if (!failure)
        return true;
    qWarning("%s: ERROR %s %s", Q_FUNC_INFO, qPrintable(failure->messageText), qPrintable(failure->informativeText));
    m_alertPresenter->showAlert(m_window.get(), failure->messageText, failure->informativeText);
    return false;
}

void AppDelegate::revertAddressBookToSaved(QObject *)
{
    const QPointer<AppDelegate> self(this);
    m_alertPresenter->askConfirmation(m_window.get(), tr("Do you want to revert AddressBook?"), [self](int response) {
        if (!self || response != AlertPresenter::FirstButtonReturn)
            return;
        // The undo history speaks of the records the reload replaces.
        self->forgetPendingChanges();
        self->loadAddressBook();
        self->updateContainerTableInViewController();
    });
}

bool AppDelegate::canSaveOrRevert() const
{
    return m_window && !m_tables.storeUnreadable && m_window->undoManager()->canUndo();
}
