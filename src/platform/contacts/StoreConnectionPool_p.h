#pragma once

#include "platform/contacts/StoreError.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <thread>

class StoreConnection;

// The connections of one store object, one per thread that has used it.
// A connection is opened on the thread's first call and kept until the store
// object goes; a failed open is not kept, so the next call tries again.
class StoreConnectionPool {
public:
    explicit StoreConnectionPool(const QString &path);
    ~StoreConnectionPool();

    [[nodiscard]] const QString &path() const { return m_path; }
    // The calling thread's connection; null with *error set when the file
    // can't be opened as a store.
    [[nodiscard]] StoreConnection *connectionForCurrentThread(StoreError *error);

private:
    QString m_path;
    std::mutex m_mutex;
    std::map<std::thread::id, std::unique_ptr<StoreConnection>> m_connections;
};
