#pragma once

#include <QString>

// Damage done to a closed store file from outside, as a failing disk or a
// stray program would.
namespace StoreFileDamage {

// Overwrites the first interior page of a table (the root of the contacts
// table in a store of a few thousand contacts) with garbage. False when the
// file has no such page.
bool damageInteriorPage(const QString &path);

// Replaces the stored fields of the first contact with bytes that are no
// record; the file itself stays sound.
bool damageFirstContactFields(const QString &path);

} // namespace StoreFileDamage
