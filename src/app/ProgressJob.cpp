#include "app/ProgressJob.h"

#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr qint64 postInterval = 50;
std::atomic<int> documentMinimum = 1000;

// The generation of the run each alert shows now; a post of another one is
// stale. Read and written on the main thread only.
quint64 &currentGeneration()
{
    static quint64 generation = 0;
    return generation;
}

// A second job on a window whose job still runs would nest its exec() in
// the first one's, which Qt refuses, and take the window's generation, so
// that the first job's end, stale then, would never close the window: it
// is not started, and the window is left to the first.
bool runsAJob(const ProgressAlert &alert, const char *operation)
{
    if (!alert.property("jobGeneration").isValid())
        return false;
    qWarning("%s: ERROR the progress window runs a job already; the new one is not started", operation);
    return true;
}

} // namespace

struct ProgressJob::Progress::State {
    std::atomic<bool> cancelled = false;
    bool ended = false; // the end reached the main thread; read and written there only
    quint64 generation = 0;
    QPointer<ProgressAlert> alert; // dereferenced on the main thread only
    QElapsedTimer clock;

    // Runs on the main thread if the run is still the alert's current one.
    void post(std::function<void(ProgressAlert &)> call) const
    {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [alert = alert, generation = generation, call = std::move(call)] {
                if (alert && alert->property("jobGeneration").toULongLong() == generation)
                    call(*alert);
            },
            Qt::QueuedConnection);
    }
};

// The runs started and not yet gone, to cancel at quit. Main thread only.
QList<std::weak_ptr<ProgressJob::Progress::State>> &ProgressJob::runningJobs()
{
    static QList<std::weak_ptr<Progress::State>> running;
    return running;
}

bool ProgressJob::Progress::isCancelled() const
{
    return m_state->cancelled.load();
}

void ProgressJob::Progress::report(double percent)
{
    const qint64 now = m_state->clock.elapsed();
    if (m_lastPost >= 0 && now - m_lastPost < postInterval)
        return;
    m_lastPost = now;
    m_state->post([percent](ProgressAlert &alert) { alert.setProgress(percent); });
}

std::shared_ptr<ProgressJob::Progress::State> ProgressJob::start(ProgressAlert &alert,
    std::function<void(Progress &)> work, int minimumMilliseconds, std::function<void(ProgressAlert &)> ended)
{
    auto state = std::make_shared<Progress::State>();
    state->generation = ++currentGeneration();
    state->alert = &alert;
    state->clock.start();
    alert.setProperty("jobGeneration", QVariant::fromValue(state->generation));
    alert.setProgress(0);
    QList<std::weak_ptr<Progress::State>> &running = runningJobs();
    running.removeIf([](const std::weak_ptr<Progress::State> &each) { return each.expired(); });
    running.append(state);
    threadPool().start([state, work = std::move(work), minimumMilliseconds, ended = std::move(ended)]() mutable {
        Progress progress(state);
        work(progress);
        while (!state->cancelled.load() && state->clock.elapsed() < minimumMilliseconds)
            QThread::msleep(5);
        state->post([state, ended = std::move(ended)](ProgressAlert &alert) {
            state->ended = true;
            alert.setProgress(100);
            ended(alert);
        });
    });
    return state;
}

// A job still running when the application quits is cancelled and waited
// for while the application object is still there: the pool is a static,
// which nobody would wait for before the end of the process, and a job
// posts to the application object.
QThreadPool &ProgressJob::threadPool()
{
    static QThreadPool pool;
    static const bool endsAtQuit = [] {
        if (QCoreApplication *application = QCoreApplication::instance())
            QObject::connect(application, &QCoreApplication::aboutToQuit, application, &ProgressJob::endRunningJobs);
        return true;
    }();
    Q_UNUSED(endsAtQuit);
    return pool;
}

void ProgressJob::endRunningJobs()
{
    for (const std::weak_ptr<Progress::State> &running : std::as_const(runningJobs())) {
        if (const std::shared_ptr<Progress::State> state = running.lock())
            state->cancelled = true;
    }
    runningJobs().clear();
    threadPool().waitForDone();
}

int ProgressJob::run(
    ProgressAlert &alert, const QString &message, std::function<void(Progress &)> work, int minimumMilliseconds)
{
    if (runsAJob(alert, Q_FUNC_INFO))
        return ModalResponse::Abort;
    alert.alertMessage()->setText(message);
    const auto state
        = start(alert, std::move(work), minimumMilliseconds, [](ProgressAlert &shown) { shown.requestClose(); });
    int response = alert.exec();
    // Whatever the job posts from now on is stale.
    alert.setProperty("jobGeneration", QVariant());
    // The alert closed otherwise than by the job's end (Quit closes every
    // window) leaves the work unfinished: a cancel.
    if (response == ModalResponse::Stop && !state->ended)
        response = ModalResponse::Abort;
    if (response != ModalResponse::Stop)
        state->cancelled = true;
    return response;
}

bool ProgressJob::runWhileShown(ProgressAlert &alert, std::function<void(Progress &)> work)
{
    if (!alert.isVisible() || runsAJob(alert, Q_FUNC_INFO))
        return false;
    const QPointer<ProgressAlert> shown = &alert;
    QEventLoop loop;
    const QPointer<QEventLoop> waiting = &loop;
    const auto state = start(alert, std::move(work), 0, [waiting](ProgressAlert &) {
        if (waiting)
            waiting->exit(ModalResponse::Stop);
    });
    // Cancel closes the alert; a window closed meanwhile takes it along.
    QObject::connect(&alert, &QDialog::finished, &loop, [&loop] { loop.exit(ModalResponse::Abort); });
    QObject::connect(&alert, &QObject::destroyed, &loop, [&loop] { loop.exit(ModalResponse::Abort); });
    const bool ended = loop.exec() == ModalResponse::Stop;
    if (shown)
        shown->setProperty("jobGeneration", QVariant());
    if (!ended)
        state->cancelled = true;
    return ended;
}

int ProgressJob::documentMinimumMilliseconds()
{
    return documentMinimum.load();
}

void ProgressJob::setDocumentMinimumMilliseconds(int milliseconds)
{
    documentMinimum = milliseconds;
}
