#include "app/AppDelegate.h"
#include "app/BuildInfo.h"
#include "app/DocumentController.h"
#include "app/WindowController.h"
#include "platform/ProcessTuning.h"
#include "platform/widgets/Application.h"

#include <QIcon>

int main(int argc, char **argv)
{
    ProcessTuning::applyApplicationSettings();
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QString::fromLatin1(BuildInfo::version));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/Quillmark2_256.png")));
    // The delegate builds the address-book window, which reads the settings
    // first; launching finishes once the window is on screen.
    AppDelegate delegate;
    delegate.window()->show();
    delegate.applicationDidFinishLaunching();
    // Only now: a document window made earlier would be taken for the
    // address book's.
    DocumentController::sharedDocumentController().openFiles(QApplication::arguments().mid(1));
    return QApplication::exec();
}
