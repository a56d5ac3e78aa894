#include "platform/contacts/StoreSchema_p.h"

#include <QCoreApplication>
#include <QUuid>

#include <sqlite3.h>

namespace {

const char *const createStatements[] = {
    "CREATE TABLE containers(id INTEGER PRIMARY KEY, identifier TEXT NOT NULL UNIQUE,"
    " name TEXT NOT NULL, type INTEGER NOT NULL)",
    "CREATE TABLE groups(id INTEGER PRIMARY KEY, identifier TEXT NOT NULL UNIQUE,"
    " container_id INTEGER NOT NULL REFERENCES containers(id), name TEXT NOT NULL)",
    "CREATE INDEX groups_by_container ON groups(container_id)",
    // One row per contact: the fields in one compact blob (StoreContactCodec),
    // the images apart so that fetches without them never read them.
    "CREATE TABLE contacts(id INTEGER PRIMARY KEY, identifier TEXT NOT NULL UNIQUE,"
    " container_id INTEGER NOT NULL REFERENCES containers(id), fields BLOB NOT NULL,"
    " image BLOB, thumbnail BLOB)",
    "CREATE INDEX contacts_by_container ON contacts(container_id)",
    "CREATE TABLE memberships(group_id INTEGER NOT NULL REFERENCES groups(id) ON DELETE CASCADE,"
    " contact_id INTEGER NOT NULL REFERENCES contacts(id) ON DELETE CASCADE,"
    " PRIMARY KEY(group_id, contact_id)) WITHOUT ROWID",
    "CREATE INDEX memberships_by_contact ON memberships(contact_id)",
};

const char *const localContainerName = "On This Computer";

bool readInt(sqlite3 *db, const char *sql, qint64 *value)
{
    sqlite3_stmt *statement = nullptr;
    bool ok
        = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW;
    if (ok)
        *value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return ok;
}

bool execAll(sqlite3 *db, const QString &path, StoreError *error)
{
    for (const char *sql : createStatements) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            *error = StoreSchema::openError(db, path);
            return false;
        }
    }
    const QByteArray setup
        = QStringLiteral("INSERT INTO containers(identifier, name, type) VALUES('%1', '%2', 1);"
                         "PRAGMA application_id = %3; PRAGMA user_version = %4;")
              .arg(QUuid::createUuid().toString(QUuid::WithoutBraces), QString::fromLatin1(localContainerName))
              .arg(StoreSchema::applicationId)
              .arg(StoreSchema::version)
              .toUtf8();
    if (sqlite3_exec(db, setup.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = StoreSchema::openError(db, path);
        return false;
    }
    return true;
}

} // namespace

namespace StoreSchema {

StoreError notAStoreError(const QString &path)
{
    return {StoreError::Code::NotAStore,
        QCoreApplication::translate("ContactStore", "The file “%1” is not a contacts store, or it is damaged.")
            .arg(path),
        path};
}

StoreError cannotOpenError(const QString &path, const QString &reason)
{
    return {StoreError::Code::CannotOpen,
        QCoreApplication::translate("ContactStore", "Can't open the contacts store “%1”: %2").arg(path, reason), path};
}

StoreError damagedError(const QString &path, const QString &damage)
{
    return {StoreError::Code::Damaged,
        QCoreApplication::translate("ContactStore", "The contacts store “%1” is damaged: %2").arg(path, damage), path};
}

StoreError readOnlyError(const QString &path)
{
    return {StoreError::Code::ReadOnly,
        QCoreApplication::translate(
            "ContactStore", "The contacts store “%1” can't be written: the file or its folder is write-protected.")
            .arg(path),
        path};
}

StoreError busyError(const QString &path)
{
    return {StoreError::Code::Busy,
        QCoreApplication::translate("ContactStore", "The contacts store “%1” is in use by another program.").arg(path),
        path};
}

std::optional<StoreError> fileError(sqlite3 *db, const QString &path)
{
    // A store in use needs files of its own beside it: without them it can't
    // even be read.
    if (sqlite3_extended_errcode(db) == SQLITE_READONLY_DIRECTORY)
        return cannotOpenError(
            path, QCoreApplication::translate("ContactStore", "the folder it is in is write-protected."));
    switch (sqlite3_extended_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return notAStoreError(path);
    case SQLITE_CORRUPT:
        return damagedError(path, QString::fromUtf8(sqlite3_errmsg(db)));
    case SQLITE_READONLY:
        return readOnlyError(path);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return busyError(path);
    default:
        return std::nullopt;
    }
}

StoreError openError(sqlite3 *db, const QString &path)
{
    return fileError(db, path).value_or(cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db))));
}

FileState inspect(sqlite3 *db, const QString &path, StoreError *error)
{
    qint64 id = 0;
    qint64 fileVersion = 0;
    qint64 tableCount = 0;
    if (!readInt(db, "PRAGMA application_id", &id) || !readInt(db, "PRAGMA user_version", &fileVersion)
        || !readInt(db, "SELECT count(*) FROM sqlite_master", &tableCount)) {
        *error = openError(db, path);
        return FileState::Invalid;
    }
    if (id == 0 && fileVersion == 0 && tableCount == 0)
        return FileState::Empty;
    if (id != applicationId || fileVersion < 1) {
        *error = notAStoreError(path);
        return FileState::Invalid;
    }
    if (fileVersion > version) {
        *error = {StoreError::Code::NewerVersion,
            QCoreApplication::translate(
                "ContactStore", "The contacts store “%1” was written by a newer version of the application.")
                .arg(path),
            path};
        return FileState::Invalid;
    }
    qint64 ourTables = 0;
    if (!readInt(db,
            "SELECT count(*) FROM sqlite_master WHERE type = 'table'"
            " AND name IN ('containers', 'groups', 'contacts', 'memberships')",
            &ourTables)
        || ourTables != 4) {
        *error = notAStoreError(path);
        return FileState::Invalid;
    }
    return FileState::Store;
}

bool create(sqlite3 *db, const QString &path, StoreError *error)
{
    // WAL has to be chosen outside a transaction; on an empty file it writes
    // nothing but the header.
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = openError(db, path);
        return false;
    }
    const FileState state = inspect(db, path, error);
    const bool ok = state == FileState::Store || (state == FileState::Empty && execAll(db, path, error));
    if (!ok || sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (ok)
            *error = openError(db, path);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

} // namespace StoreSchema
