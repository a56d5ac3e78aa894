#pragma once

#include "platform/contacts/StoreContact.h"

#include <QList>
#include <QStringList>

// A stable text form of contacts for comparisons: one field per line, empty
// fields left out, line ends inside values shown as "\n". The identifier is
// left out too: every read makes new ones.
namespace VCardContactDump {

[[nodiscard]] QStringList dump(const StoreContact &contact);
[[nodiscard]] QStringList dump(const QList<StoreContact> &contacts);

} // namespace VCardContactDump
