#pragma once

#include "model/ContactIdentifier.h"
#include "model/ContactRecord.h"
#include "model/SortDescriptor.h"
#include "platform/contacts/StoreDateComponents.h"

#include <QList>
#include <QString>

#include <compare>
#include <optional>

// The order of a shown contact list: each contact by its first value of the
// sorted field, empty texts and missing dates last in both directions, equal
// keys by identifier.
class ContactTableSorter {
public:
    // Sorts the list in place by the first descriptor's key; a key the list
    // is not sorted by, or no descriptor, leaves it as it is.
    static void sortContactTable(ContactTable &contactTable, const QList<SortDescriptor> &descriptors);
    // Whether the descriptor sorts by the texts the table sorts a contact's
    // rows by (the names), ties by identifier.
    [[nodiscard]] static bool sortsContactsByRowKey(const SortDescriptor &descriptor);
    // A sort key as the field and the entry of its value it compares;
    // nothing for a key the list is not sorted by.
    struct SortKeyParts {
        ContactIdentifier identifier;
        QString key;
    };
    [[nodiscard]] static std::optional<SortKeyParts> separateSortKeyIntoIdentifierAndKey(const QString &sortKey);
    // Absent dates come last in both directions.
    [[nodiscard]] static std::weak_ordering compareDateComponents(
        const std::optional<StoreDateComponents> &a, const std::optional<StoreDateComponents> &b, bool ascending);
};
