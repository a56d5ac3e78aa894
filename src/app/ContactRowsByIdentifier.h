#pragma once

#include "model/ContactRecord.h"
#include "model/ProbedSlots.h"
#include "model/UniqueId.h"

// Contact rows found by their identifiers, the last row of an identifier
// winning. The rows are held as plain pointers: their table outlives the
// index. A slot keeps a copy of the identifier beside its row, so that a
// search reads no row: binding 50,000 members through the general hash
// waited on memory member by member.
class ContactRowsByIdentifier {
public:
    // Room for count rows.
    explicit ContactRowsByIdentifier(qsizetype count)
        : m_rows(count)
    {
    }

    void insert(const ContactRecord *row) { *m_rows.emplace(row->uniqueId).first = row; }
    // Null for an identifier no row has.
    [[nodiscard]] const ContactRecord *find(const UniqueId &uniqueId) const
    {
        const ContactRecord *const *row = m_rows.find(uniqueId);
        return row ? *row : nullptr;
    }

private:
    static std::size_t hashOf(const UniqueId &uniqueId) { return qHash(uniqueId, 0); }

    ProbedSlots<UniqueId, const ContactRecord *, &ContactRowsByIdentifier::hashOf> m_rows;
};
