#pragma once

#include "model/TextShare.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <type_traits>
#include <utility>

// An optional text in one word, for the string fields every contact of a
// large import holds: most of them are present but null or empty, and a text
// of their own on the heap for each was a sixth of what a read store contact
// kept. Absent is 0, a null or an empty text points at one shared text of
// that kind, a text read from a file keeps a share of its characters in the
// word itself (TextShare), and only another text is owned on the heap.
// Absent, null, empty and text stay apart; copies are deep, as for a text.
// The text reads as a value: a share has no QString to point at.
class HeapOptionalText {
public:
    HeapOptionalText() noexcept = default;
    HeapOptionalText(std::nullopt_t) noexcept { }
    HeapOptionalText(const QString &text)
        : m_word(held(text))
    {
    }
    HeapOptionalText(QString &&text)
        : m_word(held(std::move(text)))
    {
    }
    HeapOptionalText(const std::optional<QString> &text)
        : m_word(text ? held(*text) : 0)
    {
    }
    // Any other value a text is made from, such as a literal.
    template <typename U>
    requires(
        std::is_constructible_v<QString,
            U &&> && !std::is_same_v<std::remove_cvref_t<U>, QString> && !std::is_same_v<std::remove_cvref_t<U>, HeapOptionalText>)
        HeapOptionalText(U &&text)
        : m_word(held(QString(std::forward<U>(text))))
    {
    }
    HeapOptionalText(const HeapOptionalText &other)
        : m_word(copyOf(other.m_word))
    {
    }
    HeapOptionalText(HeapOptionalText &&other) noexcept
        : m_word(std::exchange(other.m_word, 0))
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
            m_word = std::exchange(other.m_word, 0);
        }
        return *this;
    }

    [[nodiscard]] bool has_value() const noexcept { return m_word != 0; }
    explicit operator bool() const noexcept { return has_value(); }
    // Only for a text that is there, as with std::optional.
    [[nodiscard]] QString operator*() const noexcept { return isShare() ? TextShare::text(share()) : *heldText(); }
    [[nodiscard]] QString value_or(const QString &fallback) const { return m_word ? **this : fallback; }
    void reset() noexcept
    {
        release();
        m_word = 0;
    }
    operator std::optional<QString>() const { return m_word ? std::optional<QString>(**this) : std::nullopt; }

    friend bool operator==(const HeapOptionalText &a, const HeapOptionalText &b)
    {
        if (a.m_word == b.m_word)
            return true;
        return a.has_value() && b.has_value() && a.view() == b.view();
    }

private:
    // Marks a word that holds a TextShare.
    static constexpr quintptr shareBit = 1;

    // The one null and the one empty text every entry of that kind points at;
    // here, so that the reader's seven entries a contact take no calls.
    [[nodiscard]] static const QString *nullText() noexcept
    {
        static const QString null;
        return &null;
    }
    [[nodiscard]] static const QString *emptyText() noexcept
    {
        // Not null: an empty literal, whose characters are static.
        static const QString empty = QStringLiteral("");
        return &empty;
    }
    template <typename Text> [[nodiscard]] static quintptr held(Text &&text)
    {
        if (text.isNull())
            return reinterpret_cast<quintptr>(nullText());
        if (text.isEmpty())
            return reinterpret_cast<quintptr>(emptyText());
        if (const quintptr word = TextShare::share(text))
            return word | shareBit;
        return reinterpret_cast<quintptr>(new QString(std::forward<Text>(text)));
    }
    [[nodiscard]] static quintptr copyOf(quintptr word)
    {
        if ((word & shareBit) != 0)
            return TextShare::copy(word & ~shareBit) | shareBit;
        if (!owns(word))
            return word;
        return reinterpret_cast<quintptr>(new QString(*reinterpret_cast<const QString *>(word)));
    }
    [[nodiscard]] bool isShare() const noexcept { return (m_word & shareBit) != 0; }
    [[nodiscard]] quintptr share() const noexcept { return m_word & ~shareBit; }
    [[nodiscard]] const QString *heldText() const noexcept { return reinterpret_cast<const QString *>(m_word); }
    // The text that is there, without a count taken on it.
    [[nodiscard]] QStringView view() const noexcept
    {
        if (isShare())
            return QStringView(TextShare::characters(share()), TextShare::size(share()));
        return *heldText();
    }
    [[nodiscard]] static bool owns(quintptr word) noexcept
    {
        return word != 0 && word != reinterpret_cast<quintptr>(nullText())
            && word != reinterpret_cast<quintptr>(emptyText());
    }
    void release() noexcept
    {
        if (isShare())
            TextShare::release(share());
        else if (owns(m_word))
            delete heldText();
    }

    quintptr m_word = 0;
};
