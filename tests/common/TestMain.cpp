#include "common/TestEnvironment.h"
#include "platform/widgets/Application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

// Points the XDG folders into the test's temporary root before Qt reads them,
// and runs every test inside the application object on the offscreen platform.
int main(int argc, char **argv)
{
    testing::InitGoogleMock(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString root = TestEnvironment::rootPath();
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = root + QLatin1Char('/') + QString::fromLatin1(variable).toLower();
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(variable, QFile::encodeName(path));
    }

    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    return RUN_ALL_TESTS();
}
