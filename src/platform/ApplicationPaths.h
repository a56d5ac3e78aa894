#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Where the application keeps its own files, and how it writes them: the
// contacts, the side data and the preferences are personal, so every folder
// the application makes and every file it writes is its owner's only,
// whatever the umask.
namespace ApplicationPaths {

// The application-data folder (QStandardPaths::AppDataLocation), created on
// first use and readable by its owner only. Empty when it cannot be created.
[[nodiscard]] QString applicationDataFolder();

// Makes the folder and each missing folder above it owner only (0700), and
// the folder itself 0700 when it already existed; folders above that were
// already there are left as they are. False and logged when it cannot.
bool makeOwnerOnlyFolder(const QString &folderPath);

// Restricts an existing file to its owner (read and write). Returns false and
// logs when the permissions cannot be set.
bool makeOwnerOnly(const QString &filePath);

// Keeps a copy of an existing file beside it (one that could not be read, or
// one about to be rewritten with much less in it), under a name of its own
// ("<file>.<yyyyMMdd-HHmmsszzz>.bak"), owner only, so that no later copy
// replaces it; only the newest few copies are kept. Returns false and logs
// when the copy cannot be made.
bool keepBackupCopy(const QString &filePath);
// The kept copies of the file, oldest first.
[[nodiscard]] QStringList backupCopies(const QString &filePath);
inline constexpr int keptBackupCount = 5;

// Writes the file whole or not at all (a crash leaves the previous file),
// readable by its owner only. Returns false and logs when it cannot, with the
// reason in *errorText when given.
bool writeOwnerOnlyFile(const QString &filePath, const QByteArray &bytes, QString *errorText = nullptr);

// Removes what an interrupted writeOwnerOnlyFile() of the file may have left
// beside it: temporary files named "<file>.XXXXXX". They hold whole or partial
// copies of personal data that nothing else would ever remove. Only for files
// that no other process writes at the same time.
void removeInterruptedWrites(const QString &filePath);

// Lets tests make writeOwnerOnlyFile() fail as a full disk would: the hook is
// asked before each write with the file's path and answers the error to fail
// with, or an empty text to let the write go on. An empty hook removes it.
using WriteFaultHook = std::function<QString(const QString &filePath)>;
void setWriteFaultHook(const WriteFaultHook &hook);

} // namespace ApplicationPaths
