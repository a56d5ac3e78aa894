#pragma once

#include "model/ProbedSlots.h"

#include <QtGlobal>

#include <cstdint>

class MVPerson;

// The places of a list's persons, found by the person's address: a reorder
// of 50,000 contacts asks it once per contact, and the general hash spent
// more time finding than the reorder spent moving.
class PersonPlaces {
public:
    // Room for count persons.
    explicit PersonPlaces(qsizetype count)
        : m_places(count)
    {
    }

    // False, changing nothing, when the person has a place already.
    bool insert(const MVPerson *person, qsizetype place)
    {
        const auto [held, isNew] = m_places.emplace(person);
        if (isNew)
            *held = place;
        return isNew;
    }
    // -1 for a person without a place.
    [[nodiscard]] qsizetype find(const MVPerson *person) const
    {
        const qsizetype *place = m_places.find(person);
        return place ? *place : -1;
    }
    [[nodiscard]] qsizetype size() const { return m_places.size(); }

private:
    // Persons are allocated apart and aligned, so their addresses' low bits
    // say little: the multiplication spreads the high ones over the slots.
    static std::uint64_t hashOf(const MVPerson *person)
    {
        return (std::uint64_t(reinterpret_cast<std::uintptr_t>(person)) * 0x9E3779B97F4A7C15ULL) >> 32;
    }

    ProbedSlots<const MVPerson *, qsizetype, &PersonPlaces::hashOf> m_places;
};
