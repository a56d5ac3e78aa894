#include "interchange/VCardOwnProperties_p.h"

#include "interchange/BackslashEscapes_p.h"

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// A byte-order mark left at the start of a decoded file does not hide the
// first line's name.
bool startsLine(QStringView text, qsizetype position)
{
    if (position == 0)
        return true;
    const QChar before = text.at(position - 1);
    return isLineEnd(before) || (position == 1 && before == QChar(0xFEFF));
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool sameIgnoringAsciiCase(QStringView text, QStringView delimiter)
{
    for (qsizetype i = 0; i < delimiter.size(); ++i) {
        if (asciiLower(text[i].unicode()) != asciiLower(delimiter[i].unicode()))
            return false;
    }
    return true;
}

// QStringView::indexOf without regard to case, for the card delimiters alone:
// of all characters only U+017F and U+212A fold to ASCII letters (s and k),
// which "BEGIN:VCARD" and "END:VCARD" lack, so comparing ASCII letters
// without case finds what Qt's folding finds. Qt's search sets up a table on
// the heap for each call, and a file is searched for each card; here
// the colon of the delimiter is looked for, which Qt finds fast, and the
// letters around it compared.
qsizetype indexOfDelimiter(QStringView text, QStringView delimiter, qsizetype from)
{
    Q_ASSERT(!delimiter.contains(u's', Qt::CaseInsensitive) && !delimiter.contains(u'k', Qt::CaseInsensitive));
    const qsizetype colon = delimiter.indexOf(u':');
    if (colon < 0 || from < 0)
        return text.indexOf(delimiter, from, Qt::CaseInsensitive);
    for (qsizetype at = text.indexOf(u':', from + colon); at >= 0; at = text.indexOf(u':', at + 1)) {
        const qsizetype start = at - colon;
        if (start + delimiter.size() > text.size())
            return -1;
        if (sameIgnoringAsciiCase(text.sliced(start, delimiter.size()), delimiter))
            return start;
    }
    return -1;
}

qsizetype findLineStart(QStringView text, QStringView name, qsizetype from)
{
    for (qsizetype position = text.indexOf(name, from); position >= 0; position = text.indexOf(name, position + 1)) {
        if (startsLine(text, position))
            return position;
    }
    return -1;
}

// Just past the end of the line at position: its CRLF, LF or CR included.
qsizetype pastLineEnd(QStringView text, qsizetype position)
{
    while (position < text.size() && !isLineEnd(text.at(position)))
        ++position;
    if (position < text.size() && text.at(position) == u'\r')
        ++position;
    if (position < text.size() && text.at(position) == u'\n')
        ++position;
    return position;
}

QStringView withoutLineEnd(QStringView line)
{
    while (!line.isEmpty() && isLineEnd(line.back()))
        line.chop(1);
    return line;
}

constexpr QStringView cardBegin = u"BEGIN:VCARD";
constexpr QStringView cardEnd = u"END:VCARD";

bool startsDelimiterLine(QStringView text, qsizetype position, QStringView delimiter)
{
    return position + delimiter.size() <= text.size() && startsLine(text, position)
        && sameIgnoringAsciiCase(text.sliced(position, delimiter.size()), delimiter);
}

// The first line at or after from that starts with END:VCARD or BEGIN:VCARD
// (ignoring case, as indexOfDelimiter); -1 when none. Both are found in one
// pass by their colon, 3 and 5 characters after their starts.
qsizetype findDelimiterLine(QStringView text, qsizetype from)
{
    const qsizetype afterColon = cardEnd.size() - cardEnd.indexOf(u':');
    for (qsizetype at = text.indexOf(u':', from + 3); at >= 0; at = text.indexOf(u':', at + 1)) {
        if (at + afterColon > text.size())
            return -1;
        if (at - 3 >= from && startsDelimiterLine(text, at - 3, cardEnd))
            return at - 3;
        if (at - 5 >= from && startsDelimiterLine(text, at - 5, cardBegin))
            return at - 5;
    }
    return -1;
}

// A line found before stays the next one until the search passes it; none
// after one position means none after any later one.
qsizetype findDelimiterLineCached(QStringView text, qsizetype from, VCardOwnProperties::LineSearch &search)
{
    if (search.searchedFrom < 0 || from < search.searchedFrom || (search.foundAt >= 0 && search.foundAt < from)) {
        search.searchedFrom = from;
        search.foundAt = findDelimiterLine(text, from);
    }
    return search.foundAt;
}

constexpr qsizetype photoFirstLineLength = 48;
constexpr qsizetype photoLineLength = 74;

} // namespace

std::optional<VCardOwnProperties::CardExtent> VCardOwnProperties::findCard(
    QStringView text, qsizetype from, CardSearch &search)
{
    const qsizetype beginAt = indexOfDelimiter(text, cardBegin, from);
    if (beginAt < 0)
        return std::nullopt;
    const qsizetype bodyAt = beginAt + cardBegin.size();
    // The card ends at the next BEGIN:VCARD line or after its END:VCARD line,
    // whichever comes first.
    const qsizetype delimiterAt = findDelimiterLineCached(text, bodyAt, search.delimiter);
    CardExtent extent{beginAt, text.size()};
    if (delimiterAt >= 0 && asciiLower(text.at(delimiterAt).unicode()) == u'b') {
        extent.end = delimiterAt;
    } else if (delimiterAt >= 0) {
        qsizetype position = delimiterAt + cardEnd.size();
        while (position < text.size() && !isLineEnd(text.at(position)))
            ++position;
        extent.end = position < text.size() ? position + 1 : position;
    }
    return extent;
}

qsizetype VCardOwnProperties::findLine(QStringView text, QStringView name, qsizetype from)
{
    return findLineStart(text, name, from);
}

bool VCardOwnProperties::hasProperty(QStringView text, QStringView name)
{
    return propertiesWithLines(text, {&name, 1}) != 0;
}

quint32 VCardOwnProperties::propertiesWithLines(QStringView text, std::span<const QStringView> names)
{
    quint32 found = 0;
    const auto lineAt = [&](qsizetype position) {
        const QStringView rest = text.sliced(position);
        for (size_t i = 0; i < names.size() && i < 32; ++i) {
            // Most lines differ in the first letter: the whole name is compared only after it.
            const QStringView name = names[i];
            const qsizetype length = name.size();
            if (rest.size() > length && rest.front() == name.front() && (rest[length] == u':' || rest[length] == u';')
                && rest.first(length) == name)
                found |= quint32(1) << i;
        }
    };
    lineAt(0);
    if (text.size() > 1 && text.front() == QChar(0xFEFF))
        lineAt(1);
    const char16_t *const characters = text.utf16();
    const qsizetype last = text.size() - 1;
    const auto lineEndsIn = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            if (characters[i] == u'\n' || characters[i] == u'\r')
                lineAt(i + 1);
        }
    };
    // Four characters are tested at once, as the lanes of a 64-bit word: a
    // lane below 14 (CR is 13) sets its top bit in (x - 14 per lane) & ~x.
    // Nearly every word of a card has none and is passed over.
    constexpr quint64 lanes = 0x0001000100010001;
    qsizetype i = 0;
    for (; i + 4 <= last; i += 4) {
        quint64 word = 0;
        std::memcpy(&word, characters + i, sizeof word);
        if (((word - lanes * 14) & ~word & (lanes * 0x8000)) != 0)
            lineEndsIn(i, i + 4);
    }
    lineEndsIn(i, last);
    return found;
}

qsizetype VCardOwnProperties::endLine(QStringView card)
{
    static constexpr QStringView end = u"END:VCARD";
    for (qsizetype position = card.lastIndexOf(end); position >= 0;
         position = position > 0 ? card.lastIndexOf(end, position - 1) : -1) {
        if (startsLine(card, position))
            return position;
    }
    return -1;
}

QStringView VCardOwnProperties::restOfLine(QStringView text, qsizetype from)
{
    qsizetype position = from;
    while (position < text.size() && !isLineEnd(text.at(position)))
        ++position;
    return text.sliced(from, position - from);
}

QStringView VCardOwnProperties::retriveVCardElement(QStringView text, qsizetype from)
{
    qsizetype position = pastLineEnd(text, from);
    while (position < text.size() && text.at(position) == u' ')
        position = pastLineEnd(text, position);
    return text.sliced(from, position - from);
}

QList<QStringView> VCardOwnProperties::foldedLines(QStringView extent, qsizetype nameLength)
{
    QList<QStringView> lines;
    qsizetype position = 0;
    while (position < extent.size()) {
        const qsizetype next = pastLineEnd(extent, position);
        QStringView line = withoutLineEnd(extent.sliced(position, next - position));
        line = position == 0 ? line.sliced(qMin(nameLength, line.size())) : line.sliced(1);
        lines.append(line);
        position = next;
    }
    return lines;
}

QString VCardOwnProperties::escapeText(QStringView text)
{
    // Written through a pointer into room for the longest result: appending
    // character by character was most of the time of a note.
    QString escaped(text.size() * 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(escaped.data());
    char16_t *const start = out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\\' || c == u',' || c == u';') {
            *out++ = u'\\';
            *out++ = c;
        } else if (c == u'\r') {
            *out++ = u'\\';
            *out++ = u'n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            *out++ = u'\\';
            *out++ = u'n';
        } else {
            *out++ = c;
        }
    }
    escaped.truncate(out - start);
    return escaped;
}

QString VCardOwnProperties::unescapeText(QStringView text)
{
    return BackslashEscapes::unescape(text, [](char16_t escaped) -> char16_t {
        switch (escaped) {
        case u'n':
        case u'N':
            return u'\n';
        case u'\\':
        case u',':
        case u';':
            return escaped;
        default:
            return 0;
        }
    });
}

QStringList VCardOwnProperties::splitCategories(QStringView value)
{
    QStringList names;
    const auto take = [&names](QStringView piece) {
        const QString name = unescapeText(piece).trimmed();
        if (!name.isEmpty())
            names.append(name);
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\') {
            ++i;
        } else if (value.at(i) == u',') {
            take(value.sliced(start, i - start));
            start = i + 1;
        }
    }
    take(value.sliced(qMin(start, value.size())));
    return names;
}

QStringList VCardOwnProperties::findCategories2(QStringView card)
{
    static constexpr QStringView name = u"CATEGORIES:";
    QStringList names;
    for (qsizetype position = findLine(card, name); position >= 0; position = findLine(card, name, position + 1)) {
        const QStringView extent = retriveVCardElement(card, position);
        QString value;
        for (const QStringView line : foldedLines(extent, name.size()))
            value.append(line);
        names.append(splitCategories(value));
    }
    return names;
}

QString VCardOwnProperties::escapeRenmei(const QString &names)
{
    QString escaped = names;
    escaped.replace(u"\r\n"_s, u"\\n"_s);
    escaped.replace(u'\n', u"\\n"_s);
    return escaped;
}

QString VCardOwnProperties::unescapeRenmei(QStringView value)
{
    return value.toString().replace(u"\\n"_s, u"\n"_s);
}

QString VCardOwnProperties::foldedPhoto(const QByteArray &base64)
{
    QString property = u"PHOTO;ENCODING=b;TYPE=JPEG:"_s;
    property.reserve(property.size() + base64.size() + base64.size() / photoLineLength * 3 + 4);
    const qsizetype first = qMin(photoFirstLineLength, base64.size());
    property.append(QLatin1StringView(base64.constData(), first));
    property.append(u"\r\n");
    for (qsizetype position = first; position < base64.size(); position += photoLineLength) {
        property.append(u' ');
        property.append(
            QLatin1StringView(base64.constData() + position, qMin(photoLineLength, base64.size() - position)));
        property.append(u"\r\n");
    }
    return property;
}
