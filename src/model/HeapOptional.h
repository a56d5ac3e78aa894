#pragma once

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

template <typename T> class HeapOptional;

// Whether U is T or one of the optional forms of T.
template <typename U, typename T>
constexpr bool isOptionalForm = std::disjunction_v<std::is_same<U, T>, std::is_same<U, HeapOptional<T>>,
    std::is_same<U, std::optional<T>>, std::is_same<U, std::nullopt_t>>;

// Any other value a T is made from, such as a literal for a text.
template <typename U, typename T>
concept OtherValueOf = std::is_constructible_v<T, U &&> && !isOptionalForm<std::remove_cvref_t<U>, T>;

// An optional value kept on the heap, with the part of std::optional's
// interface the records use: an absent value costs one pointer instead of
// the room of the whole value. For the rarely set members of records that an
// import makes by the hundred thousand (a store contact is 672 bytes, a postal
// address 192). Copies are deep, as with std::optional.
template <typename T> class HeapOptional {
public:
    HeapOptional() = default;
    HeapOptional(std::nullopt_t) { }
    HeapOptional(const T &value)
        : m_value(std::make_unique<T>(value))
    {
    }
    HeapOptional(T &&value)
        : m_value(std::make_unique<T>(std::move(value)))
    {
    }
    HeapOptional(const std::optional<T> &value)
        : m_value(value ? std::make_unique<T>(*value) : nullptr)
    {
    }
    HeapOptional(const HeapOptional &other)
        : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr)
    {
    }
    HeapOptional(HeapOptional &&) noexcept = default;
    ~HeapOptional() = default;

    HeapOptional &operator=(const HeapOptional &other)
    {
        if (this != &other)
            assign(other.m_value.get());
        return *this;
    }
    HeapOptional &operator=(HeapOptional &&) noexcept = default;
    HeapOptional &operator=(const T &value)
    {
        assign(&value);
        return *this;
    }
    HeapOptional &operator=(T &&value)
    {
        if (m_value)
            *m_value = std::move(value);
        else
            m_value = std::make_unique<T>(std::move(value));
        return *this;
    }
    // As std::optional takes it.
    template <OtherValueOf<T> U> HeapOptional &operator=(U &&value) { return *this = T(std::forward<U>(value)); }
    HeapOptional &operator=(const std::optional<T> &value)
    {
        assign(value ? &*value : nullptr);
        return *this;
    }
    HeapOptional &operator=(std::nullopt_t)
    {
        m_value.reset();
        return *this;
    }

    [[nodiscard]] bool has_value() const { return m_value != nullptr; }
    explicit operator bool() const { return has_value(); }
    [[nodiscard]] const T &operator*() const { return *m_value; }
    [[nodiscard]] T &operator*() { return *m_value; }
    [[nodiscard]] const T *operator->() const { return m_value.get(); }
    [[nodiscard]] T *operator->() { return m_value.get(); }
    [[nodiscard]] T value_or(const T &fallback) const { return m_value ? *m_value : fallback; }
    void reset() { m_value.reset(); }
    // For code written against std::optional.
    operator std::optional<T>() const { return m_value ? std::optional<T>(*m_value) : std::nullopt; }

    friend bool operator==(const HeapOptional &a, const HeapOptional &b)
    {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }

private:
    void assign(const T *value)
    {
        if (!value)
            m_value.reset();
        else if (m_value)
            *m_value = *value;
        else
            m_value = std::make_unique<T>(*value);
    }

    std::unique_ptr<T> m_value;
};
