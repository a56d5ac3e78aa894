#include "platform/contacts/vcard/VCardUnfolder_p.h"

namespace {

bool isFoldSpace(QChar c)
{
    return c == u' ' || c == u'\t';
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

}  // namespace

VCardUnfolder::VCardUnfolder(QStringView text)
    : m_text(text)
{
}

QStringView VCardUnfolder::peekPhysicalLine() const
{
    const QStringView rest = m_text.sliced(m_pos);
    const char16_t *begin = rest.utf16();
    const char16_t *end = begin + rest.size();
    const char16_t *p = begin;
    while (p != end && *p != u'\n' && *p != u'\r')
        ++p;
    return rest.first(p - begin);
}

void VCardUnfolder::skipPeekedLine()
{
    m_pos += peekPhysicalLine().size();
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
        ++m_pos;
    ++m_physicalLine;
}

QStringView VCardUnfolder::takePhysicalLine()
{
    const QStringView line = peekPhysicalLine();
    skipPeekedLine();
    return line;
}

VCardUnfolder::State VCardUnfolder::stateAfterHeader(QStringView line)
{
    const QStringView header = headerOf(line);
    if (header.isEmpty())
        return State::Between;
    if (header.contains(u"QUOTED-PRINTABLE", Qt::CaseInsensitive))
        return State::QuotedPrintable;
    if (header.contains(u"BASE64", Qt::CaseInsensitive) || hasBinaryEncodingParameter(header))
        return State::Base64;
    return State::Between;
}

void VCardUnfolder::appendToBuffer(QStringView first, QStringView part)
{
    if (!m_usingBuffer) {
        m_buffer.clear();
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
    m_state = stateAfterHeader(first);
    while (m_pos < m_text.size()) {
        const QStringView next = peekPhysicalLine();
        if (m_state == State::QuotedPrintable && m_line.endsWith(u'=')) {
            // "…=C3=91=" CRLF "=20…": the soft break and its "=" vanish, the
            // next line is taken as it stands, leading blanks included.
            const QStringView current = m_line.chopped(1);
            if (m_usingBuffer)
                m_buffer.chop(1);
            appendToBuffer(current, next);
        } else if (!next.isEmpty() && isFoldSpace(next.front()) && !next.trimmed().isEmpty()) {
            // A line of blanks alone is taken as a blank line, not as blanks
            // to add to the value: Outlook ends BASE64 data with one.
            appendToBuffer(m_line, next.sliced(1));
        } else if (m_state == State::Base64 && !next.isEmpty() && !next.contains(u':')) {
            // Old 2.1 writers put BASE64 lines without indentation until a blank line.
            appendToBuffer(m_line, next);
        } else {
            break;
        }
        skipPeekedLine();
    }
}

bool VCardUnfolder::next()
{
    while (m_pos < m_text.size()) {
        const int number = m_physicalLine + 1;
        const QStringView physical = takePhysicalLine();
        if (physical.trimmed().isEmpty()) {
            m_state = State::Between;
            continue;
        }
        m_lineNumber = number;
        joinContinuations(physical);
        return true;
    }
    m_line = QStringView();
    return false;
}
