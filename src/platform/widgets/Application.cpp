#include "platform/widgets/Application.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    if (!m_clicks.admits(receiver, event))
        return true;
    return QApplication::notify(receiver, event);
}

const ClickOwnership *Application::clicks()
{
    const auto *application = dynamic_cast<const Application *>(QCoreApplication::instance());
    return application ? &application->m_clicks : nullptr;
}
