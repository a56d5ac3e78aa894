#include "app/ProgressSteps.h"

#include "app/ProgressAlert.h"

#include <QCoreApplication>
#include <QLabel>

ProgressSteps::ProgressSteps(ProgressAlert &alert, const QString &message, QObject *context)
    : m_alert(&alert)
    , m_context(context)
    , m_closes(!alert.isVisible())
{
    m_cancel = QObject::connect(&alert, &QDialog::finished, &alert, [this] { m_cancelled = true; });
    if (!message.isEmpty())
        alert.alertMessage()->setText(message);
    alert.setProgress(100);
    if (m_closes)
        alert.open();
}

ProgressSteps::~ProgressSteps()
{
    QObject::disconnect(m_cancel);
    if (m_closes && m_alert && m_alert->isVisible())
        m_alert->requestClose();
}

bool ProgressSteps::run(const std::function<void()> &work)
{
    if (m_cancelled || !m_context)
        return false;
    work();
    QCoreApplication::processEvents();
    return !m_cancelled && m_context;
}

bool ProgressSteps::runOffThread(std::function<void(ProgressJob::Progress &)> work)
{
    if (m_cancelled || !m_context || !m_alert)
        return false;
    const bool ended = ProgressJob::runWhileShown(*m_alert, std::move(work));
    if (m_alert)
        m_alert->setProgress(100);
    return ended && !m_cancelled && m_context;
}
