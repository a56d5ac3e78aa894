#include "app/DocumentController.h"

#include "platform/widgets/AlertPresenter.h"
#include "app/Document.h"
#include "app/ProgressAlert.h"
#include "app/WindowController.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

DocumentController::DocumentController()
{
    const auto watch = [this](QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, &DocumentController::screenChanged);
    };
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen *screen) {
        watch(screen);
        screenChanged();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        // The window manager moves the windows once the screen has gone.
        QMetaObject::invokeMethod(this, &DocumentController::screenChanged, Qt::QueuedConnection);
    });
}

DocumentController &DocumentController::sharedDocumentController()
{
    static DocumentController *shared = new DocumentController;
    return *shared;
}

QString DocumentController::keyOf(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

WindowController *DocumentController::windowOfFile(const QString &path) const
{
    return m_windows.value(keyOf(path));
}

QList<WindowController *> DocumentController::documentWindows() const
{
    QList<WindowController *> windows;
    for (const QPointer<WindowController> &window : m_windows) {
        if (window)
            windows.append(window);
    }
    return windows;
}

ProgressAlert &DocumentController::progressAlert(QWidget *parent)
{
    if (!m_progressAlert || m_progressAlert->parentWidget() != parent) {
        delete m_progressAlert;
        m_progressAlert = new ProgressAlert(parent);
    }
    return *m_progressAlert;
}

void DocumentController::openDocument(WindowController *window)
{
    FilePanel::Request request;
    request.title = tr("Open");
    request.prompt = tr("Open");
    request.nameFilters = {tr("vCard (*.vcf *.vcard)"), tr("CSV (*.csv *.txt)")};
    request.withEncoding = true;
    const QPointer<WindowController> asker = window;
    const FilePanel::Done done = [this, asker](const FilePanel::Answer &answer) {
        if (!answer.path.isEmpty())
            openFile(answer.path, answer.encoding, asker);
    };
    if (m_filePanel)
        m_filePanel(request, done);
    else
        FilePanel::showDialog(window, m_userDefaults, request, done);
}

bool DocumentController::openFile(const QString &path, quint32 encoding, WindowController *asker)
{
    const QString key = keyOf(path);
    if (WindowController *open = m_windows.value(key)) {
        open->show();
        open->raise();
        open->activateWindow();
        return true;
    }
    const Document::ReadResult read = Document::readFromFile(path, encoding, progressAlert(asker));
    if (read.cancelled)
        return false;
    AlertPresenter *alerts = m_alertPresenter ? m_alertPresenter : (asker ? &asker->alertPresenter() : nullptr);
    if (!read.ok()) {
        if (alerts)
            alerts->showAlert(asker, read.errorDescription, read.recoverySuggestion);
        return false;
    }
    auto *window = new WindowController(WindowController::Services{m_userDefaults, m_alertPresenter});
    m_windows.insert(key, window);
    connect(window, &QObject::destroyed, this, [this, key] { m_windows.remove(key); });
    if (m_windowSetUp)
        m_windowSetUp(window);
    Document::makeWindow(*window, path, read);
    if (!read.headerFound) {
        window->alertPresenter().showAlert(window, tr("Can't find header line in the file."),
            tr("Read as the following order: Name, Renmei, Company, ZIP, State&City and Street"));
    }
    return true;
}

void DocumentController::openFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openFile(path);
}

void DocumentController::screenChanged()
{
    for (WindowController *window : documentWindows()) {
        if (QGuiApplication::screenAt(window->frameGeometry().center()))
            continue;
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen)
            continue;
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
