#include "RunBenchmarks.h"

#include "platform/ProcessTuning.h"
#include "platform/widgets/Application.h"

#include <QDir>
#include <QTemporaryDir>

// The main of the benchmarks of windows and painting: the application object
// on the offscreen platform unless another is asked for, with the settings and
// data folders in a temporary folder, so that nothing measured reads or writes
// the user's own files.
int main(int argc, char **argv)
{
    ProcessTuning::applyApplicationSettings();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home(QDir::tempPath() + QStringLiteral("/quillmark-bench-XXXXXX"));
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = home.filePath(QString::fromLatin1(variable).toLower());
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(variable, QFile::encodeName(path));
    }
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    return runBenchmarks(argc, argv);
}
