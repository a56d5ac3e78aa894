#pragma once

#include <QFile>
#include <QString>

#include <sqlite3.h>

// Another program holding a store: a connection of its own inside a write
// transaction, until it is released.
class HeldStoreLock {
public:
    explicit HeldStoreLock(const QString &path)
    {
        m_held
            = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
            && sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~HeldStoreLock() { release(); }
    HeldStoreLock(const HeldStoreLock &) = delete;
    HeldStoreLock &operator=(const HeldStoreLock &) = delete;

    [[nodiscard]] bool isHeld() const { return m_held; }
    void release()
    {
        if (m_held)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_held = false;
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }

private:
    sqlite3 *m_db = nullptr;
    bool m_held = false;
};
