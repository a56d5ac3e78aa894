#include "app/DocumentController.h"

#include "platform/widgets/AlertPresenter.h"
#include "app/Document.h"
#include "app/DocumentWindowBuilder.h"
#include "app/ProgressAlert.h"
#include "app/WindowController.h"
#include "print/VerticalFontList.h"

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

void DocumentController::setWindowServices(QObject *owner, WindowServices services)
{
    if (m_servicesOwner != owner) {
        disconnect(m_ownerDestroyed);
        // A QObject's own members are gone by the time it signals its
        // destruction; the owner releases first, this is the last resort.
        if (owner)
            m_ownerDestroyed
                = connect(owner, &QObject::destroyed, this, [this, owner] { releaseWindowServices(owner); });
    }
    m_servicesOwner = owner;
    m_services = owner ? std::move(services) : WindowServices();
}

void DocumentController::releaseWindowServices(const QObject *owner)
{
    if (!owner)
        return;
    if (m_servicesOwner == owner) {
        disconnect(m_ownerDestroyed);
        m_servicesOwner = nullptr;
        m_services = WindowServices();
    }
    const QList<const WindowController *> built = m_ownerOfWindow.keys(owner);
    for (const WindowController *window : built) {
        m_ownerOfWindow.remove(window);
        delete window;
    }
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
    if (m_filePanel) {
        m_filePanel(request, done);
        return;
    }
    UserDefaults *defaults = m_services.userDefaults;
    if (!defaults && window)
        defaults = &window->userDefaults();
    FilePanel::showDialog(window, defaults, request, done);
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
    // A window looks for the fonts of vertical text once it is built. Where no
    // window has looked for them yet, the faces that search opens sat beside
    // every contact of a large file and every row made of them; looked for
    // now, on its own thread, the search is over while the file is read, as
    // it is long over where the address book's window started it.
    VerticalFontList::startBuilding();
    ProgressAlert &progress = progressAlert(asker);
    const Document::ReadResult read = Document::readFromFile(path, encoding, progress);
    if (read.cancelled)
        return false;
    const WindowServices services = m_services;
    AlertPresenter *alerts
        = services.alertPresenter ? services.alertPresenter : (asker ? &asker->alertPresenter() : nullptr);
    if (!read.ok()) {
        if (alerts)
            alerts->showAlert(asker, read.errorDescription, read.recoverySuggestion);
        return false;
    }
    auto *window = new WindowController(WindowController::Services{services.userDefaults, services.alertPresenter});
    m_windows.insert(key, window);
    if (m_servicesOwner)
        m_ownerOfWindow.insert(window, m_servicesOwner);
    connect(window, &QObject::destroyed, this, [this, key, window] {
        m_windows.remove(key);
        m_ownerOfWindow.remove(window);
    });
    if (services.setUp)
        services.setUp(window);
    const QPointer<WindowController> built = window;
    if (!DocumentWindowBuilder(*window, path, read).buildBehind(progress)) {
        delete built;
        return false;
    }
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
