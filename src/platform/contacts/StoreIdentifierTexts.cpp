#include "platform/contacts/StoreIdentifierTexts_p.h"

#include <algorithm>

void StoreIdentifierTexts::add(qint64 rowId, QByteArrayView utf8)
{
    m_entries.push_back({rowId, m_utf8.size(), utf8.size()});
    m_utf8.append(utf8);
}

// The store hands the identifiers over in their own order (its index of
// them is the smallest thing to read).
void StoreIdentifierTexts::finish()
{
    const auto byRowId = [](const Entry &a, const Entry &b) { return a.rowId < b.rowId; };
    if (!std::is_sorted(m_entries.begin(), m_entries.end(), byRowId))
        std::sort(m_entries.begin(), m_entries.end(), byRowId);
}

std::optional<QByteArrayView> StoreIdentifierTexts::Walk::find(qint64 rowId)
{
    const std::vector<Entry> &entries = m_texts.m_entries;
    if (m_next > 0 && (m_next > entries.size() || entries[m_next - 1].rowId > rowId))
        m_next = 0;
    const auto found = std::lower_bound(entries.begin() + qsizetype(m_next), entries.end(), rowId,
        [](const Entry &entry, qint64 id) { return entry.rowId < id; });
    m_next = std::size_t(found - entries.begin());
    if (found == entries.end() || found->rowId != rowId)
        return std::nullopt;
    return QByteArrayView(m_texts.m_utf8.constData() + found->start, found->size);
}
