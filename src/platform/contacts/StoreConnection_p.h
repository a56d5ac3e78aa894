#pragma once

#include "platform/contacts/SqliteStatement_p.h"
#include "platform/contacts/StoreError.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;

// One SQLite connection to a store file, used by one thread only.
//
// Opening checks, before anything can be written, that the file is a store
// of ours of a version we understand; a file that is not is opened read-only
// for that check and never written. A missing or empty file becomes a new
// store with its local container.
class StoreConnection {
public:
    ~StoreConnection();
    StoreConnection(const StoreConnection &) = delete;
    StoreConnection &operator=(const StoreConnection &) = delete;

    [[nodiscard]] static std::unique_ptr<StoreConnection> open(const QString &path, StoreError *error);
    // The file exists and is one open() would make a new store of: no bytes,
    // or an SQLite file without a table. Looked at read-only.
    [[nodiscard]] static bool isEmptyFile(const QString &path);

    [[nodiscard]] const QString &path() const { return m_path; }
    // SQLite opened the file read-only (it or its folder is write-protected),
    // or the connection was made to refuse writes.
    [[nodiscard]] bool isReadOnly() const { return m_readOnly; }

    // Reads every page of the file (SQLite's quick check); false with a
    // Damaged error naming the damage, or the error that stopped the check.
    bool checkIntegrity(StoreError *error);
    // Makes the connection read-only for good, so that nothing it does, its
    // closing included, writes to the file; a write needs a new connection.
    void refuseWrites();

    // A prepared statement, prepared once per connection and reset for reuse.
    // Null (and *error set) when SQLite can't prepare it.
    [[nodiscard]] ActiveStatement statement(const QByteArray &sql, StoreError *error);
    bool exec(const char *sql, StoreError *error);

    // An error about this store: the operation that failed ("Can't add the
    // contact “Anna”") and SQLite's last message. Damage to the file, write
    // protection and another program's lock are reported as such, with the
    // file's name.
    [[nodiscard]] StoreError failure(const QString &operation) const;
    [[nodiscard]] StoreError failure(StoreError::Code code, const QString &description) const;

    [[nodiscard]] int changes() const;

private:
    StoreConnection(sqlite3 *db, const QString &path)
        : m_db(db)
        , m_path(path)
    {
    }

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_readOnly = false;
    std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> m_statements;
};
