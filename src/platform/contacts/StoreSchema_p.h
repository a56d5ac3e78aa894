#pragma once

#include "platform/contacts/StoreError.h"

#include <QString>

struct sqlite3;

// The layout of the store file and the checks that tell our files from others.
namespace StoreSchema {

// "QMCS" in the database header: a file without it is not a contacts store.
constexpr int applicationId = 0x514D4353;
// Raised whenever the layout changes; a file with a higher number is left alone.
constexpr int version = 1;

enum class FileState { Empty, Store, Invalid };

// Reads the header and the table list; writes nothing. Invalid sets *error
// (naming the file).
[[nodiscard]] FileState inspect(sqlite3 *db, const QString &path, StoreError *error);

// Creates the tables and the local container in an empty file, in one
// transaction; a file another connection has filled meanwhile is left as is.
bool create(sqlite3 *db, const QString &path, StoreError *error);

[[nodiscard]] StoreError notAStoreError(const QString &path);
[[nodiscard]] StoreError cannotOpenError(const QString &path, const QString &reason);

} // namespace StoreSchema
