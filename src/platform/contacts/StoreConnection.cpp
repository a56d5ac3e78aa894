#include "platform/contacts/StoreConnection_p.h"

#include "platform/ApplicationPaths.h"
#include "platform/contacts/SqliteStatement_p.h"
#include "platform/contacts/StoreSchema_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// How long a call waits for another program's lock before it reports the
// store busy: the save runs on the main thread, so this is how long the
// window can hang.
constexpr int busyTimeoutMilliseconds = 2000;
// The damage a check reports: enough to name it, not a page list.
constexpr int reportedDamageLines = 3;

QString sqliteMessage(sqlite3 *db)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
}

// The store holds personal data: its file is created readable by its owner only
// (the WAL and shared-memory files SQLite adds take the same permissions).
bool createOwnerOnlyFile(const QString &path, StoreError *error)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = StoreSchema::cannotOpenError(path, QStringLiteral("can't create the folder"));
        return false;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) {
        *error = StoreSchema::cannotOpenError(path, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (fd >= 0)
        ::close(fd);
    return true;
}

// What the file holds, looked at over a read-only connection, so that not
// even SQLite's own recovery writes to a file that turns out not to be ours.
StoreSchema::FileState inspectReadOnly(const QString &path, StoreError *error)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(
        QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    StoreSchema::FileState state = StoreSchema::FileState::Invalid;
    if (rc != SQLITE_OK) {
        *error = StoreSchema::openError(db, path);
    } else {
        sqlite3_busy_timeout(db, busyTimeoutMilliseconds);
        state = StoreSchema::inspect(db, path, error);
    }
    sqlite3_close_v2(db);
    return state;
}

// A file that already holds data is checked before it is opened for writing.
bool checkReadOnly(const QString &path, StoreError *error)
{
    return inspectReadOnly(path, error) != StoreSchema::FileState::Invalid;
}

bool configure(sqlite3 *db, const QString &path, StoreError *error)
{
    sqlite3_busy_timeout(db, busyTimeoutMilliseconds);
    switch (StoreSchema::inspect(db, path, error)) {
    case StoreSchema::FileState::Invalid:
        return false;
    case StoreSchema::FileState::Empty:
        if (!StoreSchema::create(db, path, error))
            return false;
        break;
    case StoreSchema::FileState::Store:
        break;
    }
    // FULL: a commit is on disk before execute() reports success.
    const char *setup = "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;";
    if (sqlite3_exec(db, setup, nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = StoreSchema::openError(db, path);
        return false;
    }
    return true;
}

} // namespace

StoreConnection::~StoreConnection()
{
    m_statements.clear();
    sqlite3_close_v2(m_db);
}

std::unique_ptr<StoreConnection> StoreConnection::open(const QString &path, StoreError *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!createOwnerOnlyFile(path, error))
            return nullptr;
    } else if (info.size() > 0 && !checkReadOnly(path, error)) {
        return nullptr;
    }

    sqlite3 *db = nullptr;
    // A write-protected file is opened read-only without a word from SQLite;
    // the connection notes it, so that writes are refused (and the file
    // opened again) rather than failing on the first statement.
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        *error = StoreSchema::openError(db, path);
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    if (!configure(db, path, error)) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    if (QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther))
        ApplicationPaths::makeOwnerOnly(path);
    auto connection = std::unique_ptr<StoreConnection>(new StoreConnection(db, path));
    connection->m_readOnly = sqlite3_db_readonly(db, "main") == 1;
    return connection;
}

bool StoreConnection::isEmptyFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    StoreError ignored;
    return info.size() == 0 || inspectReadOnly(path, &ignored) == StoreSchema::FileState::Empty;
}

bool StoreConnection::checkIntegrity(StoreError *error)
{
    ActiveStatement check = statement("PRAGMA quick_check(100)", error);
    if (!check)
        return false;
    QStringList damage;
    int rc = SQLITE_ROW;
    while ((rc = check->step()) == SQLITE_ROW) {
        for (const QString &line : check->columnText(0).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line != QLatin1String("ok") && !line.startsWith(QLatin1String("***")))
                damage.append(line);
        }
    }
    // The check may stop at damage it has already reported.
    if (damage.isEmpty() && rc != SQLITE_DONE) {
        *error = failure(QStringLiteral("PRAGMA quick_check"));
        return false;
    }
    if (damage.isEmpty())
        return true;
    // Pages cut off by the damage come last: they follow from it.
    std::stable_partition(damage.begin(), damage.end(),
        [](const QString &line) { return !line.endsWith(QLatin1String(" is never used")); });
    *error = StoreSchema::damagedError(m_path, damage.mid(0, reportedDamageLines).join(QStringLiteral("; ")));
    return false;
}

void StoreConnection::refuseWrites()
{
    // Closing the last connection would otherwise copy the write-ahead log
    // into the file.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_exec(m_db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
    m_readOnly = true;
}

ActiveStatement StoreConnection::statement(const QByteArray &sql, StoreError *error)
{
    const std::string key = sql.toStdString();
    auto &entry = m_statements[key];
    if (!entry)
        entry = std::make_unique<SqliteStatement>(m_db, sql);
    if (!entry->isValid()) {
        *error = failure(QStringLiteral("Can't prepare a statement"));
        m_statements.erase(key);
        return nullptr;
    }
    return entry.get();
}

bool StoreConnection::exec(const char *sql, StoreError *error)
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    *error = failure(QString::fromUtf8(sql));
    return false;
}

StoreError StoreConnection::failure(const QString &operation) const
{
    if (std::optional<StoreError> error = StoreSchema::fileError(m_db, m_path))
        return *error;
    return failure(StoreError::Code::DatabaseFailure, operation + QStringLiteral(": ") + sqliteMessage(m_db));
}

StoreError StoreConnection::failure(StoreError::Code code, const QString &description) const
{
    return {code, description, m_path};
}

int StoreConnection::changes() const
{
    return sqlite3_changes(m_db);
}
