#include "model/PersonCaches.h"

#include <array>
#include <bit>

namespace {

// The string fields of a store contact without any: each present and null.
std::shared_ptr<StringValuesRecord> emptyStoreStrings()
{
    auto strings = std::make_shared<StringValuesRecord>();
    for (const ContactIdentifier &identifier : StringValuesRecord::identifiers()) {
        if (identifier != FieldId::Renmei)
            strings->setEntry(identifier, QString());
    }
    return strings;
}

} // namespace

const std::shared_ptr<void> &PersonCaches::sharedEmptyEntry(int index)
{
    // What a cache holds when the store contact gave nothing for it; the
    // labeled lists share one empty list, and the layouts of a contact
    // without addresses are one unset layout.
    static const std::array<std::shared_ptr<void>, SlotCount> empties = [] {
        std::array<std::shared_ptr<void>, SlotCount> values;
        const auto emptyList = std::make_shared<LabeledValueList>();
        for (const Slot<LabeledValueList> list : {Phone, Email, Address, Url, Sns, Ims, Relationship, Dates})
            values[list.index] = emptyList;
        values[PhoneticName.index] = std::make_shared<PhoneticNameRecord>();
        values[Birthday.index] = std::make_shared<BirthdayRecord>();
        values[Strings.index] = emptyStoreStrings();
        values[Layouts.index]
            = std::make_shared<HagakiLayoutList>(HagakiLayoutList{std::make_shared<HagakiLayoutRecord>()});
        return values;
    }();
    return empties.at(index);
}

const std::shared_ptr<void> &PersonCaches::entry(int index) const
{
    static const std::shared_ptr<void> none;
    if (m_own & bit(index))
        return m_owned[position(index)];
    return m_empty & bit(index) ? sharedEmptyEntry(index) : none;
}

int PersonCaches::position(int index) const
{
    return m_reserved ? index : std::popcount(unsigned(m_own & (bit(index) - 1)));
}

void PersonCaches::store(int index, std::shared_ptr<void> value)
{
    if (!value || value == sharedEmptyEntry(index)) {
        dropOwn(index);
        m_empty = value ? m_empty | bit(index) : m_empty & ~bit(index);
        return;
    }
    m_empty &= ~bit(index);
    if ((m_own & bit(index)) || m_reserved) {
        m_owned[position(index)] = std::move(value);
        m_own |= bit(index);
        return;
    }
    rebuild(m_own | bit(index), index, std::move(value));
}

void PersonCaches::dropOwn(int index)
{
    if (!(m_own & bit(index)))
        return;
    if (m_reserved) {
        m_owned[index].reset();
        m_own &= ~bit(index);
        return;
    }
    rebuild(m_own & ~bit(index), -1, nullptr);
}

void PersonCaches::rebuild(quint16 own, int index, std::shared_ptr<void> value)
{
    const int count = std::popcount(unsigned(own));
    std::unique_ptr<std::shared_ptr<void>[]> owned;
    if (count > 0)
        owned = std::make_unique<std::shared_ptr<void>[]>(count);
    int next = 0;
    for (int i = 0; i < SlotCount; ++i) {
        if (own & bit(i))
            owned[next++] = i == index ? std::move(value) : std::move(m_owned[position(i)]);
    }
    m_owned = std::move(owned);
    m_own = own;
    m_reserved = false;
}

void PersonCaches::reserveAll()
{
    if (m_reserved)
        return;
    auto owned = std::make_unique<std::shared_ptr<void>[]>(SlotCount);
    for (int i = 0; i < SlotCount; ++i) {
        if (m_own & bit(i))
            owned[i] = std::move(m_owned[position(i)]);
    }
    m_owned = std::move(owned);
    m_reserved = true;
}

void PersonCaches::compact()
{
    if (m_reserved)
        rebuild(m_own, -1, nullptr);
}
