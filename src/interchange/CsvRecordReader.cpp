#include "interchange/CsvRecordReader.h"

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

CsvRecordReader::CsvRecordReader(QStringView text, QChar separator)
    : m_text(text)
    , m_separator(separator)
{
}

bool CsvRecordReader::next(QStringList &cells)
{
    cells.clear();
    m_recordLength = 0;
    if (m_position >= m_text.size())
        return false;
    const qsizetype start = m_position;
    for (;;) {
        cells.append(readCell());
        if (m_position < m_text.size() && m_text.at(m_position) == m_separator) {
            ++m_position;
            continue;
        }
        break;
    }
    m_recordLength = m_position - start;
    if (m_position < m_text.size() && m_text.at(m_position) == u'\r')
        ++m_position;
    if (m_position < m_text.size() && m_text.at(m_position) == u'\n')
        ++m_position;
    return true;
}

QString CsvRecordReader::readCell()
{
    QString cell;
    if (m_position < m_text.size() && m_text.at(m_position) == u'"' && readQuotedCell(cell)) {
        appendUnquoted(cell);
        // The cell was grown piece by piece; a contact keeps it as it is.
        cell.squeeze();
        return cell;
    }
    appendUnquoted(cell);
    return cell;
}

bool CsvRecordReader::readQuotedCell(QString &cell)
{
    qsizetype from = m_position + 1;
    for (;;) {
        const qsizetype quote = m_text.indexOf(u'"', from);
        if (quote < 0) {
            // Never closed: the quote is plain text. The search ran to the
            // end only because every later quote is doubled, so a later
            // cell's opening quote closes at once and this happens once.
            cell.clear();
            return false;
        }
        cell.append(m_text.sliced(from, quote - from));
        if (quote + 1 < m_text.size() && m_text.at(quote + 1) == u'"') {
            cell.append(u'"');
            from = quote + 2;
            continue;
        }
        m_position = quote + 1;
        return true;
    }
}

void CsvRecordReader::appendUnquoted(QString &cell)
{
    const qsizetype start = m_position;
    while (m_position < m_text.size() && m_text.at(m_position) != m_separator && !atLineEnd())
        ++m_position;
    const QStringView piece = m_text.sliced(start, m_position - start);
    // A cell of one piece is made in its exact size: appending would give it
    // the room of a growing string.
    if (cell.isEmpty() && !piece.isEmpty())
        cell = piece.toString();
    else
        cell.append(piece);
}

bool CsvRecordReader::atLineEnd() const
{
    return isLineEnd(m_text.at(m_position));
}

QChar CsvRecordReader::detectSeparator(QStringView text)
{
    bool quoted = false;
    bool semicolon = false;
    bool tab = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u',') {
            return u',';
        } else if (isLineEnd(c)) {
            break;
        } else if (c == u';') {
            semicolon = true;
        } else if (c == u'\t') {
            tab = true;
        }
    }
    if (semicolon)
        return u';';
    return tab ? QChar(u'\t') : QChar(u',');
}
