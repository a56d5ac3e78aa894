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
            *error = StoreSchema::cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db)));
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
        *error = StoreSchema::cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db)));
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

FileState inspect(sqlite3 *db, const QString &path, StoreError *error)
{
    qint64 id = 0;
    qint64 fileVersion = 0;
    qint64 tableCount = 0;
    if (!readInt(db, "PRAGMA application_id", &id) || !readInt(db, "PRAGMA user_version", &fileVersion)
        || !readInt(db, "SELECT count(*) FROM sqlite_master", &tableCount)) {
        const int code = sqlite3_errcode(db);
        *error = (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            ? notAStoreError(path)
            : cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db)));
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
        *error = cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db)));
        return false;
    }
    const FileState state = inspect(db, path, error);
    const bool ok = state == FileState::Store || (state == FileState::Empty && execAll(db, path, error));
    if (!ok || sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (ok)
            *error = cannotOpenError(path, QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

} // namespace StoreSchema
