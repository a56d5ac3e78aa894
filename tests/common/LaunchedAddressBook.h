#pragma once

#include "app/AppDelegate.h"
#include "common/GeneratedAddressBook.h"

#include <memory>

class AlertPresenter;
class KeyValueStore;
class UserDefaults;
class ViewController;
class WindowController;

// The application opened on a generated address book, as main() opens it:
// the delegate builds the window (whose main view reads the settings), the
// window is shown, launching finishes, and the first load is handed to the
// main view. Settings, key-value store and side store are the book's files.
class LaunchedAddressBook {
public:
    explicit LaunchedAddressBook(const GeneratedAddressBook &book, AlertPresenter *alertPresenter = nullptr);
    ~LaunchedAddressBook();
    LaunchedAddressBook(const LaunchedAddressBook &) = delete;
    LaunchedAddressBook &operator=(const LaunchedAddressBook &) = delete;

    // The delegate and its window, which reads the settings.
    void makeDelegate();
    // Shows the window and finishes launching; the first load then runs on a
    // worker.
    void finishLaunching();
    // Waits until a load has reached the main view; false after the time-out.
    bool waitForHandOver(int timeoutMilliseconds = 30000);
    // All of the above.
    bool launch(int timeoutMilliseconds = 30000);
    // launch(), then the window made the active one, as a click into it
    // makes it; false when either did not happen in time.
    bool launchActive(int timeoutMilliseconds = 30000);

    [[nodiscard]] AppDelegate &delegate() const { return *m_delegate; }
    [[nodiscard]] WindowController &window() const { return *m_delegate->window(); }
    [[nodiscard]] ViewController &mainView() const;
    [[nodiscard]] UserDefaults &userDefaults() const { return *m_userDefaults; }

private:
    const GeneratedAddressBook &m_book;
    AlertPresenter *m_alertPresenter = nullptr;
    std::unique_ptr<KeyValueStore> m_keyValueStore;
    std::unique_ptr<UserDefaults> m_userDefaults;
    std::unique_ptr<AppDelegate> m_delegate;
    int m_handOvers = 0;
};
