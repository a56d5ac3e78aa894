#include "common/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

namespace TestEnvironment {

QString rootPath()
{
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/quillmark-test-XXXXXX"));
    return root.path();
}

QString makeScratchFolder(const QString &name)
{
    const QString path = rootPath() + QStringLiteral("/scratch/") + name + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(path);
    return path;
}

} // namespace TestEnvironment
