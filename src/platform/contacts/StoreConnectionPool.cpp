#include "platform/contacts/StoreConnectionPool_p.h"

#include "platform/contacts/StoreConnection_p.h"

StoreConnectionPool::StoreConnectionPool(const QString &path)
    : m_path(path)
{
}

StoreConnectionPool::~StoreConnectionPool() = default;

StoreConnection *StoreConnectionPool::connectionForCurrentThread(StoreError *error)
{
    const std::thread::id thread = std::this_thread::get_id();
    {
        std::lock_guard lock(m_mutex);
        if (auto found = m_connections.find(thread); found != m_connections.end())
            return found->second.get();
    }
    // Opened outside the lock: opening may wait for another thread's write.
    std::unique_ptr<StoreConnection> connection = StoreConnection::open(m_path, error);
    if (!connection)
        return nullptr;
    std::lock_guard lock(m_mutex);
    auto &slot = m_connections[thread];
    slot = std::move(connection);
    return slot.get();
}
