#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement that stays prepared for the life of its connection;
// reset() readies it for the next use.
class SqliteStatement {
public:
    SqliteStatement(sqlite3 *db, const QByteArray &sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    [[nodiscard]] bool isValid() const { return m_statement != nullptr; }

    void reset();
    void bind(int index, const QString &text);
    void bind(int index, const QByteArray &blob);
    void bind(int index, qint64 value);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();

    [[nodiscard]] QString columnText(int column) const;
    // The text's UTF-8 bytes without a copy; valid until the statement steps
    // or resets.
    [[nodiscard]] QByteArrayView columnTextView(int column) const;
    [[nodiscard]] QByteArray columnBlob(int column) const;
    // The blob without a copy; valid until the statement steps or resets.
    [[nodiscard]] QByteArray columnBlobView(int column) const;
    [[nodiscard]] qint64 columnInt(int column) const;

private:
    sqlite3_stmt *m_statement = nullptr;
};

// A statement in use: reset when the use ends, so that no finished query
// keeps a read transaction (and with it an old snapshot) open.
class ActiveStatement {
public:
    ActiveStatement(SqliteStatement *statement = nullptr)
        : m_statement(statement)
    {
    }
    ActiveStatement(ActiveStatement &&other) noexcept
        : m_statement(other.m_statement)
    {
        other.m_statement = nullptr;
    }
    ActiveStatement(const ActiveStatement &) = delete;
    ActiveStatement &operator=(const ActiveStatement &) = delete;
    ~ActiveStatement()
    {
        if (m_statement)
            m_statement->reset();
    }

    [[nodiscard]] SqliteStatement *get() const { return m_statement; }
    SqliteStatement *operator->() const { return m_statement; }
    explicit operator bool() const { return m_statement != nullptr; }

private:
    SqliteStatement *m_statement = nullptr;
};
