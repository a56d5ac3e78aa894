#pragma once

#include <QByteArrayView>
#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <array>
#include <compare>
#include <iosfwd>

// A contact's identity text, held in the room of two words but without a
// heap block when the text is a UUID as the store writes it (8-4-4-4-12 hex
// digits, all of one letter case, of a version from 1 to 7): a million
// contacts read from a file then hold their identifiers in place instead of a
// million 36-character strings. Any other text (a group's name key, the
// name-and-date identity of a record that had none, a UUID in mixed case or
// of another version) is kept as given on the heap, so the text reads back
// exactly, null and empty included.
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

    [[nodiscard]] bool isNull() const noexcept { return m_high == 0 && m_low == Null; }
    [[nodiscard]] bool isEmpty() const noexcept { return m_high == 0 && m_low <= Empty; }

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
    // What m_low holds for a text that is no UUID (m_high is 0 then), when it
    // is no heap text.
    enum Tag : quint64 { Null = 0, Empty = 1 };
    // A UUID's version digit sits here in m_high. It keeps the version in its
    // low three bits and the letter case in its top bit, so that 0 there
    // tells every other text apart: a version 4 UUID, which the store makes,
    // spends no bits that the text needs.
    static constexpr int versionShift = 12;
    static constexpr quint64 versionMask = quint64(0xF) << versionShift;
    static constexpr quint64 upperCaseBit = quint64(0x8) << versionShift;

    [[nodiscard]] bool isUuid() const noexcept { return (m_high & versionMask) != 0; }
    [[nodiscard]] bool isUpperUuid() const noexcept { return (m_high & upperCaseBit) != 0; }
    [[nodiscard]] const QString *heapText() const noexcept
    {
        return m_high == 0 && m_low > Empty ? reinterpret_cast<const QString *>(quintptr(m_low)) : nullptr;
    }
    // Whether a UUID of these first 64 bits is held in place.
    [[nodiscard]] static bool holdsInPlace(quint64 high) noexcept;
    void takeInPlace(quint64 high, quint64 low, bool upper) noexcept;
    void writeUuid(char16_t *out) const noexcept;
    template <typename Text> void take(Text &&text);
    void swap(UniqueId &other) noexcept;

    // The UUID's 128 bits, first digit highest, the version digit marked as
    // above; for another text 0 and a Tag or the address of the owned QString.
    quint64 m_high = 0;
    quint64 m_low = Null;
};

static_assert(sizeof(UniqueId) == 2 * sizeof(quint64));
