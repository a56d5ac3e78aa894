#pragma once

#include "platform/contacts/StoreError.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class StoreConnection;

// The connections of one store object, one per thread that has used it.
// A connection is opened on the thread's first call and kept until the store
// object goes; a failed open is not kept, so the next call tries again.
//
// A connection that can't write is not kept for writing: a write asks for
// the file afresh, so a store made writable again is written without a
// restart. Once damage was found, nothing is written until a check finds the
// file whole again.
class StoreConnectionPool {
public:
    enum class Use { Read, Write };

    explicit StoreConnectionPool(const QString &path);
    ~StoreConnectionPool();

    [[nodiscard]] const QString &path() const { return m_path; }
    // The calling thread's connection; null with *error set when the file
    // can't be opened as a store or, for writing, can't be written.
    [[nodiscard]] StoreConnection *connectionForCurrentThread(StoreError *error, Use use = Use::Read);
    // Closes the calling thread's connection (one that failed to write), so
    // that its next call opens the file again.
    void discardConnectionForCurrentThread();

    // Notes the damage a call found (a Damaged error) and makes the calling
    // thread's connection refuse writes; a whole store (no error) lifts it.
    void noteDamage(const StoreError &error);

private:
    QString m_path;
    std::mutex m_mutex;
    std::map<std::thread::id, std::unique_ptr<StoreConnection>> m_connections;
    std::optional<StoreError> m_damage;
};
