#pragma once

#include <functional>

// Lets tests fail or interrupt a save at a chosen statement. Not for the
// application: nothing but the tests sets a hook.
namespace StoreTestHooks {

// Called before each statement that writes during ContactStore::execute(),
// with its number within that save (1, 2, …); returning false makes the
// statement fail. An empty hook removes it.
using StatementHook = std::function<bool(int statementNumber)>;
void setStatementHook(const StatementHook &hook);

// What the save asks before each writing statement.
[[nodiscard]] bool allowStatement(int statementNumber);

} // namespace StoreTestHooks
