#include "model/PersonCaches.h"

#include <algorithm>
#include <new>

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

std::unique_ptr<std::shared_ptr<void>[]> &spareRoom() {
    thread_local std::unique_ptr<std::shared_ptr<void>[]> room;
    return room;
}

// The room for every slot, emptied, kept for the next contact filled on
// this thread: an import fills them one after the other.
void giveBackRoom(std::shared_ptr<void> *room)
{
    if (spareRoom()) {
        delete[] room;
        return;
    }
    std::fill_n(room, PersonCaches::SlotCount, nullptr);
    spareRoom().reset(room);
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
        for (const Slot<LabeledValueList> list : LabeledLists)
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

const std::shared_ptr<void> &PersonCaches::none()
{
    static const std::shared_ptr<void> null;
    return null;
}

void PersonCaches::store(int index, std::shared_ptr<void> value)
{
    if (!value || value == sharedEmptyEntry(index)) {
        dropOwn(index);
        if (value)
            m_empty |= bit(index);
        else
            m_empty &= ~bit(index);
        return;
    }
    m_empty &= ~bit(index);
    if ((m_own & bit(index)) || m_reserved) {
        owned()[position(index)] = std::move(value);
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
        m_storage.many[index].reset();
        m_own &= ~bit(index);
        return;
    }
    rebuild(m_own & ~bit(index), -1, nullptr);
}

PersonCaches::Entries PersonCaches::takeAll()
{
    Entries entries;
    for (int i = 0; i < SlotCount; ++i) {
        if (m_own & bit(i))
            entries[i] = std::move(owned()[position(i)]);
    }
    release();
    return entries;
}

void PersonCaches::release()
{
    // Which member the room is depends on the masks, so it goes before they
    // change.
    if (holdsOne())
        m_storage.one.~shared_ptr();
    else if (m_reserved)
        giveBackRoom(m_storage.many);
    else
        delete[] m_storage.many;
    m_storage.many = nullptr;
}

void PersonCaches::layOut(unsigned own, bool reserved, Entries &entries)
{
    m_own = own;
    m_reserved = reserved;
    if (holdsOne()) {
        new (&m_storage.one) std::shared_ptr<void>(std::move(entries[std::countr_zero(own)]));
        return;
    }
    const int count = reserved ? SlotCount : std::popcount(own);
    if (count == 0)
        return;
    m_storage.many = reserved && spareRoom() ? spareRoom().release() : new std::shared_ptr<void>[count];
    for (int i = 0; i < SlotCount; ++i) {
        if (own & bit(i))
            m_storage.many[position(i)] = std::move(entries[i]);
    }
}

void PersonCaches::rebuild(unsigned own, int index, std::shared_ptr<void> value)
{
    Entries entries = takeAll();
    if (index >= 0)
        entries[index] = std::move(value);
    layOut(own, false, entries);
}

void PersonCaches::reserveAll()
{
    if (m_reserved)
        return;
    Entries entries = takeAll();
    layOut(m_own, true, entries);
}

void PersonCaches::compact()
{
    if (!m_reserved)
        return;
    // The own caches go from the room for every slot straight into room for
    // just them: every contact made passes here once.
    std::shared_ptr<void> *const room = m_storage.many;
    const unsigned own = m_own;
    const int count = std::popcount(own);
    m_reserved = false;
    if (count == 1) {
        new (&m_storage.one) std::shared_ptr<void>(std::move(room[std::countr_zero(own)]));
    } else {
        m_storage.many = count == 0 ? nullptr : new std::shared_ptr<void>[count];
        for (int i = 0, at = 0; i < SlotCount; ++i) {
            if (own & bit(i))
                m_storage.many[at++] = std::move(room[i]);
        }
    }
    giveBackRoom(room);
}
