#include "common/LaunchedAddressBook.h"

#include "app/AppDelegate.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

LaunchedAddressBook::LaunchedAddressBook(const GeneratedAddressBook &book, AlertPresenter *alertPresenter)
    : m_book(book)
    , m_alertPresenter(alertPresenter)
    , m_keyValueStore(std::make_unique<KeyValueStore>(book.keyValueStorePath()))
    , m_userDefaults(std::make_unique<UserDefaults>(book.userDefaultsPath()))
{
}

LaunchedAddressBook::~LaunchedAddressBook()
{
    // The window goes with the delegate, before the stores it reads.
    m_delegate.reset();
}

void LaunchedAddressBook::makeDelegate()
{
    AppDelegate::Services services;
    services.contactStore = &m_book.store();
    services.keyValueStore = m_keyValueStore.get();
    services.userDefaults = m_userDefaults.get();
    services.sideStoreFilePath = m_book.sideStorePath();
    services.alertPresenter = m_alertPresenter;
    m_handOvers = 0;
    m_delegate = std::make_unique<AppDelegate>(services);
    QObject::connect(m_delegate.get(), &AppDelegate::mainViewUpdated, [this] { ++m_handOvers; });
}

void LaunchedAddressBook::finishLaunching()
{
    m_delegate->window()->show();
    m_delegate->applicationDidFinishLaunching();
}

bool LaunchedAddressBook::waitForHandOver(int timeoutMilliseconds)
{
    const QDeadlineTimer deadline(timeoutMilliseconds);
    while (m_handOvers == 0 && !deadline.hasExpired()) {
        QEventLoop loop;
        QObject::connect(m_delegate.get(), &AppDelegate::mainViewUpdated, &loop, &QEventLoop::quit);
        QTimer::singleShot(std::max<qint64>(deadline.remainingTime(), 0), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_handOvers > 0;
}

bool LaunchedAddressBook::launch(int timeoutMilliseconds)
{
    makeDelegate();
    finishLaunching();
    return waitForHandOver(timeoutMilliseconds);
}

bool LaunchedAddressBook::launchActive(int timeoutMilliseconds)
{
    if (!launch(timeoutMilliseconds))
        return false;
    QApplication::setActiveWindow(&window());
    const QDeadlineTimer deadline(timeoutMilliseconds);
    while (!window().isActiveWindow() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return window().isActiveWindow();
}

ViewController &LaunchedAddressBook::mainView() const
{
    return *window().mainViewController();
}
