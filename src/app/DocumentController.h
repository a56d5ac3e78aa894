#pragma once

#include "app/FilePanel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class AlertPresenter;
class ProgressAlert;
class UserDefaults;
class WindowController;

// The application's one controller of documents: File ▸ Open… of every
// window, the files named on the command line, one window per file, and
// document windows that a change of screens left on no screen put back in
// the middle of one.
class DocumentController : public QObject {
    Q_OBJECT

public:
    [[nodiscard]] static DocumentController &sharedDocumentController();

    // The open panel, with the encoding chooser, modal for the window.
    void openDocument(WindowController *window);
    // Opens the file, or brings its window to the front when it is open
    // already; false when it could not be read (an alert then said why).
    bool openFile(const QString &path, quint32 encoding = 0, WindowController *asker = nullptr);
    // Files named on the command line, once launching has finished.
    void openFiles(const QStringList &paths);
    [[nodiscard]] WindowController *windowOfFile(const QString &path) const;
    [[nodiscard]] QList<WindowController *> documentWindows() const;

    // What every document window is built with: the application's defaults
    // and alerts, and the set-up that gives it the application's menu items.
    struct WindowServices {
        UserDefaults *userDefaults = nullptr;
        AlertPresenter *alertPresenter = nullptr;
        std::function<void(WindowController *)> setUp;
    };
    // The services belong to the owner and are used only while it lives.
    // Document windows hold on to the defaults and alerts they were built
    // with, so the windows go with the owner: releaseWindowServices() (or the
    // owner's destruction) deletes them, and later windows are built with the
    // application's own defaults and alerts. Nothing is lost with them, a
    // document is never written back. New services replace the old ones for
    // windows opened from then on.
    void setWindowServices(QObject *owner, WindowServices services);
    // Called by the owner before the services die, while they still work.
    void releaseWindowServices(const QObject *owner);
    void setFilePanel(FilePanel::Show panel) { m_filePanel = std::move(panel); }

    // Centres each document window that lies on no screen.
    void screenChanged();

private:
    DocumentController();
    [[nodiscard]] static QString keyOf(const QString &path);
    [[nodiscard]] ProgressAlert &progressAlert(QWidget *parent);

    // Only compared: the owner's destruction releases it.
    const QObject *m_servicesOwner = nullptr;
    QMetaObject::Connection m_ownerDestroyed;
    WindowServices m_services;
    FilePanel::Show m_filePanel;
    QHash<QString, QPointer<WindowController>> m_windows;
    // The owner of the services each open window was built with.
    QHash<const WindowController *, const QObject *> m_ownerOfWindow;
    QPointer<ProgressAlert> m_progressAlert;
};
