#pragma once

#include "app/AddressBookView.h"
#include "platform/InterfacePointer.h"
#include "app/AddressBookTables.h"
#include "app/MainViewDefaults.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class AboutPanelController;
class AlertPresenter;
class ContactStore;
class ContactTablePane;
class KeyValueStore;
class QAction;
class RenmeiAndHagakiStore;
class UserDefaults;
class WindowController;

// Owns the address book for the whole run: builds the address-book window,
// loads the contacts store into the container table, the selected group and
// the contact table, hands these very tables to the window's main view, and
// saves every pending change in one request or reverts to the store. It also
// carries the application's own menu items: Save, Revert and Quit in the File
// menu, and the Help menu with About.
//
// Start-up: the constructor builds the window, whose main view reads its
// settings first; the caller shows the window and then calls
// applicationDidFinishLaunching().
//
// The first load runs on a worker behind the main view's busy indicator;
// every later load (after Save and Revert) runs on the main thread. The
// tables reach the main view only through updateContainerTableInViewController(),
// always queued to the main thread.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    // The user default naming the container shown last.
    static inline const QString &lastContainerIdentifierKey = MainViewDefaults::lastContainerIdentifierKey;

    // What the delegate works on; each one left out is the application's own.
    struct Services {
        ContactStore *contactStore = nullptr;
        KeyValueStore *keyValueStore = nullptr;
        UserDefaults *userDefaults = nullptr;
        QString sideStoreFilePath;
        AlertPresenter *alertPresenter = nullptr;
    };

    explicit AppDelegate(QObject *parent = nullptr);
    explicit AppDelegate(const Services &services, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Takes the newest contact window as the address-book window and gives
    // every contact window the application's menu items, empties the main
    // view and, with access to the contacts store, loads the address book on
    // a worker.
    void applicationDidFinishLaunching();

    // The address-book window: the one built here until launching has
    // finished, then the newest contact window.
    [[nodiscard]] WindowController *window() const;
    [[nodiscard]] AddressBookView *mainViewController() const { return m_addressBookView; }
    // The address-book window's contact table, when it has one.
    [[nodiscard]] ContactTablePane *contactsViewController() const;
    // The main view the tables are handed to (not owned).
    // Must be a QObject: the view reads null once it is gone.
    void setMainViewController(AddressBookView *view) { m_addressBookView = view; }

    [[nodiscard]] const ContainerTablePtr &containerTable() const { return m_tables.containerTable; }
    [[nodiscard]] const GroupRecordPtr &selectedGroupDict() const { return m_tables.selectedGroupDict; }
    [[nodiscard]] const ContactTablePtr &contactTable() const { return m_tables.contactTable; }
    [[nodiscard]] RenmeiAndHagakiStore &sideStore() const { return *m_sideStore; }

    // Loads the address book again, here and now, replacing the three tables.
    void loadAddressBook();
    // Queues the hand-over of the current tables to the main view.
    void updateContainerTableInViewController();

    // The Save command: commits the typing; when the window is marked edited,
    // saves, clears the edited mark and the undo history, loads again and
    // hands the tables over. A save that fails is shown and leaves
    // everything pending: the edited mark, the undo history and the tables.
    // Nothing is saved into a store that couldn't be read.
    void saveAddressBook(QObject *sender);
    // Writes the side store and sends every pending change in one request.
    // False, shown in an alert with its cause, when any part of it could not
    // be written, or when there is nothing loaded to save (the store could
    // not be read, or the first load has not ended).
    bool saveAddressBook();
    // Asked as the address-book window is about to close, and so at Quit:
    // with the window edited, "Do you want to save the changes to your
    // contacts?" Save saves, and a save that fails keeps the window with its
    // edits and undo steps; Don't Save lets the edits go; Cancel keeps the
    // window. Without edits nothing is asked.
    [[nodiscard]] bool addressBookWindowShouldClose();
    // The Revert command: after the user's confirmation, drops every pending
    // change with the undo history and loads again.
    void revertAddressBookToSaved(QObject *sender);

    // Save and Revert are offered when the window has something to undo and
    // the store could be read; Save also while a value is being typed.
    [[nodiscard]] bool canSaveOrRevert() const;
    // Whether a value is being typed into a cell of the address-book window,
    // or a value editor is open over it: Save then stores it, even as the
    // window's first edit.
    [[nodiscard]] bool isTypingInWindow() const;

    // --- The application's menu items -----------------------------------
    [[nodiscard]] QAction *saveAction() const { return m_saveAction; }
    [[nodiscard]] QAction *revertAction() const { return m_revertAction; }
    // The Help menu's items, About last.
    [[nodiscard]] const QList<QAction *> &helpActions() const { return m_helpActions; }
    // Opens the page or the mail the item names; the Japanese pages when the
    // user's first language is Japanese. An item of another title does nothing.
    void menuItemSelectedInHelpMenu(QAction *item);
    // Runs the About panel modally, the same panel each time.
    void showAboutPanel();
    [[nodiscard]] AboutPanelController *aboutPanelController() const { return m_aboutPanelController.get(); }
    // Closes the address-book window first, which asks about its unsaved
    // changes and may keep the application running, then every other
    // window, which stores what windows store, and quits.
    void quit();

Q_SIGNALS:
    // The first load's tables were taken over by the main thread.
    void addressBookLoaded();
    // A hand-over has reached the main view (after its setRepresentedObject()).
    void mainViewUpdated();

private:
    void makeApplicationActions();
    void localizeHelpMenu();
    void installApplicationMenus(WindowController *window);
    void validateApplicationMenus();
    void startFirstLoad(bool showsProgress);
    void takeOverFirstLoad();
    void postAlert(const QString &messageText, const QString &informativeText);
    void showPrivacyAlert();
    void forgetPendingChanges();
    [[nodiscard]] bool endEditing();
    void tellOfNewerSideData();
    [[nodiscard]] QString lastContainerIdentifier() const;

    std::unique_ptr<ContactStore> m_ownedContactStore;
    std::unique_ptr<AlertPresenter> m_ownedAlertPresenter;
    ContactStore *m_contactStore = nullptr;
    KeyValueStore *m_keyValueStore = nullptr;
    UserDefaults *m_userDefaults = nullptr;
    AlertPresenter *m_alertPresenter = nullptr;
    std::unique_ptr<RenmeiAndHagakiStore> m_sideStore;

    std::unique_ptr<WindowController> m_ownedWindow;
    QPointer<WindowController> m_window;
    InterfacePointer<AddressBookView> m_addressBookView;
    std::unique_ptr<AboutPanelController> m_aboutPanelController;
    QAction *m_saveAction = nullptr;
    QAction *m_revertAction = nullptr;
    QAction *m_quitAction = nullptr;
    QList<QAction *> m_helpActions;
    AddressBookTables m_tables;
    bool m_toldOfNewerSideData = false;
    QFutureWatcher<AddressBookTables> m_firstLoad;
};
