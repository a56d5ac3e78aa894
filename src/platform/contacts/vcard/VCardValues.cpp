#include "platform/contacts/vcard/VCardValues_p.h"

#include "platform/RecentStrings.h"
#include "platform/contacts/vcard/VCardDecoding_p.h"
#include "platform/contacts/vcard/VCardLine_p.h"

#include <array>
#include <charconv>
#include <iterator>

namespace {

// The number made of exactly `count` ASCII digits at `from`, or -1.
int digitsAt(QStringView text, qsizetype from, qsizetype count)
{
    if (from < 0 || from + count > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// "--0415", "--04-15", "--04" and "---15": the 4.0 forms without a year.
std::optional<StoreDateComponents> parseYearless(QStringView text)
{
    StoreDateComponents date;
    if (text.startsWith(u"---")) {
        date.day = digitsAt(text, 3, 2);
        return text.size() == 5 && *date.day > 0 ? std::optional(date) : std::nullopt;
    }
    date.month = digitsAt(text, 2, 2);
    if (text.size() == 4)
        return date;
    const qsizetype dayAt = text.size() == 7 && text.at(4) == u'-' ? 5 : 4;
    if (text.size() != dayAt + 2)
        return std::nullopt;
    date.day = digitsAt(text, dayAt, 2);
    return date;
}

std::optional<StoreDateComponents> parseWithYear(QStringView text)
{
    StoreDateComponents date;
    date.year = digitsAt(text, 0, 4);
    if (text.size() == 4)
        return date;
    const bool dashed = text.size() > 4 && text.at(4) == u'-';
    const qsizetype monthAt = dashed ? 5 : 4;
    date.month = digitsAt(text, monthAt, 2);
    if (text.size() == monthAt + 2 && dashed)
        return date; // "1980-03"
    const qsizetype dayAt = dashed ? 8 : 6;
    if (text.size() != dayAt + 2 || (dashed && text.at(7) != u'-'))
        return std::nullopt;
    date.day = digitsAt(text, dayAt, 2);
    return date;
}

bool isPlausible(const StoreDateComponents &date)
{
    if ((date.year && *date.year < 0) || (date.month && (*date.month < 1 || *date.month > 12))
        || (date.day && (*date.day < 1 || *date.day > 31)))
        return false;
    if (date.year && date.month && date.day)
        return date.date().isValid();
    return !date.isEmpty();
}

} // namespace

namespace {

// Outlook's QUOTED-PRINTABLE notes carry "=0D=0A": one line end, like every
// other line end in the store.
QString withLineFeeds(QString text)
{
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

} // namespace

VCardValues::VCardValues(const VCardLine &line)
    : m_line(line)
    , m_text(line.value)
{
    QStringView charset = line.parameter(u"CHARSET");
    if (charset.isEmpty())
        charset = line.fallbackCharset;
    switch (VCardDecoding::encodingOf(line)) {
    case VCardDecoding::Encoding::QuotedPrintable:
        m_storage = withLineFeeds(VCardDecoding::decodeQuotedPrintableText(line.value, charset));
        m_text = m_storage;
        break;
    case VCardDecoding::Encoding::Base64:
        // Text in BASE64 (3.0 "ENCODING=b" on a text property); a photo asks
        // for binary() instead, and this text is then never read.
        if (const std::optional<QByteArray> bytes = VCardDecoding::decodeBase64(line.value)) {
            m_storage = withLineFeeds(VCardDecoding::decodeBytes(*bytes, charset));
            m_text = m_storage;
        } else {
            m_valid = false;
            m_text = QStringView();
        }
        break;
    case VCardDecoding::Encoding::None:
        break;
    }
}

const VCardEscaping::Components &VCardValues::components() const
{
    if (!m_split) {
        VCardEscaping::split(m_text, u';', m_components);
        m_split = true;
    }
    return m_components;
}

qsizetype VCardValues::componentCount() const
{
    return components().size();
}

QString VCardValues::component(qsizetype index) const
{
    const VCardEscaping::Components &parts = components();
    if (index >= parts.size())
        return {};
    return unescaped(parts.at(index).trimmed());
}

QString VCardValues::unescaped(QStringView escaped)
{
    // Escaped text is not shared: its characters are not those of the value.
    if (escaped.size() > RecentStrings::longestShared || escaped.contains(u'\\'))
        return VCardEscaping::unescape(escaped);
    return RecentStrings::shared(escaped);
}

std::optional<QByteArray> VCardValues::binary() const
{
    if (VCardDecoding::encodingOf(m_line) == VCardDecoding::Encoding::Base64)
        return VCardDecoding::decodeBase64(m_line.value);
    // vCard 4.0: "PHOTO:data:image/jpeg;base64,/9j/…"
    const QStringView value = m_line.value.trimmed();
    const qsizetype marker = value.indexOf(u";base64,", 0, Qt::CaseInsensitive);
    if (value.startsWith(u"data:", Qt::CaseInsensitive) && marker > 0)
        return VCardDecoding::decodeBase64(value.sliced(marker + 8));
    return std::nullopt;
}

std::optional<StoreDateComponents> VCardValues::parseDate(QStringView text, QStringView omittedYear)
{
    text = text.trimmed();
    const qsizetype time = text.indexOf(u'T');
    if (time > 0)
        text = text.first(time);
    std::optional<StoreDateComponents> date = text.startsWith(u"--") ? parseYearless(text) : parseWithYear(text);
    if (!date)
        return std::nullopt;
    const auto invalid = [](const std::optional<int> &part) { return part && *part < 0; };
    if (invalid(date->year) || invalid(date->month) || invalid(date->day))
        return std::nullopt;
    if (date->year && !omittedYear.isEmpty() && omittedYear.toInt() == *date->year)
        date->year.reset();
    if (!isPlausible(*date))
        return std::nullopt;
    return date;
}

namespace {

// What printf's "%0*d" writes, without its set-up for every number.
void appendPadded(std::string &out, int value, int width)
{
    char digits[16];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value);
    Q_UNUSED(error);
    const bool negative = value < 0;
    const char *first = digits + (negative ? 1 : 0);
    if (negative)
        out.push_back('-');
    for (auto length = end - first + (negative ? 1 : 0); length < width; ++length)
        out.push_back('0');
    out.append(first, std::size_t(end - first));
}

} // namespace

std::string VCardValues::formatDate(const StoreDateComponents &date, bool *omittedYear)
{
    std::string text;
    *omittedYear = false;
    if (date.month && date.day) {
        *omittedYear = !date.year;
        appendPadded(text, date.year.value_or(1604), 4);
        text.push_back('-');
        appendPadded(text, *date.month, 2);
        text.push_back('-');
        appendPadded(text, *date.day, 2);
    } else if (date.year && date.month) {
        appendPadded(text, *date.year, 4);
        text.push_back('-');
        appendPadded(text, *date.month, 2);
    } else if (date.year) {
        appendPadded(text, *date.year, 4);
    } else if (date.month) {
        text.append("--");
        appendPadded(text, *date.month, 2);
    } else if (date.day) {
        text.append("---");
        appendPadded(text, *date.day, 2);
    }
    return text;
}
