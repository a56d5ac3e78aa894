#include "app/ContactRowsByIdentifier.h"

#include <algorithm>
#include <bit>

// At most half the slots are taken, so that a search meets an empty slot
// after a few steps.
ContactRowsByIdentifier::ContactRowsByIdentifier(qsizetype count)
    : m_slots(std::bit_ceil(std::size_t(std::max<qsizetype>(count, 4)) * 2))
    , m_mask(m_slots.size() - 1)
{
}

std::size_t ContactRowsByIdentifier::firstSlot(const UniqueId &uniqueId) const
{
    return std::size_t(qHash(uniqueId, 0)) & m_mask;
}

void ContactRowsByIdentifier::insert(const ContactRecord *row)
{
    for (std::size_t slot = firstSlot(row->uniqueId);; slot = (slot + 1) & m_mask) {
        Slot &entry = m_slots[slot];
        if (!entry.row) {
            entry = {row->uniqueId, row};
            return;
        }
        if (entry.uniqueId == row->uniqueId) {
            entry.row = row;
            return;
        }
    }
}

const ContactRecord *ContactRowsByIdentifier::find(const UniqueId &uniqueId) const
{
    for (std::size_t slot = firstSlot(uniqueId);; slot = (slot + 1) & m_mask) {
        const Slot &entry = m_slots[slot];
        if (!entry.row)
            return nullptr;
        if (entry.uniqueId == uniqueId)
            return entry.row;
    }
}
