#pragma once

#include "app/ProgressJob.h"

#include <QMetaObject>
#include <QPointer>

#include <functional>

class ProgressAlert;
class QString;

// Work of the window's own thread run in steps behind its progress window,
// opened as a sheet: after each step the events that came meanwhile run, a
// click on Cancel among them, so that the window is drawn and the user can
// stop between steps. The progress window closes when the steps end, unless
// it showed already: steps run behind the progress window of a larger work
// (a drop's reading and adding) leave it to that work, so that it stays
// shown from the start of the work to its end.
class ProgressSteps {
public:
    // Shows the message and the bar full; the context (the window the steps
    // work on) may go while events run.
    ProgressSteps(ProgressAlert &alert, const QString &message, QObject *context);
    ~ProgressSteps();
    ProgressSteps(const ProgressSteps &) = delete;
    ProgressSteps &operator=(const ProgressSteps &) = delete;

    // Runs the work unless the user cancelled or the context went; false
    // when either happened by the end of the events after it.
    bool run(const std::function<void()> &work);
    // A step run on the pool with its progress shown, the window's events
    // running meanwhile (ProgressJob::runWhileShown); false as run() answers.
    bool runOffThread(std::function<void(ProgressJob::Progress &)> work);
    [[nodiscard]] bool cancelled() const { return m_cancelled; }

private:
    QPointer<ProgressAlert> m_alert;
    QPointer<QObject> m_context;
    bool m_cancelled = false;
    bool m_closes = true;
    QMetaObject::Connection m_cancel;
};
