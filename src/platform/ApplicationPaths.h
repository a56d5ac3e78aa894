#pragma once

#include <QByteArray>
#include <QString>

// Where the application keeps its own files.
namespace ApplicationPaths {

// The application-data folder (QStandardPaths::AppDataLocation), created on
// first use and readable by its owner only. Empty when it cannot be created.
[[nodiscard]] QString applicationDataFolder();

// Restricts an existing file to its owner (read and write). Returns false and
// logs when the permissions cannot be set.
bool makeOwnerOnly(const QString &filePath);

// Keeps a copy of an existing file beside it as "<file>.bak", owner only,
// in place of any older copy, so that a file we could not read is not lost
// to the next save. Returns false and logs when the copy cannot be made.
bool keepBackupCopy(const QString &filePath);

// Writes the file whole or not at all (a crash leaves the previous file),
// readable by its owner only. Returns false and logs when it cannot.
bool writeOwnerOnlyFile(const QString &filePath, const QByteArray &bytes);

} // namespace ApplicationPaths
