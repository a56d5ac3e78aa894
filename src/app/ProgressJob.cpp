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

} // namespace

struct ProgressJob::Progress::State {
    std::atomic<bool> cancelled = false;
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
    threadPool().start([state, work = std::move(work), minimumMilliseconds, ended = std::move(ended)]() mutable {
        Progress progress(state);
        work(progress);
        while (!state->cancelled.load() && state->clock.elapsed() < minimumMilliseconds)
            QThread::msleep(5);
        state->post([ended = std::move(ended)](ProgressAlert &alert) {
            alert.setProgress(100);
            ended(alert);
        });
    });
    return state;
}

QThreadPool &ProgressJob::threadPool()
{
    static QThreadPool pool;
    return pool;
}

int ProgressJob::run(
    ProgressAlert &alert, const QString &message, std::function<void(Progress &)> work, int minimumMilliseconds)
{
    alert.alertMessage()->setText(message);
    const auto state
        = start(alert, std::move(work), minimumMilliseconds, [](ProgressAlert &shown) { shown.requestClose(); });
    const int response = alert.exec();
    // Whatever the job posts from now on is stale.
    alert.setProperty("jobGeneration", QVariant());
    if (response != ModalResponse::Stop)
        state->cancelled = true;
    return response;
}

bool ProgressJob::runWhileShown(ProgressAlert &alert, std::function<void(Progress &)> work)
{
    if (!alert.isVisible())
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
