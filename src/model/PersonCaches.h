#pragma once

#include "model/BirthdayRecord.h"
#include "model/HagakiLayoutRecord.h"
#include "model/LabeledValueRecord.h"
#include "model/PhoneticNameRecord.h"
#include "model/ReadLabeledValues.h"
#include "model/StringValuesRecord.h"

#include <QtGlobal>

#include <array>
#include <bit>
#include <memory>
#include <type_traits>

// A contact's value caches but the name, kept sparsely: an import holds a
// million contacts, most of which have a name and a phone number and nothing
// else. A cache is in one of three states: not held (never read, so the
// write-back leaves the store's value alone), held as its slot's one empty
// value shared by every contact, or held as an object of the contact's own.
// Only the own ones take room: one in place, more in an array just large
// enough for them.
//
// The shared empty value must never change: takeOwnCopy gives the contact a
// copy of its own before anyone changes it.
class PersonCaches {
public:
    // A cache and the type of the value it holds.
    template <typename T> struct Slot {
        quint8 index;
    };
    static constexpr Slot<PhoneticNameRecord> PhoneticName{0};
    static constexpr Slot<BirthdayRecord> Birthday{1};
    static constexpr Slot<StringValuesRecord> Strings{2};
    static constexpr Slot<LabeledValueList> Phone{3};
    static constexpr Slot<LabeledValueList> Email{4};
    static constexpr Slot<LabeledValueList> Address{5};
    static constexpr Slot<LabeledValueList> Url{6};
    static constexpr Slot<LabeledValueList> Sns{7};
    static constexpr Slot<LabeledValueList> Ims{8};
    static constexpr Slot<LabeledValueList> Relationship{9};
    static constexpr Slot<LabeledValueList> Dates{10};
    static constexpr Slot<HagakiLayoutList> Layouts{11};
    // The values a file gave, until the labeled lists and layouts are made
    // from them.
    static constexpr Slot<ReadLabeledValues> ReadValues{12};
    static constexpr int SlotCount = 13;
    // The labeled lists, in the order a contact reads them.
    static constexpr std::array<Slot<LabeledValueList>, 8> LabeledLists{
        Phone, Email, Address, Url, Sns, Ims, Relationship, Dates};

    PersonCaches() = default;
    PersonCaches(const PersonCaches &) = delete;
    PersonCaches &operator=(const PersonCaches &) = delete;
    ~PersonCaches() { release(); }

    // The cache as held: its own object, the shared empty value, or null.
    template <typename T> [[nodiscard]] std::shared_ptr<T> get(Slot<T> slot) const
    {
        return std::static_pointer_cast<T>(entry(slot.index));
    }
    // The cache as held, for a reader that neither keeps nor changes it.
    template <typename T> [[nodiscard]] const T *peek(Slot<T> slot) const
    {
        return static_cast<const T *>(entry(slot.index).get());
    }
    // Null drops the cache; the slot's shared empty value is held as such.
    template <typename T> void set(Slot<T> slot, std::type_identity_t<std::shared_ptr<T>> value)
    {
        store(slot.index, std::move(value));
    }
    template <typename T> void reset(Slot<T> slot) { store(slot.index, nullptr); }
    template <typename T> [[nodiscard]] bool holds(Slot<T> slot) const
    {
        return (bit(slot.index) & (m_own | m_empty)) != 0;
    }
    template <typename T> [[nodiscard]] bool holdsSharedEmpty(Slot<T> slot) const
    {
        return (bit(slot.index) & m_empty) != 0;
    }
    // The cache, a copy of the contact's own in place of the shared empty value.
    template <typename T> std::shared_ptr<T> takeOwnCopy(Slot<T> slot)
    {
        if (holdsSharedEmpty(slot))
            set(slot, std::make_shared<T>(*sharedEmpty(slot)));
        return get(slot);
    }
    template <typename T> [[nodiscard]] static std::shared_ptr<T> sharedEmpty(Slot<T> slot)
    {
        return std::static_pointer_cast<T>(sharedEmptyEntry(slot.index));
    }

    // Room for every cache until compact(): a contact being filled sets each
    // cache in turn, and most of them end up shared.
    void reserveAll();
    // The array just large enough for the own caches again.
    void compact();

private:
    using Entries = std::array<std::shared_ptr<void>, SlotCount>;
    static constexpr unsigned bit(int index) { return 1u << index; }
    [[nodiscard]] const std::shared_ptr<void> &entry(int index) const
    {
        if (m_own & bit(index))
            return owned()[position(index)];
        return m_empty & bit(index) ? sharedEmptyEntry(index) : none();
    }
    [[nodiscard]] static const std::shared_ptr<void> &none();
    [[nodiscard]] static const std::shared_ptr<void> &sharedEmptyEntry(int index);
    // Whether the one own cache is kept in place rather than in an array.
    [[nodiscard]] bool holdsOne() const { return !m_reserved && std::popcount(unsigned(m_own)) == 1; }
    [[nodiscard]] std::shared_ptr<void> *owned() { return holdsOne() ? &m_storage.one : m_storage.many; }
    [[nodiscard]] const std::shared_ptr<void> *owned() const { return holdsOne() ? &m_storage.one : m_storage.many; }
    // The position of an own cache among the owned ones.
    [[nodiscard]] int position(int index) const { return m_reserved ? index : std::popcount(m_own & (bit(index) - 1)); }
    void store(int index, std::shared_ptr<void> value);
    void dropOwn(int index);
    // Takes the own caches out, by slot, and frees their room.
    [[nodiscard]] Entries takeAll();
    void release();
    // Gives the own caches of the mask their room again.
    void layOut(unsigned own, bool reserved, Entries &entries);
    // Lays the own caches out anew in room for exactly their number, with the
    // value at index among them unless index is -1.
    void rebuild(unsigned own, int index, std::shared_ptr<void> value);

    // A contact with a phone number and nothing else keeps the phone list in
    // place; more own caches go to an array.
    union Storage {
        Storage() { }
        Storage(const Storage &) = delete;
        Storage &operator=(const Storage &) = delete;
        ~Storage() { }
        std::shared_ptr<void> one;
        std::shared_ptr<void> *many = nullptr;
    } m_storage;
    unsigned m_own : SlotCount = 0;
    unsigned m_empty : SlotCount = 0;
    unsigned m_reserved : 1 = 0; // the array has a place for every slot, by index
};
