#include "app/AppDelegate.h"
#include "platform/ProcessTuning.h"

#include <QApplication>

int main(int argc, char **argv)
{
    ProcessTuning::applyApplicationSettings();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
