#pragma once

#include <QByteArrayView>
#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <array>
#include <compare>
#include <iosfwd>

// A contact's identity text, held in the room of a QString but without its
// heap block when the text is a UUID as the store writes it (8-4-4-4-12 hex
// digits, all of one letter case): a million contacts read from a file then
// hold their identifiers in place instead of a million 36-character strings.
// Any other text (a group's name key, the name-and-date identity of a record
// that had none, a UUID in mixed case) is kept as given on the heap, so the
// text reads back exactly, null and empty included.
//
// Comparing with another identity or with a text, and hashing, make no text.
class UniqueId {
public:
    static constexpr qsizetype UuidLength = 36;

    UniqueId() noexcept = default;
    UniqueId(const QString &text);
    UniqueId(QString &&text);
    UniqueId(const UniqueId &other);
    UniqueId(UniqueId &&other) noexcept;
    UniqueId &operator=(const UniqueId &other);
    UniqueId &operator=(UniqueId &&other) noexcept;
    ~UniqueId();

    // The identity of a UTF-8 text, a UUID read without making a QString:
    // a group's 50,000 members come from the store as bytes.
    [[nodiscard]] static UniqueId fromUtf8(QByteArrayView text);

    [[nodiscard]] QString toString() const;
    operator QString() const { return toString(); }

    [[nodiscard]] bool isNull() const noexcept { return m_word == Null; }
    [[nodiscard]] bool isEmpty() const noexcept { return m_word == Null || m_word == Empty; }

    // Hands the text to `use` as a view that lives only for the call; a UUID
    // is written out on the stack.
    template <typename Use> decltype(auto) withText(Use &&use) const
    {
        if (const QString *text = heapText())
            return use(QStringView(*text));
        if (!isUuid())
            return use(isNull() ? QStringView() : QStringView(u"", 0));
        std::array<char16_t, UuidLength> buffer{};
        writeUuid(buffer.data());
        return use(QStringView(buffer.data(), UuidLength));
    }

    friend bool operator==(const UniqueId &a, const UniqueId &b) noexcept;
    friend bool operator==(const UniqueId &a, QStringView b) noexcept;
    friend bool operator==(const UniqueId &a, const QString &b) noexcept { return a == QStringView(b); }
    // The order of the two texts as QString orders them (by UTF-16 code
    // unit), reached without writing a UUID out when both share a case.
    friend std::strong_ordering compareAsText(const UniqueId &a, const UniqueId &b) noexcept;
    friend size_t qHash(const UniqueId &id, size_t seed) noexcept;
    friend std::ostream &operator<<(std::ostream &out, const UniqueId &id);

private:
    // What m_word holds when it is no heap text.
    enum Tag : quintptr { Null = 0, Empty = 1, LowerUuid = 2, UpperUuid = 3 };

    [[nodiscard]] bool isUuid() const noexcept { return m_word == LowerUuid || m_word == UpperUuid; }
    [[nodiscard]] const QString *heapText() const noexcept
    {
        return m_word > UpperUuid ? reinterpret_cast<const QString *>(m_word) : nullptr;
    }
    void writeUuid(char16_t *out) const noexcept;
    void swap(UniqueId &other) noexcept;

    // The UUID's 128 bits, first digit highest; unused for other texts.
    quint64 m_high = 0;
    quint64 m_low = 0;
    // A Tag, or the address of the owned QString of any other text.
    quintptr m_word = Null;
};

static_assert(sizeof(UniqueId) == sizeof(QString));
