#include "common/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

namespace {

QTemporaryDir &temporaryRoot()
{
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/quillmark-test-XXXXXX"));
    return root;
}

} // namespace

namespace TestEnvironment {

QString rootPath()
{
    return temporaryRoot().path();
}

QString makeScratchFolder(const QString &name)
{
    const QString path = rootPath() + QStringLiteral("/scratch/") + name + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(path);
    return path;
}

QString dataPath(const QString &relativePath)
{
    return QStringLiteral(QUILLMARK_TEST_DATA "/") + relativePath;
}

} // namespace TestEnvironment
