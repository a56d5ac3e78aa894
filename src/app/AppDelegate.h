#pragma once

#include <QObject>

#include <memory>

class WindowController;

// Starts the application: builds the address-book window once the event loop
// is about to run.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    explicit AppDelegate(QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();

    [[nodiscard]] WindowController *windowController() const { return m_windowController.get(); }

private:
    std::unique_ptr<WindowController> m_windowController;
};
