#pragma once

#include <QString>

#include <optional>
#include <type_traits>
#include <utility>

// An optional text in one pointer, for the string fields every contact of a
// large import holds: most of them are present but null or empty, and a text
// of their own on the heap for each was a sixth of what a read store contact
// kept. Absent is the null pointer, a null or an empty text points at one
// shared text of that kind, and only a text with characters is owned.
// Absent, null, empty and text stay apart; copies are deep, as for a text.
class HeapOptionalText {
public:
    HeapOptionalText() noexcept = default;
    HeapOptionalText(std::nullopt_t) noexcept { }
    HeapOptionalText(const QString &text)
        : m_text(held(text))
    {
    }
    HeapOptionalText(QString &&text)
        : m_text(held(std::move(text)))
    {
    }
    HeapOptionalText(const std::optional<QString> &text)
        : m_text(text ? held(*text) : nullptr)
    {
    }
    // Any other value a text is made from, such as a literal.
    template <typename U>
    requires(
        std::is_constructible_v<QString,
            U &&> && !std::is_same_v<std::remove_cvref_t<U>, QString> && !std::is_same_v<std::remove_cvref_t<U>, HeapOptionalText>)
        HeapOptionalText(U &&text)
        : m_text(held(QString(std::forward<U>(text))))
    {
    }
    HeapOptionalText(const HeapOptionalText &other)
        : m_text(other.owns() ? new QString(*other.m_text) : other.m_text)
    {
    }
    HeapOptionalText(HeapOptionalText &&other) noexcept
        : m_text(std::exchange(other.m_text, nullptr))
    {
    }
    ~HeapOptionalText() { release(); }

    HeapOptionalText &operator=(const HeapOptionalText &other)
    {
        if (this != &other)
            *this = HeapOptionalText(other);
        return *this;
    }
    HeapOptionalText &operator=(HeapOptionalText &&other) noexcept
    {
        if (this != &other) {
            release();
            m_text = std::exchange(other.m_text, nullptr);
        }
        return *this;
    }

    [[nodiscard]] bool has_value() const noexcept { return m_text != nullptr; }
    explicit operator bool() const noexcept { return has_value(); }
    // Only for a text that is there, as with std::optional.
    [[nodiscard]] const QString &operator*() const noexcept { return *m_text; }
    [[nodiscard]] const QString *operator->() const noexcept { return m_text; }
    [[nodiscard]] QString value_or(const QString &fallback) const { return m_text ? *m_text : fallback; }
    void reset() noexcept
    {
        release();
        m_text = nullptr;
    }
    operator std::optional<QString>() const { return m_text ? std::optional<QString>(*m_text) : std::nullopt; }

    friend bool operator==(const HeapOptionalText &a, const HeapOptionalText &b)
    {
        return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
    }

private:
    // The one null and the one empty text every entry of that kind points at.
    [[nodiscard]] static const QString *nullText() noexcept;
    [[nodiscard]] static const QString *emptyText() noexcept;
    template <typename Text> [[nodiscard]] static const QString *held(Text &&text)
    {
        if (text.isNull())
            return nullText();
        if (text.isEmpty())
            return emptyText();
        return new QString(std::forward<Text>(text));
    }
    [[nodiscard]] bool owns() const noexcept { return m_text && m_text != nullText() && m_text != emptyText(); }
    void release() noexcept
    {
        if (owns())
            delete m_text;
    }

    const QString *m_text = nullptr;
};
