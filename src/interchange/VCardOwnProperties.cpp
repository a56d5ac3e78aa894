#include "interchange/VCardOwnProperties_p.h"

#include "platform/RecentStrings.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <algorithm>

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

constexpr QStringView cardBegin = u"BEGIN:VCARD";
constexpr QStringView cardEnd = u"END:VCARD";

bool startsDelimiterLine(QStringView text, qsizetype position, QStringView delimiter)
{
    return position + delimiter.size() <= text.size() && startsLine(text, position)
        && sameIgnoringAsciiCase(text.sliced(position, delimiter.size()), delimiter);
}

// The next "V" or "v" at or after from, each found once: a card has few of
// them, and the lower-case letter may well not come again before the end of
// a long text, which must then not be searched again for each card.
qsizetype nextLetterV(QStringView text, qsizetype from, VCardOwnProperties::LineSearch &search)
{
    const auto next = [text, from](qsizetype &found, char16_t letter) {
        if (found == -2 || (found >= 0 && found < from))
            found = text.indexOf(QChar(letter), from);
        return found;
    };
    const qsizetype upper = next(search.upperV, u'V');
    const qsizetype lower = next(search.lowerV, u'v');
    return lower < 0 || (upper >= 0 && upper < lower) ? upper : lower;
}

// The first line at or after from that starts with END:VCARD or BEGIN:VCARD
// (ignoring case, as indexOfDelimiter); -1 when none. Both are found in one
// pass by the V after their colon, 3 and 5 characters after their starts:
// the letter is much rarer than colons, which every line has.
qsizetype findDelimiterLine(QStringView text, qsizetype from, VCardOwnProperties::LineSearch &search)
{
    const qsizetype afterColon = cardEnd.size() - cardEnd.indexOf(u':');
    for (qsizetype at = nextLetterV(text, from + 4, search); at >= 0; at = nextLetterV(text, at + 1, search)) {
        const qsizetype colon = at - 1;
        if (colon + afterColon > text.size())
            return -1;
        if (text.at(colon) != u':')
            continue;
        if (colon - 3 >= from && startsDelimiterLine(text, colon - 3, cardEnd))
            return colon - 3;
        if (colon - 5 >= from && startsDelimiterLine(text, colon - 5, cardBegin))
            return colon - 5;
    }
    return -1;
}

// A line found before stays the next one until the search passes it; none
// after one position means none after any later one.
qsizetype findDelimiterLineCached(QStringView text, qsizetype from, VCardOwnProperties::LineSearch &search)
{
    if (search.searchedFrom < 0 || from < search.searchedFrom || (search.foundAt >= 0 && search.foundAt < from)) {
        if (from < search.searchedFrom)
            search.upperV = search.lowerV = -2;
        search.searchedFrom = from;
        search.foundAt = findDelimiterLine(text, from, search);
    }
    return search.foundAt;
}

// Every line this system writes is folded by the store's writer: a line of
// this many octets or a few fewer (a fold never splits a UTF-8 sequence)
// may have been cut there.
constexpr qsizetype foldedLineOctets = qsizetype(ContactVCardSerialization::foldedLineOctets);
constexpr qsizetype longestUtf8Sequence = 4;

qsizetype utf8Length(QStringView text)
{
    qsizetype octets = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        octets += u < 0x80 ? 1 : (u < 0x800 || QChar::isSurrogate(u)) ? 2 : 3;
    }
    return octets;
}

// "5;" at the start of a layout: its flags, as the layout writer always puts first.
bool startsWithFlags(QStringView layout)
{
    qsizetype i = 0;
    while (i < layout.size() && layout.at(i).unicode() >= u'0' && layout.at(i).unicode() <= u'9')
        ++i;
    return i > 0 && i < layout.size() && layout.at(i) == u';';
}

bool continuesLayout(qsizetype previousOctets, QStringView layout, QStringView line)
{
    if (previousOctets > foldedLineOctets || previousOctets <= foldedLineOctets - longestUtf8Sequence)
        return false;
    return !(layout.endsWith(u';') && startsWithFlags(line));
}

// Past the line end at position: CRs and an LF after them, or a lone CR or LF.
qsizetype pastLineEnd(QStringView text, qsizetype position)
{
    if (position < text.size() && text.at(position) == u'\r') {
        qsizetype end = position;
        while (end < text.size() && text.at(end) == u'\r')
            ++end;
        return end < text.size() && text.at(end) == u'\n' ? end + 1 : position + 1;
    }
    return position + 1;
}

bool isLineStartByte(char c)
{
    return c == '\n' || c == '\r';
}

// A file read through the import's decoder has its continuation lines joined
// before the reader sees them ("5;ra:{{…}};2;rn:{{…}};7;"): a layout starts
// at every entry of flags alone, which no frame entry is.
template <typename Take> void splitJoinedLayout(QStringView line, Take take)
{
    qsizetype start = 0;
    qsizetype entry = 0;
    while (entry < line.size()) {
        qsizetype end = line.indexOf(u';', entry);
        if (end < 0)
            end = line.size();
        const QStringView token = line.sliced(entry, end - entry);
        const bool flags = !token.isEmpty()
            && std::all_of(token.begin(), token.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (flags && entry > start) {
            take(line.sliced(start, entry - start));
            start = entry;
        }
        entry = end + 1;
    }
    take(line.sliced(start));
}

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

std::size_t VCardOwnProperties::endLine(std::string_view card)
{
    static constexpr std::string_view end = "END:VCARD";
    for (std::size_t position = card.rfind(end); position != std::string_view::npos;
         position = position > 0 ? card.rfind(end, position - 1) : std::string_view::npos) {
        if (position == 0 || isLineStartByte(card[position - 1]))
            return position;
    }
    return std::string_view::npos;
}

QString VCardOwnProperties::unescapeText(QStringView text)
{
    return BackslashEscapes::unescape(text, textEscapes);
}

QStringList VCardOwnProperties::splitCategories(QStringView value)
{
    QStringList names;
    const auto take = [&names](QStringView piece) {
        // Every card of a group names it again: a name without escapes is shared.
        const QString name
            = piece.contains(u'\\') ? unescapeText(piece).trimmed() : RecentStrings::shared(piece.trimmed());
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

QString VCardOwnProperties::escapeRenmei(const QString &names)
{
    QString escaped = names;
    escaped.replace(u"\r\n"_s, u"\\n"_s);
    escaped.replace(u'\n', u"\\n"_s);
    return escaped;
}

QString VCardOwnProperties::unescapeRenmei(QStringView value)
{
    return BackslashEscapes::unescape(value, renmeiEscapes);
}

QStringList VCardOwnProperties::layoutLines(QStringView written, qsizetype nameLength)
{
    LayoutReader reader;
    QStringList layouts;
    for (const QStringView layout : reader.read(written, nameLength))
        layouts.append(layout.toString());
    return layouts;
}

QStringView VCardOwnProperties::LayoutReader::joined(QStringView layout, QStringView rest)
{
    const bool inRoom = !layout.isEmpty() && layout.data() >= m_joined.constData()
        && layout.data() + layout.size() == m_joined.constData() + m_joined.size();
    const qsizetype start = inRoom ? layout.data() - m_joined.constData() : m_joined.size();
    if (!inRoom)
        m_joined.append(layout);
    m_joined.append(rest);
    return QStringView(m_joined).sliced(start);
}

const QList<QStringView> &VCardOwnProperties::LayoutReader::read(QStringView written, qsizetype nameLength)
{
    // Joining never makes more text than was written: room for all of it
    // keeps the string where it is while views into it are handed out.
    m_joined.resize(0);
    m_joined.reserve(written.size());
    m_lines.clear();
    m_layouts.clear();
    qsizetype previousOctets = 0;
    qsizetype position = 0;
    while (position < written.size()) {
        qsizetype end = position;
        while (end < written.size() && written.at(end) != u'\r' && written.at(end) != u'\n')
            ++end;
        const QStringView line = written.sliced(position, end - position);
        if (position == 0) {
            m_lines.append(line.sliced(qMin(nameLength, line.size())));
        } else {
            // The unfolder takes only lines that start with a blank as continuations.
            const QStringView rest = line.isEmpty() ? line : line.sliced(1);
            if (continuesLayout(previousOctets, m_lines.constLast(), rest))
                m_lines.last() = joined(m_lines.constLast(), rest);
            else
                m_lines.append(rest);
        }
        previousOctets = utf8Length(line);
        position = end < written.size() ? pastLineEnd(written, end) : end;
    }
    for (const QStringView line : std::as_const(m_lines))
        splitJoinedLayout(line, [this](QStringView layout) { m_layouts.append(layout); });
    return m_layouts;
}
