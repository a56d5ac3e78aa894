#include "find/TextMatcher.h"

TextMatcher::TextMatcher(const QString &searchString, uint compareOptions)
    : m_searchString(searchString)
    , m_literal(searchString, (compareOptions & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive)
    , m_regularExpression((compareOptions & RegularExpression) != 0)
{
    if (m_regularExpression)
        m_expression = QRegularExpression(searchString, QRegularExpression::UseUnicodePropertiesOption);
}

QList<TextRange> TextMatcher::rangesIn(const QString &text) const
{
    QList<TextRange> ranges;
    if (text.isEmpty() || m_searchString.isEmpty())
        return ranges;
    qsizetype start = 0;
    while (start < text.size()) {
        const TextRange hit = nextHit(text, start);
        if (!hit.isFound() || hit.length == 0)
            break;
        ranges.append(hit);
        start = hit.location + hit.length;
    }
    return ranges;
}

TextRange TextMatcher::nextHit(const QString &text, qsizetype from) const
{
    if (!m_regularExpression) {
        const qsizetype at = m_literal.indexIn(text, from);
        return at < 0 ? TextRange{} : TextRange{at, m_searchString.size()};
    }
    if (!m_expression.isValid())
        return {};
    // Matching in the whole text lets anchors and look-behind see what lies
    // before the offset.
    const QRegularExpressionMatch match = m_expression.match(text, from);
    if (!match.hasMatch())
        return {};
    return {match.capturedStart(), match.capturedLength()};
}
