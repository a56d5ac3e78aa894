#include "model/HagakiLayoutString.h"

using namespace Qt::StringLiterals;

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

struct FrameEntry {
    QLatin1String key;
    HeapOptional<QRectF> HagakiLayoutFields::*frame;
};

constexpr std::array<FrameEntry, 4> frameEntries{{
    {QLatin1String("ra"), &HagakiLayoutFields::receiverAddress},
    {QLatin1String("rn"), &HagakiLayoutFields::receiverName},
    {QLatin1String("sa"), &HagakiLayoutFields::senderAddress},
    {QLatin1String("sn"), &HagakiLayoutFields::senderName},
}};

// The longest number text a frame is written with. A frame is points on a
// card; a number of more digits has no place in the stored form, and a frame
// holding one is refused on reading rather than written as something else.
constexpr size_t longestNumber = 64;
using NumberText = std::array<char, longestNumber>;

// The number with two decimals in text, how many characters; 0 for a number
// that has no such text (out of range or longer than the stored form takes).
// std::to_chars ignores the C locale, which QCoreApplication sets from the
// environment: printf would write "10,00" under a German or French locale.
size_t twoDecimals(double value, NumberText &text)
{
    if (!std::isfinite(value))
        return 0;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    return result.ec == std::errc() ? size_t(result.ptr - text.data()) : 0;
}

[[nodiscard]] bool isWritable(const QRectF &rect)
{
    // A number below this has at most fifty digits before the point and
    // fits: ordinary frames are let through without being written out.
    constexpr double surelyShort = 1e50;
    if (std::fabs(rect.x()) < surelyShort && std::fabs(rect.y()) < surelyShort && std::fabs(rect.width()) < surelyShort
        && std::fabs(rect.height()) < surelyShort)
        return true;
    NumberText text;
    return twoDecimals(rect.x(), text) > 0 && twoDecimals(rect.y(), text) > 0 && twoDecimals(rect.width(), text) > 0
        && twoDecimals(rect.height(), text) > 0;
}

// "{{x,y},{w,h}}" appended; the caller has checked that the frame is writable.
void appendRect(QString &text, const QRectF &rect)
{
    const std::array<double, 4> values{rect.x(), rect.y(), rect.width(), rect.height()};
    const std::array<QStringView, 4> before{u"{{", u",", u"},{", u","};
    NumberText number;
    for (size_t i = 0; i < values.size(); ++i) {
        text += before[i];
        text += QLatin1StringView(number.data(), qsizetype(twoDecimals(values[i], number)));
    }
    text += u"}}";
}

// The leading integer of a piece, as the flags entry is read: white space
// skipped, an optional sign, then digits up to the first non-digit.
qint64 leadingInteger(QStringView piece)
{
    qsizetype i = 0;
    while (i < piece.size() && piece.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece.at(i) == u'-' || piece.at(i) == u'+')) {
        negative = piece.at(i) == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < piece.size() && piece.at(i) >= u'0' && piece.at(i) <= u'9'; ++i) {
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
            break;
        value = value * 10 + (piece.at(i).unicode() - u'0');
    }
    return negative ? -value : value;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// End of the digits from position on.
qsizetype skipDigits(QStringView text, qsizetype position)
{
    while (position < text.size() && isAsciiDigit(text.at(position)))
        ++position;
    return position;
}

// Length of "inf", "infinity" or "nan" (any case) at the start of text, 0
// when none is there: what a frame holding a number out of range was once
// written as. Read as a number, such a frame is dropped; skipped, it would
// move the frame's other numbers one place.
qsizetype nonFiniteWordLength(QStringView text)
{
    // Each word starts with i or n, and no other character folds to either:
    // every other character, most of all the punctuation of a frame, is
    // passed over at once.
    const char16_t first = text.isEmpty() ? u'\0' : text.front().unicode();
    if (first != u'i' && first != u'I' && first != u'n' && first != u'N')
        return 0;
    for (const QLatin1StringView word : {"infinity"_L1, "inf"_L1, "nan"_L1}) {
        if (text.startsWith(word, Qt::CaseInsensitive))
            return word.size();
    }
    return 0;
}

// Length of the number starting at position, 0 when none starts there. A
// number is an optional sign, digits with an optional point and fraction or
// a point and digits, then an optional exponent with at least one digit; the
// longest such text is taken, as a regular expression would. A sign and a
// word of nonFiniteWordLength() is a number too.
qsizetype numberLength(QStringView text, qsizetype position)
{
    qsizetype end = position;
    if (end < text.size() && (text.at(end) == u'-' || text.at(end) == u'+'))
        ++end;
    if (const qsizetype word = nonFiniteWordLength(text.sliced(end)); word > 0)
        return end + word - position;
    const qsizetype mantissa = end;
    end = skipDigits(text, end);
    if (end > mantissa) {
        if (end < text.size() && text.at(end) == u'.')
            end = skipDigits(text, end + 1);
    } else if (end + 1 < text.size() && text.at(end) == u'.' && isAsciiDigit(text.at(end + 1))) {
        end = skipDigits(text, end + 1);
    } else {
        return 0;
    }
    if (end < text.size() && (text.at(end) == u'e' || text.at(end) == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text.at(exponent) == u'-' || text.at(exponent) == u'+'))
            ++exponent;
        const qsizetype digits = skipDigits(text, exponent);
        if (digits > exponent)
            end = digits;
    }
    return end - position;
}

// The value of a number found by numberLength. std::from_chars reads the
// usual numbers without the locale and without making a string; whatever it
// does not take for a plain, normal double (a leading plus, overflow, values
// too small to be normal) goes to QString's reading, whose answers (infinity,
// zero) the written text has always carried.
double numberValue(QStringView number)
{
    std::array<char, 64> ascii{};
    QStringView digits = number;
    if (digits.startsWith(u'+'))
        digits = digits.sliced(1);
    if (const QStringView word = digits.startsWith(u'-') ? digits.sliced(1) : digits;
        !word.isEmpty() && word.front().isLetter()) {
        const double value = word.front().toLower() == u'n' ? std::numeric_limits<double>::quiet_NaN()
                                                            : std::numeric_limits<double>::infinity();
        return digits.startsWith(u'-') ? -value : value;
    }
    if (digits.size() <= qsizetype(ascii.size())) {
        for (qsizetype i = 0; i < digits.size(); ++i)
            ascii[size_t(i)] = char(digits.at(i).unicode());
        double value = 0;
        const char *end = ascii.data() + digits.size();
        const auto result = std::from_chars(ascii.data(), end, value);
        if (result.ec == std::errc() && result.ptr == end
            && (std::fabs(value) >= std::numeric_limits<double>::min() || value == 0))
            return value;
    }
    return number.toDouble();
}

// The first four numbers of text into values; how many there were.
size_t readNumbers(QStringView text, std::array<double, 4> &values)
{
    size_t found = 0;
    qsizetype position = 0;
    while (found < values.size() && position < text.size()) {
        const qsizetype length = numberLength(text, position);
        if (length == 0) {
            ++position;
            continue;
        }
        values[found++] = numberValue(text.sliced(position, length));
        position += length;
    }
    return found;
}

} // namespace

QString HagakiLayoutString::fromLayout(const HagakiLayoutFields &layout)
{
    const int flags
        = (layout.printsSender() ? 1 : 0) + (layout.printsCompany() ? 2 : 0) + (layout.printsRenmei() ? 4 : 0);
    QString text;
    // The flags and four frames of ordinary sizes: one allocation for all.
    text.reserve(2 + int(frameEntries.size()) * 40);
    text += QChar(u'0' + flags);
    text += u';';
    for (const FrameEntry &entry : frameEntries) {
        const HeapOptional<QRectF> &frame = layout.*entry.frame;
        if (!frame)
            continue;
        if (!isWritable(*frame)) {
            qWarning(
                "%s: ERROR the %s frame holds a number out of range; it is not written", Q_FUNC_INFO, entry.key.data());
            continue;
        }
        text += entry.key;
        text += u':';
        appendRect(text, *frame);
        text += u';';
    }
    return text;
}

void HagakiLayoutString::parse(const QString &text, HagakiLayoutFields &layout)
{
    parse(QStringView(text), layout);
}

void HagakiLayoutString::parse(QStringView whole, HagakiLayoutFields &layout)
{
    if (whole.isEmpty())
        return;
    const qsizetype firstSeparator = whole.indexOf(u';');
    const qint64 flags = leadingInteger(firstSeparator < 0 ? whole : whole.first(firstSeparator));
    layout.sender = (flags & 1) != 0;
    layout.company = (flags & 2) != 0;
    layout.renmei = (flags & 4) != 0;
    if (firstSeparator < 0)
        return;
    for (const QStringView piece : whole.tokenize(u';')) {
        // "ra" without ":" carries no frame; the format leaves it undefined.
        const qsizetype colon = piece.indexOf(u':');
        if (colon < 0)
            continue;
        // The frame ends at a further ":", should one follow.
        const qsizetype frameEnd = piece.indexOf(u':', colon + 1);
        const QStringView key = piece.first(colon);
        const QStringView frame = piece.sliced(colon + 1, (frameEnd < 0 ? piece.size() : frameEnd) - colon - 1);
        for (const FrameEntry &entry : frameEntries) {
            if (key != entry.key)
                continue;
            if (frame.isEmpty())
                layout.*entry.frame = std::nullopt;
            else if (const std::optional<QRectF> read = frameFromString(frame))
                layout.*entry.frame = *read;
            else
                qWarning("%s: ERROR the frame %s is not four numbers in range; it is dropped", Q_FUNC_INFO,
                    qPrintable(frame.toString()));
        }
    }
}

std::optional<QRectF> HagakiLayoutString::frameFromString(QStringView rectText)
{
    std::array<double, 4> values{};
    if (readNumbers(rectText, values) < values.size())
        return std::nullopt;
    const QRectF frame(values[0], values[1], values[2], values[3]);
    // A frame that could not be written back would move when it is.
    if (!isWritable(frame))
        return std::nullopt;
    return frame;
}

QString HagakiLayoutString::frameText(const QRectF &frame)
{
    QString text;
    if (isWritable(frame)) {
        text.reserve(40);
        appendRect(text, frame);
    }
    return text;
}

QString HagakiLayoutString::frameText(const std::optional<QRectF> &frame)
{
    return frame ? frameText(*frame) : QString();
}
