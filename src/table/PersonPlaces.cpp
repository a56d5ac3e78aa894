#include "table/PersonPlaces.h"

#include <algorithm>
#include <bit>
#include <cstdint>

// At most half the slots are taken, so that a search meets an empty slot
// after a few steps.
PersonPlaces::PersonPlaces(qsizetype count)
    : m_slots(std::bit_ceil(std::size_t(std::max<qsizetype>(count, 4)) * 2))
    , m_mask(m_slots.size() - 1)
{
}

// Persons are allocated apart and aligned, so their addresses' low bits say
// little: the multiplication spreads the high ones over the slots.
std::size_t PersonPlaces::firstSlot(const MVPerson *person) const
{
    const auto address = std::uint64_t(reinterpret_cast<std::uintptr_t>(person));
    return std::size_t((address * 0x9E3779B97F4A7C15ULL) >> 32) & m_mask;
}

bool PersonPlaces::insert(const MVPerson *person, qsizetype place)
{
    for (std::size_t slot = firstSlot(person);; slot = (slot + 1) & m_mask) {
        Slot &entry = m_slots[slot];
        if (entry.person == person && entry.place >= 0)
            return false;
        if (entry.place < 0) {
            entry = {person, place};
            ++m_size;
            return true;
        }
    }
}

qsizetype PersonPlaces::find(const MVPerson *person) const
{
    for (std::size_t slot = firstSlot(person);; slot = (slot + 1) & m_mask) {
        const Slot &entry = m_slots[slot];
        if (entry.place < 0)
            return -1;
        if (entry.person == person)
            return entry.place;
    }
}
