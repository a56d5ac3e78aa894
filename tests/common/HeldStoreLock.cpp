#include "common/HeldStoreLock.h"

#include <QFile>

#include <sqlite3.h>

HeldStoreLock::HeldStoreLock(const QString &path)
{
    m_held = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
}

HeldStoreLock::~HeldStoreLock()
{
    release();
}

void HeldStoreLock::release()
{
    if (m_held)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_held = false;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}
