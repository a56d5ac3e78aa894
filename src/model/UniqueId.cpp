#include "model/UniqueId.h"

#include <optional>
#include <ostream>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr bool isDashPosition(qsizetype index)
{
    return index == 8 || index == 13 || index == 18 || index == 23;
}

struct ParsedUuid {
    quint64 high = 0;
    quint64 low = 0;
    bool upper = false;
};

// A text without letters (all digits) reads as lower case: it is the same
// text in either case, and one form keeps equal texts equal in their bits.
std::optional<ParsedUuid> parseUuid(QStringView text)
{
    if (text.size() != UniqueId::UuidLength)
        return std::nullopt;
    ParsedUuid parsed;
    bool lower = false;
    int digits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isDashPosition(i)) {
            if (c != u'-')
                return std::nullopt;
            continue;
        }
        quint64 value = 0;
        if (c >= u'0' && c <= u'9') {
            value = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            value = c - u'a' + 10;
            lower = true;
        } else if (c >= u'A' && c <= u'F') {
            value = c - u'A' + 10;
            parsed.upper = true;
        } else {
            return std::nullopt;
        }
        quint64 &half = digits < 16 ? parsed.high : parsed.low;
        half = half << 4 | value;
        ++digits;
    }
    if (lower && parsed.upper)
        return std::nullopt;
    return parsed;
}

} // namespace

UniqueId::UniqueId(const QString &text)
    : UniqueId(QString(text))
{
}

UniqueId::UniqueId(QString &&text)
{
    if (text.isNull())
        return;
    if (text.isEmpty()) {
        m_word = Empty;
    } else if (const std::optional<ParsedUuid> uuid = parseUuid(text)) {
        m_high = uuid->high;
        m_low = uuid->low;
        m_word = uuid->upper ? UpperUuid : LowerUuid;
    } else {
        m_word = reinterpret_cast<quintptr>(new QString(std::move(text)));
    }
}

UniqueId::UniqueId(const UniqueId &other)
    : m_high(other.m_high)
    , m_low(other.m_low)
    , m_word(other.m_word)
{
    if (const QString *text = other.heapText())
        m_word = reinterpret_cast<quintptr>(new QString(*text));
}

UniqueId::UniqueId(UniqueId &&other) noexcept
    : m_high(other.m_high)
    , m_low(other.m_low)
    , m_word(std::exchange(other.m_word, Null))
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
    std::swap(m_word, other.m_word);
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
    const char16_t *const hex = m_word == UpperUuid ? u"0123456789ABCDEF" : u"0123456789abcdef";
    int digits = 0;
    for (qsizetype i = 0; i < UuidLength; ++i) {
        if (isDashPosition(i)) {
            out[i] = u'-';
            continue;
        }
        const quint64 half = digits < 16 ? m_high : m_low;
        out[i] = hex[half >> (60 - 4 * (digits % 16)) & 0xF];
        ++digits;
    }
}

bool operator==(const UniqueId &a, const UniqueId &b) noexcept
{
    // A heap text is never a UUID of one case, so the forms tell unequal
    // texts apart before any text is looked at.
    if (a.isUuid() || b.isUuid())
        return a.m_word == b.m_word && a.m_high == b.m_high && a.m_low == b.m_low;
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

size_t qHash(const UniqueId &id, size_t seed) noexcept
{
    if (id.isUuid())
        return qHashMulti(seed, id.m_high, id.m_low, id.m_word);
    if (const QString *text = id.heapText())
        return qHash(*text, seed);
    return qHash(QStringView(), seed);
}

std::ostream &operator<<(std::ostream &out, const UniqueId &id)
{
    return id.withText(
        [&out](QStringView text) -> std::ostream & { return out << '"' << text.toUtf8().toStdString() << '"'; });
}
