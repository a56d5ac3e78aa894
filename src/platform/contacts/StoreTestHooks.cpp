#include "platform/contacts/StoreTestHooks_p.h"

#include <mutex>

namespace {

std::mutex hookMutex;
StoreTestHooks::StatementHook &currentHook()
{
    static StoreTestHooks::StatementHook hook;
    return hook;
}

} // namespace

namespace StoreTestHooks {

void setStatementHook(const StatementHook &hook)
{
    std::lock_guard lock(hookMutex);
    currentHook() = hook;
}

bool allowStatement(int statementNumber)
{
    StatementHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = currentHook();
    }
    return !hook || hook(statementNumber);
}

} // namespace StoreTestHooks
