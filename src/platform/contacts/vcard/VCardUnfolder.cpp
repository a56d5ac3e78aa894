#include "platform/contacts/vcard/VCardUnfolder_p.h"

namespace {

bool isFoldSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only a line that starts with white space can be blank: most are decided
// by their first character.
bool isBlank(QStringView line)
{
    return line.isEmpty() || (line.front().isSpace() && line.trimmed().isEmpty());
}

// The header of a content line: everything before the first colon.
QStringView headerOf(QStringView line)
{
    const qsizetype colon = line.indexOf(u':');
    return colon < 0 ? QStringView() : line.first(colon);
}

// "ENCODING=B" as a whole parameter value, not the start of "ENCODING=BASE64".
bool hasBinaryEncodingParameter(QStringView header)
{
    static constexpr QStringView key = u"ENCODING=B";
    qsizetype from = 0;
    while ((from = header.indexOf(key, from, Qt::CaseInsensitive)) >= 0) {
        const qsizetype end = from + key.size();
        if (end == header.size() || header.at(end) == u';')
            return true;
        from = end;
    }
    return false;
}

} // namespace

VCardUnfolder::VCardUnfolder(QStringView text)
    : m_text(text)
{
}

void VCardUnfolder::restart(QStringView text)
{
    QString buffer = std::move(m_buffer);
    *this = VCardUnfolder(text);
    m_buffer = std::move(buffer);
}

QStringView VCardUnfolder::peekPhysicalLine() const
{
    if (m_peekedAt == m_pos)
        return m_text.sliced(m_pos, m_peekedSize);
    // Qt's search for one character is vectorised: the line feed is looked
    // for first, then a carriage return before it.
    const QStringView rest = m_text.sliced(m_pos);
    const qsizetype lineFeed = rest.indexOf(u'\n');
    const QStringView line = lineFeed < 0 ? rest : rest.first(lineFeed);
    const qsizetype carriageReturn = line.indexOf(u'\r');
    m_peekedAt = m_pos;
    m_peekedSize = carriageReturn < 0 ? line.size() : carriageReturn;
    return rest.first(m_peekedSize);
}

void VCardUnfolder::skipPeekedLine()
{
    m_pos += peekPhysicalLine().size();
    // iOS 6 wrote "\r\r\n": carriage returns before a line feed end one line.
    qsizetype end = m_pos;
    while (end < m_text.size() && m_text.at(end) == u'\r')
        ++end;
    if (end < m_text.size() && m_text.at(end) == u'\n')
        m_pos = end + 1;
    else if (m_pos < m_text.size())
        ++m_pos;
    ++m_physicalLine;
}

QStringView VCardUnfolder::takePhysicalLine()
{
    const QStringView line = peekPhysicalLine();
    skipPeekedLine();
    return line;
}

bool VCardUnfolder::isQuotedPrintable(QStringView line)
{
    return headerOf(line).contains(u"QUOTED-PRINTABLE", Qt::CaseInsensitive);
}

bool VCardUnfolder::isBase64(QStringView line)
{
    const QStringView header = headerOf(line);
    return header.contains(u"BASE64", Qt::CaseInsensitive) || hasBinaryEncodingParameter(header);
}

void VCardUnfolder::appendToBuffer(QStringView first, QStringView part)
{
    if (!m_usingBuffer) {
        // Emptied without giving its room back: folded lines are common.
        m_buffer.resize(0);
        m_buffer.append(first);
        m_usingBuffer = true;
    }
    m_buffer.append(part);
    m_line = m_buffer;
}

void VCardUnfolder::joinContinuations(QStringView first)
{
    m_usingBuffer = false;
    m_line = first;
    // The encoding is looked up only when the next line could belong to the
    // value because of it; most lines never need it.
    int quotedPrintable = -1;
    int base64 = -1;
    const auto known = [first](int &answer, bool (*test)(QStringView)) {
        if (answer < 0)
            answer = test(first) ? 1 : 0;
        return answer == 1;
    };
    while (m_pos < m_text.size()) {
        const QStringView next = peekPhysicalLine();
        const bool blank = isBlank(next);
        if (m_line.endsWith(u'=') && known(quotedPrintable, isQuotedPrintable)) {
            // "…=C3=91=" CRLF "=20…": the soft break and its "=" vanish, the
            // next line is taken as it stands, leading blanks included.
            const QStringView current = m_line.chopped(1);
            if (m_usingBuffer)
                m_buffer.chop(1);
            appendToBuffer(current, next);
        } else if (!blank && isFoldSpace(next.front())) {
            // A line of blanks alone is taken as a blank line, not as blanks
            // to add to the value: Outlook ends BASE64 data with one.
            appendToBuffer(m_line, next.sliced(1));
        } else if (!blank && !next.contains(u':') && known(base64, isBase64)) {
            // Old 2.1 writers put BASE64 lines without indentation until a blank line.
            appendToBuffer(m_line, next);
        } else {
            break;
        }
        m_writtenEnd = m_pos + next.size();
        skipPeekedLine();
    }
}

bool VCardUnfolder::next()
{
    while (m_pos < m_text.size()) {
        const int number = m_physicalLine + 1;
        const qsizetype start = m_pos;
        const QStringView physical = takePhysicalLine();
        if (isBlank(physical))
            continue;
        m_lineNumber = number;
        m_writtenStart = start;
        m_writtenEnd = start + physical.size();
        joinContinuations(physical);
        return true;
    }
    m_line = QStringView();
    return false;
}
