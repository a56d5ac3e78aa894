#pragma once

#include <QList>
#include <QString>

class QThreadPool;

#include <atomic>
#include <functional>
#include <memory>

class ProgressAlert;

// Runs one long reading or writing of contact files on a thread pool of its
// own behind a ProgressAlert run modally with exec(), so that the window's
// event loop keeps running however large the file.
//
// The job reaches the main thread only through posts to the application
// object; it holds no pointer to a window. Each run has a generation: a post
// of a run that has ended or was cancelled is dropped, so the late progress
// and close request of a cancelled job never touch the alert a later run has
// put up. Progress is posted at most every 50 ms.
class ProgressJob {
public:
    // What the work sees of its run.
    class Progress {
    public:
        // Posts the percentage done (at most every 50 ms).
        void report(double percent);
        // The user cancelled: the work stops at its next chance and its
        // result is thrown away.
        [[nodiscard]] bool isCancelled() const;

    private:
        friend class ProgressJob;
        struct State;
        explicit Progress(std::shared_ptr<State> state)
            : m_state(std::move(state))
        {
        }
        std::shared_ptr<State> m_state;
        qint64 m_lastPost = -1;
    };

    // Runs the work with the message shown; answers ModalResponse::Stop when
    // the work ended (its result is then complete) and ModalResponse::Abort
    // when the user cancelled, or at once when the alert runs a job already.
    // The alert shows at least the minimum duration.
    static int run(ProgressAlert &alert, const QString &message, std::function<void(Progress &)> work,
        int minimumMilliseconds = 0);
    // Runs the work behind the alert already shown as a sheet (by
    // ProgressSteps), its message kept, and leaves it shown when the work
    // ends, for the steps that follow on the window's thread: true when the
    // work ended, false when the user cancelled (or the alert was not shown,
    // or runs a job already).
    static bool runWhileShown(ProgressAlert &alert, std::function<void(Progress &)> work);

    // The shortest time a document's reading shows its progress; tests set 0.
    [[nodiscard]] static int documentMinimumMilliseconds();
    static void setDocumentMinimumMilliseconds(int milliseconds);

    // The jobs' threads, apart from the global pool: the window's painting
    // hands parts of a large fill to the global pool and waits for them, so
    // a job that takes its thread (or the only one, on one core) for long
    // must not take one painting waits for.
    [[nodiscard]] static QThreadPool &threadPool();

private:
    // Cancels the jobs still running and waits for them, as the application
    // quits.
    static void endRunningJobs();
    static QList<std::weak_ptr<Progress::State>> &runningJobs();
    // Starts the work on the pool; once it ended (and the minimum passed),
    // `ended` runs on the main thread unless the run is stale by then.
    static std::shared_ptr<Progress::State> start(ProgressAlert &alert, std::function<void(Progress &)> work,
        int minimumMilliseconds, std::function<void(ProgressAlert &)> ended);
};
