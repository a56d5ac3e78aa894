#pragma once

#include "model/StoreAddressExtras.h"
#include "platform/contacts/StoreContactRelation.h"
#include "platform/contacts/StoreInstantMessageAddress.h"
#include "platform/contacts/StoreSocialProfile.h"

#include <QtGlobal>

#include <type_traits>
#include <utility>

// The store's object a labeled value keeps: what an address keeps of the
// store's postal address, a relation, a social profile or an instant-message
// address, or none. A value holds at most the one of its own field, so the
// four share one pointer, whose low bits tell which kind it points at: the
// room of a pointer in every value of a large import, where a variant of four
// took two. Copies are deep. An object with nothing set is held as its kind
// alone, without room of its own: most addresses of a large import keep
// nothing but the fact that they were read from the store.
class StoreObjectSlot {
public:
    StoreObjectSlot() noexcept = default;
    StoreObjectSlot(const StoreObjectSlot &other);
    StoreObjectSlot(StoreObjectSlot &&other) noexcept
        : m_word(std::exchange(other.m_word, 0))
    {
    }
    StoreObjectSlot &operator=(const StoreObjectSlot &other);
    StoreObjectSlot &operator=(StoreObjectSlot &&other) noexcept;
    ~StoreObjectSlot() { reset(); }

    // The object of that kind, or null when the slot holds none or another.
    template <typename T> [[nodiscard]] const T *get() const noexcept
    {
        if (kind() != kindOf<T>())
            return nullptr;
        const void *object = address();
        return object ? static_cast<const T *>(object) : &unset<T>();
    }
    template <typename T> void hold(T object)
    {
        reset();
        m_word = kindOf<T>();
        if (!(object == unset<T>()))
            m_word |= reinterpret_cast<quintptr>(new T(std::move(object)));
    }
    [[nodiscard]] bool isEmpty() const noexcept { return m_word == 0; }
    void reset() noexcept;

    friend bool operator==(const StoreObjectSlot &a, const StoreObjectSlot &b);

private:
    // The kinds in the order of their tags; tag 0 is none.
    template <typename... T> struct Kinds {
    };
    using AllKinds = Kinds<StoreAddressExtras, StoreContactRelation, StoreSocialProfile, StoreInstantMessageAddress>;
    static constexpr quintptr kindBits = 7;

    template <typename T, typename... Others> static constexpr quintptr tagIn(Kinds<Others...>)
    {
        quintptr tag = 0;
        quintptr place = 0;
        ((++place, tag = std::is_same_v<T, Others> ? place : tag), ...);
        return tag;
    }
    template <typename T> static constexpr quintptr kindOf()
    {
        constexpr quintptr tag = tagIn<T>(AllKinds{});
        static_assert(tag != 0, "not a store object of a labeled value");
        return tag;
    }
    // The one object with nothing set that every slot holding such an object
    // of that kind points at.
    template <typename T> static const T &unset() noexcept
    {
        static const T none{};
        return none;
    }
    [[nodiscard]] quintptr kind() const noexcept { return m_word & kindBits; }
    [[nodiscard]] void *address() const noexcept { return reinterpret_cast<void *>(m_word & ~kindBits); }
    // Calls `use` with the word's object as its own type, null for an object
    // held as its kind alone; no call for none.
    template <typename Use> static void withObject(quintptr word, Use &&use);
    // A deep copy of the other's object, tagged.
    [[nodiscard]] static quintptr copyOf(quintptr word);

    quintptr m_word = 0;
};
