#pragma once

#include <QString>

// Every test process runs with XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR
// pointing into one temporary folder, so nothing a test does touches the user's
// own files. The folder is removed when the process ends.
namespace TestEnvironment {

// The temporary root folder of this test process.
[[nodiscard]] QString rootPath();

// A fresh, empty folder under the root for one test's files.
[[nodiscard]] QString makeScratchFolder(const QString &name);

// Absolute path of a file under tests/data.
[[nodiscard]] inline QString dataPath(const QString &relativePath)
{
    return QStringLiteral(QUILLMARK_TEST_DATA "/") + relativePath;
}

} // namespace TestEnvironment
