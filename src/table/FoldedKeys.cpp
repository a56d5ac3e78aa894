#include "table/FoldedKeys.h"

#include "table/SubContactTableSorter.h"

#include <algorithm>

std::u32string_view FoldedKeys::append(const QString &text)
{
    const std::size_t length = std::size_t(text.size());
    if (m_blocks.empty() || m_free < length) {
        const std::size_t size = std::max(length, blockUnits);
        m_blocks.push_back(std::make_unique_for_overwrite<char32_t[]>(size));
        m_next = m_blocks.back().get();
        m_free = size;
    }
    char32_t *key = m_next;
    SubContactTableSorter::foldCase(text, key);
    m_next += length;
    m_free -= length;
    return {key, length};
}
