#include "app/ProgressJob.h"

#include "app/ModalResponse.h"
#include "app/ProgressAlert.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QThread>
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

int ProgressJob::run(
    ProgressAlert &alert, const QString &message, std::function<void(Progress &)> work, int minimumMilliseconds)
{
    auto state = std::make_shared<Progress::State>();
    state->generation = ++currentGeneration();
    state->alert = &alert;
    state->clock.start();
    alert.setProperty("jobGeneration", QVariant::fromValue(state->generation));
    alert.alertMessage()->setText(message);
    alert.setProgress(0);
    QThreadPool::globalInstance()->start([state, work = std::move(work), minimumMilliseconds] {
        Progress progress(state);
        work(progress);
        while (!state->cancelled.load() && state->clock.elapsed() < minimumMilliseconds)
            QThread::msleep(5);
        state->post([](ProgressAlert &alert) {
            alert.setProgress(100);
            alert.requestClose();
        });
    });
    const int response = alert.exec();
    // Whatever the job posts from now on is stale.
    alert.setProperty("jobGeneration", QVariant());
    if (response != ModalResponse::Stop)
        state->cancelled = true;
    return response;
}

int ProgressJob::documentMinimumMilliseconds()
{
    return documentMinimum.load();
}

void ProgressJob::setDocumentMinimumMilliseconds(int milliseconds)
{
    documentMinimum = milliseconds;
}
