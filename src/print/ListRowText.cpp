#include "print/ListRowText.h"

#include <algorithm>

void ListRowText::append(const QString &text, std::optional<double> indent, bool labelWord)
{
    if (text.isEmpty())
        return;
    m_runs.append({m_text.size(), text.size(), indent, labelWord});
    m_text += text;
}

void ListRowText::append(const ListRowText &other)
{
    for (const Run &run : other.m_runs)
        m_runs.append({run.start + m_text.size(), run.length, run.indent, run.labelWord});
    m_text += other.m_text;
}

void ListRowText::chop()
{
    if (m_text.isEmpty())
        return;
    m_text.chop(1);
    Run &last = m_runs.last();
    if (--last.length == 0)
        m_runs.removeLast();
}

QList<ListRowText::Line> ListRowText::lines() const
{
    QList<Line> lines;
    if (m_text.isEmpty())
        return lines;
    qsizetype run = 0;
    qsizetype start = 0;
    while (start <= m_text.size()) {
        qsizetype end = m_text.indexOf(u'\n', start);
        if (end < 0)
            end = m_text.size();
        Line line;
        line.text = m_text.mid(start, end - start);
        while (run < m_runs.size() && m_runs.at(run).start + m_runs.at(run).length <= start)
            ++run;
        if (run < m_runs.size() && m_runs.at(run).start <= start)
            line.indent = m_runs.at(run).indent.value_or(0);
        for (qsizetype word = run; word < m_runs.size() && m_runs.at(word).start < end; ++word) {
            const Run &labelRun = m_runs.at(word);
            if (!labelRun.labelWord)
                continue;
            const qsizetype from = std::max(labelRun.start, start);
            const qsizetype to = std::min(labelRun.start + labelRun.length, end);
            if (to > from)
                line.labelWords.append({from - start, to - from});
        }
        lines.append(line);
        start = end + 1;
    }
    return lines;
}
