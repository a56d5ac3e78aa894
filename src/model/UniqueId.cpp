#include "model/UniqueId.h"

#include <algorithm>
#include <type_traits>
#include <optional>
#include <ostream>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::array<qsizetype, 4> dashPositions{8, 13, 18, 23};

// Where each of the 32 digits stands in the text, skipping the dashes.
constexpr std::array<quint8, 32> digitPositions = [] {
    std::array<quint8, 32> positions{};
    quint8 at = 0;
    for (quint8 &position : positions) {
        if (std::find(dashPositions.begin(), dashPositions.end(), at) != dashPositions.end())
            ++at;
        position = at++;
    }
    return positions;
}();

// An ASCII character's digit value, with a mark for a letter of either case
// or for no hex digit at all: a file of a million contacts reads a million
// identifiers, which a branch per character slowed down measurably.
constexpr quint8 lowerMark = 0x10;
constexpr quint8 upperMark = 0x20;
constexpr quint8 notHexMark = 0x40;
constexpr std::array<quint8, 128> hexDigits = [] {
    std::array<quint8, 128> table{};
    table.fill(notHexMark);
    for (int digit = 0; digit < 10; ++digit)
        table['0' + digit] = quint8(digit);
    for (int letter = 0; letter < 6; ++letter) {
        table['a' + letter] = quint8((10 + letter) | lowerMark);
        table['A' + letter] = quint8((10 + letter) | upperMark);
    }
    return table;
}();

struct ParsedUuid {
    quint64 high = 0;
    quint64 low = 0;
    bool upper = false;
};

// A text without letters (all digits) reads as lower case: it is the same
// text in either case, and one form keeps equal texts equal in their bits.
// The characters are UTF-16 units or UTF-8 bytes: a UUID is ASCII in both.
template <typename Unit> std::optional<ParsedUuid> parseUuid(const Unit *characters, qsizetype size)
{
    using Unsigned = std::make_unsigned_t<Unit>;
    if (size != UniqueId::UuidLength)
        return std::nullopt;
    for (const qsizetype position : dashPositions) {
        if (characters[position] != Unit('-'))
            return std::nullopt;
    }
    quint8 marks = 0;
    std::array<quint64, 2> halves{};
    for (std::size_t digit = 0; digit < digitPositions.size(); ++digit) {
        const auto c = Unsigned(characters[digitPositions[digit]]);
        const quint8 entry = c < hexDigits.size() ? hexDigits[c] : notHexMark;
        marks |= entry;
        halves[digit / 16] = halves[digit / 16] << 4 | (entry & 0xF);
    }
    if ((marks & notHexMark) || (marks & (lowerMark | upperMark)) == (lowerMark | upperMark))
        return std::nullopt;
    return ParsedUuid{halves[0], halves[1], (marks & upperMark) != 0};
}

std::optional<ParsedUuid> parseUuid(QStringView text)
{
    return parseUuid(text.utf16(), text.size());
}

} // namespace

// Versions 1 to 7 leave the top bit of their digit free for the case.
bool UniqueId::holdsInPlace(quint64 high) noexcept
{
    const quint64 version = high & versionMask;
    return version != 0 && (version & upperCaseBit) == 0;
}

void UniqueId::takeInPlace(quint64 high, quint64 low, bool upper) noexcept
{
    m_high = high | (upper ? upperCaseBit : 0);
    m_low = low;
}

// A UUID is read out of the text where it lies; only another text is kept,
// copied or moved as given: every contact read passes its identifier here.
template <typename Text> void UniqueId::take(Text &&text)
{
    if (text.isNull())
        return;
    if (text.isEmpty()) {
        m_low = Empty;
    } else if (const std::optional<ParsedUuid> uuid = parseUuid(text); uuid && holdsInPlace(uuid->high)) {
        takeInPlace(uuid->high, uuid->low, uuid->upper);
    } else {
        m_low = reinterpret_cast<quintptr>(new QString(std::forward<Text>(text)));
    }
}

UniqueId::UniqueId(const QString &text)
{
    take(text);
}

UniqueId::UniqueId(QString &&text)
{
    take(std::move(text));
}

UniqueId UniqueId::fromUtf8(QByteArrayView text)
{
    const std::optional<ParsedUuid> uuid = parseUuid(text.data(), text.size());
    if (!uuid || !holdsInPlace(uuid->high))
        return UniqueId(QString::fromUtf8(text));
    UniqueId identity;
    identity.takeInPlace(uuid->high, uuid->low, uuid->upper);
    return identity;
}

UniqueId::UniqueId(const UniqueId &other)
    : m_high(other.m_high)
    , m_low(other.m_low)
{
    if (const QString *text = other.heapText())
        m_low = reinterpret_cast<quintptr>(new QString(*text));
}

UniqueId::UniqueId(UniqueId &&other) noexcept
    : m_high(std::exchange(other.m_high, 0))
    , m_low(std::exchange(other.m_low, Null))
{
}

UniqueId &UniqueId::operator=(const UniqueId &other)
{
    UniqueId copy(other);
    swap(copy);
    return *this;
}

UniqueId &UniqueId::operator=(UniqueId &&other) noexcept
{
    UniqueId taken(std::move(other));
    swap(taken);
    return *this;
}

UniqueId::~UniqueId()
{
    delete heapText();
}

void UniqueId::swap(UniqueId &other) noexcept
{
    std::swap(m_high, other.m_high);
    std::swap(m_low, other.m_low);
}

QString UniqueId::toString() const
{
    if (const QString *text = heapText())
        return *text;
    if (!isUuid())
        return isNull() ? QString() : u""_s;
    QString text(UuidLength, Qt::Uninitialized);
    writeUuid(reinterpret_cast<char16_t *>(text.data()));
    return text;
}

void UniqueId::writeUuid(char16_t *out) const noexcept
{
    const char16_t *const hex = isUpperUuid() ? u"0123456789ABCDEF" : u"0123456789abcdef";
    const quint64 high = m_high & ~upperCaseBit;
    for (const qsizetype position : dashPositions)
        out[position] = u'-';
    for (std::size_t digit = 0; digit < digitPositions.size(); ++digit) {
        const quint64 half = digit < 16 ? high : m_low;
        out[digitPositions[digit]] = hex[half >> (60 - 4 * (digit % 16)) & 0xF];
    }
}

bool operator==(const UniqueId &a, const UniqueId &b) noexcept
{
    // A heap text is never a UUID that could be held in place, so the forms
    // tell unequal texts apart before any text is looked at.
    if (a.isUuid() || b.isUuid())
        return a.m_high == b.m_high && a.m_low == b.m_low;
    const QString *textA = a.heapText();
    const QString *textB = b.heapText();
    if (textA && textB)
        return *textA == *textB;
    return !textA && !textB; // null and empty, equal as for QString
}

bool operator==(const UniqueId &a, QStringView b) noexcept
{
    if (a.isUuid() && b.size() != UniqueId::UuidLength)
        return false;
    return a.withText([b](QStringView text) { return text == b; });
}

std::strong_ordering compareAsText(const UniqueId &a, const UniqueId &b) noexcept
{
    // Hex digits of one case sort as their values do, so the bits order the
    // texts as the text would.
    if (a.isUuid() && b.isUuid() && a.isUpperUuid() == b.isUpperUuid()) {
        if (a.m_high != b.m_high)
            return a.m_high <=> b.m_high;
        return a.m_low <=> b.m_low;
    }
    return a.withText([&b](QStringView first) {
        return b.withText([first](QStringView second) { return first.compare(second) <=> 0; });
    });
}

size_t qHash(const UniqueId &id, size_t seed) noexcept
{
    if (id.isUuid())
        return qHashMulti(seed, id.m_high, id.m_low);
    if (const QString *text = id.heapText())
        return qHash(*text, seed);
    return qHash(QStringView(), seed);
}

std::ostream &operator<<(std::ostream &out, const UniqueId &id)
{
    return id.withText(
        [&out](QStringView text) -> std::ostream & { return out << '"' << text.toUtf8().toStdString() << '"'; });
}
