#pragma once

#include "StoreSampleContacts.h"
#include "platform/contacts/ContactStore.h"

#include <QString>
#include <QStringList>

// Shared by the contacts-store tests: stores in scratch folders, contacts with
// every kind of field, and a snapshot that shows any change of a store.
namespace StoreTestSupport {

// A path for a store file in a fresh scratch folder (the file does not exist).
[[nodiscard]] QString newStorePath(const QString &name);

using StoreSampleContacts::typicalContact;

// A contact with a value in every field the store keeps, images aside: with
// the characters vCard escapes, text long enough to fold and labels of every
// kind.
[[nodiscard]] StoreContact everyFieldContact();

// Every container, group, membership and contact (all keys, images included)
// as lines of text; equal snapshots mean equal stores.
[[nodiscard]] QStringList snapshot(const ContactStore &store);

// The contacts' identifiers, in store order.
[[nodiscard]] QStringList contactIdentifiers(const ContactStore &store, const StorePredicate &predicate = {});

// Bytes of a file, empty when it can't be read.
[[nodiscard]] QByteArray fileBytes(const QString &path);

} // namespace StoreTestSupport
