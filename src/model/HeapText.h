#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <type_traits>

// A text (a QString or a QByteArray) kept on the heap, for the members of
// records that most records leave null: a null text costs one pointer instead
// of the room of the text. It reads as a const text (null when never set, so
// the difference between null and empty stays) and takes any text; copies are
// deep, as for a text member. A postcard layout's frames, which most
// addresses leave unset, are texts of this kind.
template <typename Text> class HeapText {
public:
    HeapText() = default;
    explicit HeapText(const Text &text) { assign(text); }
    HeapText(const HeapText &other) { assign(other.text()); }
    HeapText(HeapText &&) noexcept = default;
    ~HeapText() = default;

    HeapText &operator=(const HeapText &other)
    {
        if (this != &other)
            assign(other.text());
        return *this;
    }
    HeapText &operator=(HeapText &&) noexcept = default;
    HeapText &operator=(const Text &text)
    {
        assign(text);
        return *this;
    }

    [[nodiscard]] const Text &text() const { return m_text ? *m_text : nullText(); }
    operator const Text &() const { return text(); }
    operator QStringView() const requires std::is_same_v<Text, QString> { return text(); }

    [[nodiscard]] bool isNull() const { return !m_text; }
    [[nodiscard]] bool isEmpty() const { return !m_text || m_text->isEmpty(); }
    [[nodiscard]] qsizetype size() const { return m_text ? m_text->size() : 0; }
    void clear() { m_text.reset(); }

    friend bool operator==(const HeapText &a, const HeapText &b) { return a.text() == b.text(); }
    friend bool operator==(const HeapText &a, const Text &b) { return a.text() == b; }
    // Named here, so that a literal does not find the text's own == as well.
    friend bool operator==(const HeapText &a, const char *b) { return a.text() == b; }

private:
    static const Text &nullText()
    {
        static const Text null;
        return null;
    }
    void assign(const Text &text)
    {
        if (text.isNull())
            m_text.reset();
        else if (m_text)
            *m_text = text;
        else
            m_text = std::make_unique<Text>(text);
    }

    std::unique_ptr<Text> m_text;
};

using HeapString = HeapText<QString>;

inline bool operator==(const HeapString &a, QStringView b)
{
    return a.text() == b;
}
