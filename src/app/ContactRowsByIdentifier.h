#pragma once

#include "model/ContactRecord.h"
#include "model/UniqueId.h"

#include <vector>

// Contact rows found by their identifiers, the last row of an identifier
// winning. The rows are held as plain pointers: their table outlives the
// index. A slot keeps a copy of the identifier beside its row, so that a
// search reads no row: binding 50,000 members through the general hash
// waited on memory member by member.
class ContactRowsByIdentifier {
public:
    // Room for count rows.
    explicit ContactRowsByIdentifier(qsizetype count);

    void insert(const ContactRecord *row);
    // Null for an identifier no row has.
    [[nodiscard]] const ContactRecord *find(const UniqueId &uniqueId) const;

private:
    struct Slot {
        UniqueId uniqueId;
        const ContactRecord *row = nullptr;
    };

    [[nodiscard]] std::size_t firstSlot(const UniqueId &uniqueId) const;

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};
