#pragma once

#include <QString>

#include <optional>
#include <type_traits>
#include <utility>

// An optional text in the room of the text alone, with the part of
// std::optional's interface the records use: a labeled value's label, which
// every value of a large import holds, is absent, null, empty or a text, and
// the four must stay apart. Absent is kept as an empty text over a character
// of this class that nothing else points at, so it costs no flag beside the
// text; null and empty are the text's own.
class OptionalText {
public:
    OptionalText() noexcept
        : m_text(absentText())
    {
    }
    OptionalText(std::nullopt_t) noexcept
        : OptionalText()
    {
    }
    OptionalText(const QString &text)
        : m_text(text)
    {
    }
    OptionalText(QString &&text) noexcept
        : m_text(std::move(text))
    {
    }
    OptionalText(const std::optional<QString> &text)
        : m_text(text ? *text : absentText())
    {
    }
    // Any other value a text is made from, such as a literal.
    template <typename U>
    requires(
        std::is_constructible_v<QString,
            U &&> && !std::is_same_v<std::remove_cvref_t<U>, QString> && !std::is_same_v<std::remove_cvref_t<U>, OptionalText>)
        OptionalText(U &&text)
        : m_text(std::forward<U>(text))
    {
    }

    [[nodiscard]] bool has_value() const noexcept { return !isAbsent(); }
    explicit operator bool() const noexcept { return has_value(); }
    // As with std::optional, only for a text that is there; writing through
    // the reference makes it there.
    [[nodiscard]] const QString &operator*() const noexcept { return m_text; }
    [[nodiscard]] QString &operator*() noexcept { return m_text; }
    [[nodiscard]] const QString *operator->() const noexcept { return &m_text; }
    [[nodiscard]] QString *operator->() noexcept { return &m_text; }
    [[nodiscard]] QString value_or(const QString &fallback) const { return isAbsent() ? fallback : m_text; }
    void reset() noexcept { m_text = absentText(); }
    operator std::optional<QString>() const { return isAbsent() ? std::nullopt : std::optional<QString>(m_text); }

    friend bool operator==(const OptionalText &a, const OptionalText &b)
    {
        return a.isAbsent() == b.isAbsent() && (a.isAbsent() || a.m_text == b.m_text);
    }
    friend bool operator==(const OptionalText &a, const QString &b) { return !a.isAbsent() && a.m_text == b; }
    friend bool operator==(const OptionalText &a, std::nullopt_t) noexcept { return a.isAbsent(); }
    friend bool operator==(const OptionalText &a, const std::optional<QString> &b)
    {
        return b ? a == *b : a.isAbsent();
    }

private:
    static const char16_t absentMark;
    [[nodiscard]] static QString absentText() noexcept
    {
        return QString(QString::DataPointer::fromRawData(const_cast<char16_t *>(&absentMark), 0));
    }
    [[nodiscard]] bool isAbsent() const noexcept { return m_text.data_ptr().data() == &absentMark; }

    QString m_text;
};
