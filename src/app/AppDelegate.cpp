#include "app/AppDelegate.h"

#include "app/WindowController.h"

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
{
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    m_windowController = std::make_unique<WindowController>();
    m_windowController->show();
}
