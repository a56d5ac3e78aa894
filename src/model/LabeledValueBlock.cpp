#include "model/LabeledValueBlock.h"

#include <array>
#include <utility>

namespace {

// Blocks of up to this many elements are made exactly that large: the array
// form of make_shared keeps its length and more beside the elements, so that
// one list in it took more than a list of its own.
constexpr std::size_t exactMost = 8;

template <typename T, std::size_t Count> std::shared_ptr<T> exactBlockOf()
{
    const auto block = std::make_shared<std::array<T, Count>>();
    return std::shared_ptr<T>(block, block->data());
}

template <typename T, std::size_t... Index>
std::shared_ptr<T> exactBlock(std::size_t count, std::index_sequence<Index...>)
{
    std::shared_ptr<T> block;
    (void)((count == Index + 1 && (block = exactBlockOf<T, Index + 1>(), true)) || ...);
    return block;
}

template <typename T> std::shared_ptr<T> blockOf(std::size_t count)
{
    if (count == 0)
        return nullptr;
    if (count <= exactMost)
        return exactBlock<T>(count, std::make_index_sequence<exactMost>());
    const std::shared_ptr<T[]> block = std::make_shared<T[]>(count);
    return std::shared_ptr<T>(block, block.get());
}

} // namespace

LabeledValueBlock::LabeledValueBlock(std::size_t count)
    : m_first(records(count))
    , m_count(count)
{
}

LabeledValueRecordPtr LabeledValueBlock::next()
{
    return m_used < m_count ? at(m_first, m_used++) : std::make_shared<LabeledValueRecord>();
}

LabeledValueListPtr LabeledValueBlock::lists(std::size_t count)
{
    return blockOf<LabeledValueList>(count);
}

LabeledValueRecordPtr LabeledValueBlock::records(std::size_t count)
{
    return blockOf<LabeledValueRecord>(count);
}
