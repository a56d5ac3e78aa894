#include "interchange/ColumnTexts_p.h"

QString ColumnTexts::shared(const QString &text)
{
    if (!m_sharing || text.isEmpty())
        return text;
    QString held = text;
    if (const auto found = m_texts.constFind(text); found != m_texts.cend()) {
        held = *found;
        ++m_found;
    } else if (m_texts.size() < mostTexts) {
        m_texts.insert(text);
    }
    if (++m_looked == trialCells && m_found < leastRepeatsPerTrial) {
        m_sharing = false;
        m_texts = {};
    }
    return held;
}
