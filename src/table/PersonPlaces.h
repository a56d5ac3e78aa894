#pragma once

#include <QtGlobal>

#include <vector>

class MVPerson;

// The places of a list's persons, found by the person's address: a reorder
// of 50,000 contacts asks it once per contact, and the general hash spent
// more time finding than the reorder spent moving.
class PersonPlaces {
public:
    // Room for count persons.
    explicit PersonPlaces(qsizetype count);

    // False, changing nothing, when the person has a place already.
    bool insert(const MVPerson *person, qsizetype place);
    // -1 for a person without a place.
    [[nodiscard]] qsizetype find(const MVPerson *person) const;
    [[nodiscard]] qsizetype size() const { return m_size; }

private:
    struct Slot {
        const MVPerson *person = nullptr;
        qsizetype place = -1;
    };

    [[nodiscard]] std::size_t firstSlot(const MVPerson *person) const;

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    qsizetype m_size = 0;
};
