#include "platform/contacts/StoreConnectionPool_p.h"

#include "platform/contacts/StoreConnection_p.h"
#include "platform/contacts/StoreSchema_p.h"

StoreConnectionPool::StoreConnectionPool(const QString &path)
    : m_path(path)
{
}

StoreConnectionPool::~StoreConnectionPool() = default;

StoreConnection *StoreConnectionPool::connectionForCurrentThread(StoreError *error, Use use)
{
    const std::thread::id thread = std::this_thread::get_id();
    {
        std::lock_guard lock(m_mutex);
        if (use == Use::Write && m_damage) {
            *error = *m_damage;
            return nullptr;
        }
        if (auto found = m_connections.find(thread); found != m_connections.end()) {
            if (use == Use::Read || !found->second->isReadOnly())
                return found->second.get();
            m_connections.erase(found);
        }
    }
    // Opened outside the lock: opening may wait for another thread's write.
    std::unique_ptr<StoreConnection> connection = StoreConnection::open(m_path, error);
    if (!connection)
        return nullptr;
    const bool refused = use == Use::Write && connection->isReadOnly();
    std::lock_guard lock(m_mutex);
    auto &slot = m_connections[thread];
    slot = std::move(connection);
    if (refused) {
        // Kept for reading; the next write tries again.
        *error = StoreSchema::readOnlyError(m_path);
        return nullptr;
    }
    return slot.get();
}

void StoreConnectionPool::discardConnectionForCurrentThread()
{
    std::lock_guard lock(m_mutex);
    m_connections.erase(std::this_thread::get_id());
}

void StoreConnectionPool::noteDamage(const StoreError &error)
{
    std::lock_guard lock(m_mutex);
    if (error.code != StoreError::Code::Damaged) {
        if (!error.isError())
            m_damage.reset();
        return;
    }
    m_damage = error;
    if (auto found = m_connections.find(std::this_thread::get_id()); found != m_connections.end())
        found->second->refuseWrites();
}
