#pragma once

#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

// A table of keys and values for lists of tens of thousands of contacts,
// laid out as one array searched slot after slot: the general hash tables
// wait on memory entry by entry, which passes over every contact notice.
// Keys are only added; at most half the slots are taken, so that a search
// meets an empty slot after a few steps. hashOf(key) spreads the keys.
template <typename Key, typename Value, auto hashOf> class ProbedSlots {
public:
    // Room for count keys.
    explicit ProbedSlots(qsizetype count)
        : m_slots(std::bit_ceil(std::size_t(std::max<qsizetype>(count, 4)) * 2))
        , m_mask(m_slots.size() - 1)
    {
    }

    // The value of the key, made if the key is new, and whether it is.
    std::pair<Value *, bool> emplace(const Key &key)
    {
        for (std::size_t slot = firstSlot(key);; slot = (slot + 1) & m_mask) {
            Slot &entry = m_slots[slot];
            if (!entry.taken) {
                entry.key = key;
                entry.taken = true;
                ++m_size;
                return {&entry.value, true};
            }
            if (entry.key == key)
                return {&entry.value, false};
        }
    }
    // Null for a key not in the table.
    [[nodiscard]] const Value *find(const Key &key) const
    {
        for (std::size_t slot = firstSlot(key);; slot = (slot + 1) & m_mask) {
            const Slot &entry = m_slots[slot];
            if (!entry.taken)
                return nullptr;
            if (entry.key == key)
                return &entry.value;
        }
    }
    [[nodiscard]] qsizetype size() const { return m_size; }

private:
    struct Slot {
        Key key{};
        Value value{};
        bool taken = false;
    };

    [[nodiscard]] std::size_t firstSlot(const Key &key) const { return std::size_t(hashOf(key)) & m_mask; }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    qsizetype m_size = 0;
};
