#pragma once

#include <QMetaObject>
#include <QPointer>

#include <functional>

class ProgressAlert;
class QString;

// Work of the window's own thread run in steps behind its progress window,
// opened as a sheet: after each step the events that came meanwhile run, a
// click on Cancel among them, so that the window is drawn and the user can
// stop between steps. The progress window closes when the steps end.
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
    [[nodiscard]] bool cancelled() const { return m_cancelled; }

private:
    QPointer<ProgressAlert> m_alert;
    QPointer<QObject> m_context;
    bool m_cancelled = false;
    QMetaObject::Connection m_cancel;
};
