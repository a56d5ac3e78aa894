#pragma once

#include <QString>

struct sqlite3;

// Another program holding a store: a connection of its own inside a write
// transaction, until it is released.
class HeldStoreLock {
public:
    explicit HeldStoreLock(const QString &path);
    ~HeldStoreLock();
    HeldStoreLock(const HeldStoreLock &) = delete;
    HeldStoreLock &operator=(const HeldStoreLock &) = delete;

    [[nodiscard]] bool isHeld() const { return m_held; }
    void release();

private:
    sqlite3 *m_db = nullptr;
    bool m_held = false;
};
