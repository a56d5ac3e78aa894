#include "common/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace TestEnvironment {

namespace {

// Without its folder a test program stops: its XDG folders would stand at
// the top of the file system, and a run as root would make them there.
[[noreturn]] void stop(const QString &why)
{
    std::fprintf(stderr, "TestEnvironment: ERROR the tests' temporary folder can't be made: %s\n", qPrintable(why));
    std::exit(EXIT_FAILURE);
}

std::unique_ptr<QTemporaryDir> makeRoot()
{
    // Qt answers an empty path where TMPDIR names no folder.
    const QString base = QDir::tempPath();
    if (base.isEmpty())
        stop(QStringLiteral("TMPDIR (%1) names no folder").arg(qEnvironmentVariable("TMPDIR")));
    auto root = std::make_unique<QTemporaryDir>(base + QStringLiteral("/quillmark-test-XXXXXX"));
    if (!root->isValid())
        stop(QStringLiteral("%1 under %2").arg(root->errorString(), base));
    return root;
}

} // namespace

QString rootPath()
{
    static const std::unique_ptr<QTemporaryDir> root = makeRoot();
    return root->path();
}

QString makeScratchFolder(const QString &name)
{
    const QString path = rootPath() + QStringLiteral("/scratch/") + name + QLatin1Char('-')
        + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QDir().mkpath(path);
    return path;
}

} // namespace TestEnvironment
