#include "table/FindMarks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

FindMarks::FindMarks(const QString &text, const QString &findString, const QString &findOptions)
    : m_text(text)
    , m_findString(findString)
    , m_caseSensitivity(findOptions == caseSensitiveOption ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (findString.isEmpty() || text.isEmpty())
        return;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype found = text.indexOf(findString, from, m_caseSensitivity);
        if (found < 0)
            break;
        m_matches.append({found, findString.size()});
        from = found + findString.size();
    }
}

void FindMarks::markHit(const TextRange &range, bool checkTextInRange)
{
    if (m_matches.isEmpty() || !range.isFound() || !range.liesWithin(m_text.size()))
        return;
    if (checkTextInRange
        && QStringView(m_text).mid(range.location, range.length).compare(m_findString, m_caseSensitivity) != 0)
        return;
    m_hit = range;
}

QList<QTextLayout::FormatRange> FindMarks::formats() const
{
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(m_matches.size() + 1);
    for (const TextRange &match : m_matches) {
        QTextLayout::FormatRange format{int(match.location), int(match.length), {}};
        format.format.setBackground(matchColor());
        formats.append(format);
    }
    if (m_hit) {
        QTextLayout::FormatRange format{int(m_hit->location), int(m_hit->length), {}};
        format.format.setBackground(hitColor());
        formats.append(format);
    }
    return formats;
}

void FindMarks::paint(
    QPainter *painter, const QRectF &rect, const QFont &font, const QColor &textColor, qreal firstLineCentre) const
{
    if (m_text.isEmpty())
        return;
    // A line separator keeps every position of the text where it was.
    QString shown = m_text;
    // Without marks a line that does not fit ends in "…": cut off silently,
    // "Acme 1055 Inc." and "Acme 105 Inc." would read the same.
    if (m_matches.isEmpty() && !m_hit) {
        const QFontMetricsF metrics(font);
        QStringList lines = shown.split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, rect.width());
        shown = lines.join(QLatin1Char('\n'));
    }
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, font);
    QTextOption option;
    // The row does not grow for the marks: a wrapped line would put a hit
    // on a line the row has no room for.
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setFormats(formats());
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        line.setPosition({0, y});
        y += line.height();
    }
    layout.endLayout();
    const qreal firstLineHeight = QFontMetricsF(font).height();
    painter->save();
    painter->setPen(textColor);
    painter->setClipRect(rect, Qt::IntersectClip);
    layout.draw(painter, {rect.left(), rect.top() + firstLineCentre - firstLineHeight / 2});
    painter->restore();
}
