#pragma once

#include <QString>
#include <QtGlobal>

// A share of a QString's characters kept in one word, for records that each
// hold a text or two of a large file: a QString of their own on the heap
// cost a block for every such text. The word points at the characters' own
// block, whose count of references it holds as a QString would.
//
// Only a text whose characters fill their block, from its start to its end,
// can be kept so: its length is read back from the block's capacity. A text
// read from a file is made so; a caller keeps any other in another form. The
// word's two low bits are always clear, left to the holder's own marks.
class TextShare {
public:
    // The word of a new share of `text`, or 0 for a text that cannot be kept so.
    [[nodiscard]] static quintptr share(const QString &text) noexcept
    {
        const QString::DataPointer &data = text.data_ptr();
        Block *block = const_cast<QString::DataPointer &>(data).d_ptr();
        if (!block || text.isEmpty() || data.freeSpaceAtBegin() != 0 || block->alloc != text.size())
            return 0;
        block->ref();
        return reinterpret_cast<quintptr>(block);
    }
    // The text of a share; it shares the characters too.
    [[nodiscard]] static QString text(quintptr word) noexcept
    {
        Block *block = blockOf(word);
        block->ref();
        return QString(QString::DataPointer(block, begin(block), block->alloc));
    }
    [[nodiscard]] static quintptr copy(quintptr word) noexcept
    {
        blockOf(word)->ref();
        return word;
    }
    static void release(quintptr word) noexcept
    {
        // A text made from the share without a reference of its own gives
        // the share's reference back as it goes, freeing the characters with
        // the last one.
        Block *block = blockOf(word);
        [[maybe_unused]] const QString last(QString::DataPointer(block, begin(block), block->alloc));
    }
    [[nodiscard]] static qsizetype size(quintptr word) noexcept { return blockOf(word)->alloc; }
    [[nodiscard]] static const QChar *characters(quintptr word) noexcept
    {
        return reinterpret_cast<const QChar *>(begin(blockOf(word)));
    }

private:
    using Block = QTypedArrayData<char16_t>;
    static_assert(alignof(Block) >= 4);

    [[nodiscard]] static Block *blockOf(quintptr word) noexcept { return reinterpret_cast<Block *>(word); }
    [[nodiscard]] static char16_t *begin(Block *block) noexcept
    {
        return Block::dataStart(block, alignof(Block::AlignmentDummy));
    }
};
