#include "platform/contacts/vcard/VCardUnfoldedBytes.h"

#include <QLatin1StringView>

namespace {

bool isFoldSpace(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

VCardUnfoldedBytes::VCardUnfoldedBytes(QByteArrayView bytes)
{
    m_bytes.reserve(bytes.size());
    qsizetype logicalStart = 0;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype lineFeed = bytes.indexOf('\n', pos);
        if (lineFeed < 0) {
            m_bytes.append(bytes.sliced(pos));
            break;
        }
        // Carriage returns before the line feed belong to the line end.
        qsizetype contentEnd = lineFeed;
        while (contentEnd > pos && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        m_bytes.append(bytes.sliced(pos, contentEnd - pos));
        const qsizetype next = lineFeed + 1;
        const bool softBreak = endsInSoftBreak(QByteArrayView(m_bytes).sliced(logicalStart));
        if (!softBreak && next < bytes.size() && isFoldSpace(bytes[next]) && !isBlankLine(bytes.sliced(next))) {
            m_folds.append({m_bytes.size(), next + 1 - contentEnd});
            pos = next + 1;
            continue;
        }
        m_bytes.append(bytes.sliced(contentEnd, next - contentEnd));
        // A soft break continues the logical line: its header still decides.
        if (!softBreak)
            logicalStart = m_bytes.size();
        pos = next;
    }
}

qsizetype VCardUnfoldedBytes::originalOffset(qsizetype joinedOffset) const
{
    qsizetype offset = joinedOffset;
    for (const Fold &fold : m_folds) {
        if (fold.joinedOffset > joinedOffset)
            break;
        offset += fold.size;
    }
    return offset;
}

bool VCardUnfoldedBytes::isBlankLine(QByteArrayView rest)
{
    for (const char c : rest) {
        if (c == '\n' || c == '\r')
            return true;
        if (!isFoldSpace(c) && c != '\v' && c != '\f')
            return false;
    }
    return true;
}

bool VCardUnfoldedBytes::endsInSoftBreak(QByteArrayView logicalLine)
{
    if (!logicalLine.endsWith('='))
        return false;
    const qsizetype colon = logicalLine.indexOf(':');
    if (colon < 0)
        return false;
    const QLatin1StringView header(logicalLine.first(colon));
    return header.contains(QLatin1StringView("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
}
