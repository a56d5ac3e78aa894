#pragma once

#include "platform/contacts/StoreError.h"

#include <QString>

#include <optional>

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
// `damage` says what is damaged, in SQLite's words.
[[nodiscard]] StoreError damagedError(const QString &path, const QString &damage);
[[nodiscard]] StoreError readOnlyError(const QString &path);
[[nodiscard]] StoreError busyError(const QString &path);

// The error that SQLite's last failure on db stands for when it is about the
// file itself (a foreign file, damage, write protection, another program's
// lock); nullopt for any other failure.
[[nodiscard]] std::optional<StoreError> fileError(sqlite3 *db, const QString &path);
// fileError(), or else "can't open" with SQLite's message.
[[nodiscard]] StoreError openError(sqlite3 *db, const QString &path);

} // namespace StoreSchema
