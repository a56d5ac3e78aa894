#pragma once

#include <memory>

// A group of a record's fields kept on the heap from its first change, for a
// group that most records leave at its defaults: until then it costs one
// pointer and reads as the defaults. Reaching it through a record that may
// change makes it; copies are deep.
template <typename T> class HeapFields {
public:
    HeapFields() = default;
    HeapFields(const HeapFields &other)
        : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr)
    {
    }
    HeapFields(HeapFields &&) noexcept = default;
    ~HeapFields() = default;

    HeapFields &operator=(const HeapFields &other)
    {
        if (this != &other)
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        return *this;
    }
    HeapFields &operator=(HeapFields &&) noexcept = default;
    HeapFields &operator=(const T &value)
    {
        edit() = value;
        return *this;
    }

    [[nodiscard]] const T &operator*() const { return m_value ? *m_value : defaults(); }
    [[nodiscard]] const T *operator->() const { return &**this; }
    [[nodiscard]] T &operator*() { return edit(); }
    [[nodiscard]] T *operator->() { return &edit(); }
    [[nodiscard]] bool isHeld() const { return m_value != nullptr; }
    // Frees the group: it reads as the defaults again.
    void reset() { m_value.reset(); }
    // Sets one text of the group. A null text reads as null from the defaults
    // already, so it makes no group: a record that is given an absent part
    // stays at one pointer.
    template <typename Text> void setText(Text T::*field, const Text &text)
    {
        if (m_value || !text.isNull())
            edit().*field = text;
    }

    friend bool operator==(const HeapFields &a, const HeapFields &b) { return *a == *b; }

private:
    static const T &defaults()
    {
        static const T fields;
        return fields;
    }
    T &edit()
    {
        if (!m_value)
            m_value = std::make_unique<T>();
        return *m_value;
    }

    std::unique_ptr<T> m_value;
};
