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
    void setUserDefaults(UserDefaults *defaults) { m_userDefaults = defaults; }
    void setAlertPresenter(AlertPresenter *presenter) { m_alertPresenter = presenter; }
    void setWindowSetUp(std::function<void(WindowController *)> setUp) { m_windowSetUp = std::move(setUp); }
    void setFilePanel(FilePanel::Show panel) { m_filePanel = std::move(panel); }

    // Centres each document window that lies on no screen.
    void screenChanged();

private:
    DocumentController();
    [[nodiscard]] static QString keyOf(const QString &path);
    [[nodiscard]] ProgressAlert &progressAlert(QWidget *parent);

    UserDefaults *m_userDefaults = nullptr;
    AlertPresenter *m_alertPresenter = nullptr;
    std::function<void(WindowController *)> m_windowSetUp;
    FilePanel::Show m_filePanel;
    QHash<QString, QPointer<WindowController>> m_windows;
    QPointer<ProgressAlert> m_progressAlert;
};
