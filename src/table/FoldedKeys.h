#pragma once

#include <QString>

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// The case-folded keys of one sort, end to end in blocks of memory: a
// string of its own for each of a large file's contacts, and a copy of every
// row beside its key, were the peak of a document window's first sort, and
// the allocation of a string per contact was a tenth of a re-sort. The views
// handed out live as long as the keys.
class FoldedKeys {
public:
    // The text folded as SubContactTableSorter::foldCase folds it. A key is
    // as long as its text; a longer one than a block gets a block of its own.
    std::u32string_view append(const QString &text);

private:
    static constexpr std::size_t blockUnits = 1 << 16;
    std::vector<std::unique_ptr<char32_t[]>> m_blocks;
    char32_t *m_next = nullptr;
    std::size_t m_free = 0;
};
