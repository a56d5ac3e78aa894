#include "platform/contacts/SqliteStatement_p.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3 *db, const QByteArray &sql)
{
    if (sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

void SqliteStatement::bind(int index, const QString &text)
{
    sqlite3_bind_text16(m_statement, index, text.utf16(), int(text.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, const QByteArray &blob)
{
    if (blob.isNull())
        sqlite3_bind_null(m_statement, index);
    else
        sqlite3_bind_blob64(m_statement, index, blob.constData(), sqlite3_uint64(blob.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

int SqliteStatement::step()
{
    return sqlite3_step(m_statement);
}

QString SqliteStatement::columnText(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView SqliteStatement::columnTextView(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return {text, sqlite3_column_bytes(m_statement, column)};
}

QByteArray SqliteStatement::columnBlob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return data ? QByteArray(data, sqlite3_column_bytes(m_statement, column)) : QByteArray();
}

QByteArray SqliteStatement::columnBlobView(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return data ? QByteArray::fromRawData(data, sqlite3_column_bytes(m_statement, column)) : QByteArray();
}

qint64 SqliteStatement::columnInt(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}
