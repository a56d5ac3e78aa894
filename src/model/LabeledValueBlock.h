#pragma once

#include "model/LabeledValueRecord.h"

#include <cstddef>
#include <memory>

// Room for a contact's labeled values: one heap block for all its lists and
// one for all its records, where a list or a record of its own each took a
// block and a count of their own. A file read makes hundreds of thousands of
// contacts of three values each.
//
// What is handed out shares its block: a list or record held keeps the block
// alive, and one replaced later leaves its place unused until the block goes.
// The records cannot lie in the lists' block, as the lists hold them and the
// block would then keep itself alive.
class LabeledValueBlock {
public:
    // A block of count blank records that next() hands out in turn; none
    // for 0.
    explicit LabeledValueBlock(std::size_t count = 0);

    // The next blank record of the block; one of its own once the block is
    // used up.
    [[nodiscard]] LabeledValueRecordPtr next();

    // Count empty lists in one block, the first pointed at; null for none.
    [[nodiscard]] static LabeledValueListPtr lists(std::size_t count);
    // The element offset places after first in first's block, sharing it.
    template <typename T>
    [[nodiscard]] static std::shared_ptr<T> at(const std::shared_ptr<T> &first, std::size_t offset)
    {
        return std::shared_ptr<T>(first, first.get() + offset);
    }

private:
    // Count blank records in one block, the first pointed at; null for none.
    [[nodiscard]] static LabeledValueRecordPtr records(std::size_t count);

    LabeledValueRecordPtr m_first;
    std::size_t m_count = 0;
    std::size_t m_used = 0;
};
