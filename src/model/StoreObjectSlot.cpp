#include "model/StoreObjectSlot.h"

// Every object is allocated by new, aligned past the kind's three bits.
static_assert(__STDCPP_DEFAULT_NEW_ALIGNMENT__ >= 8);

template <typename Use> void StoreObjectSlot::withObject(quintptr word, Use &&use)
{
    void *object = reinterpret_cast<void *>(word & ~kindBits);
    const quintptr kind = word & kindBits;
    [&]<typename... T>(Kinds<T...>) { ((kind == kindOf<T>() ? use(static_cast<T *>(object)) : void()), ...); }(
        AllKinds{});
}

StoreObjectSlot::StoreObjectSlot(const StoreObjectSlot &other)
    : m_word(copyOf(other.m_word))
{
}

StoreObjectSlot &StoreObjectSlot::operator=(const StoreObjectSlot &other)
{
    if (this != &other) {
        const quintptr copy = copyOf(other.m_word);
        reset();
        m_word = copy;
    }
    return *this;
}

StoreObjectSlot &StoreObjectSlot::operator=(StoreObjectSlot &&other) noexcept
{
    if (this != &other) {
        reset();
        m_word = std::exchange(other.m_word, 0);
    }
    return *this;
}

void StoreObjectSlot::reset() noexcept
{
    withObject(m_word, [](auto *object) { delete object; });
    m_word = 0;
}

quintptr StoreObjectSlot::copyOf(quintptr word)
{
    quintptr copy = 0;
    withObject(word, [&copy, word](auto *object) {
        using T = std::remove_pointer_t<decltype(object)>;
        copy = (object ? reinterpret_cast<quintptr>(new T(*object)) : 0) | (word & kindBits);
    });
    return copy;
}

bool operator==(const StoreObjectSlot &a, const StoreObjectSlot &b)
{
    if (a.kind() != b.kind())
        return false;
    bool same = true;
    StoreObjectSlot::withObject(a.m_word, [&same, &a, &b](auto *object) {
        using T = std::remove_pointer_t<decltype(object)>;
        same = *a.get<T>() == *b.get<T>();
    });
    return same;
}
