#pragma once

#include <QString>
#include <QStringList>

class UserDefaults;

// The order of the field types in a contact's details.
namespace DetailRowOrder {

inline const QString lastRowOrderKey = QStringLiteral("MV1DlastRowOrder");

// The 23 types in their built-in order.
[[nodiscard]] const QStringList &defaultOrder();

// The stored order, read afresh: the built-in one when none is stored or the
// value is no list; entries that are not text are skipped. An order stored
// before joint names existed gets "Renmei" as its third type (appended to an
// order of fewer than two); nothing is written back.
[[nodiscard]] QStringList storedOrder(const UserDefaults &defaults);

} // namespace DetailRowOrder
