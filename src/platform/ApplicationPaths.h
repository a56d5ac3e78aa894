#pragma once

#include <QString>

// Where the application keeps its own files.
namespace ApplicationPaths {

// The application-data folder (QStandardPaths::AppDataLocation), created on
// first use and readable by its owner only. Empty when it cannot be created.
[[nodiscard]] QString applicationDataFolder();

// Restricts an existing file to its owner (read and write). Returns false and
// logs when the permissions cannot be set.
bool makeOwnerOnly(const QString &filePath);

}  // namespace ApplicationPaths
