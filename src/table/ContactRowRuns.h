#pragma once

#include "model/SubContactRecord.h"

#include <QList>

#include <cstdint>
#include <vector>

class MVPerson;

// A table's rows as runs of one contact's rows that follow one another, for
// the passes of a reload that read each contact once. Rows lie all over
// memory and a contact's values sit several pointers away from its row: a
// reload that reached them row by row, each only when it got there, spent
// a third of a re-sort of 50,000 contacts waiting for memory. The runs let a
// pass ask for each step of that chain a few contacts ahead. Runs and
// positions are kept small and made in room taken once: grown step by step,
// they were the peak of a large file's document window.
class ContactRowRuns {
public:
    // Marks each row that directly follows a row of the same contact, and
    // notes the runs and the label positions of the rows.
    static ContactRowRuns markContinuedRows(const QList<SubContactRecordPtr> &rows);

    // The last row whose address prints as the sender; -1 for none.
    [[nodiscard]] qsizetype lastSenderRow() const;

private:
    struct Run {
        const MVPerson *person = nullptr;
        std::uint32_t first = 0;
        std::uint32_t end = 0;
    };

    void prefetchSenderChain(qsizetype run) const;
    [[nodiscard]] qsizetype lastSenderRowOfRun(const Run &run) const;

    std::vector<Run> m_runs;
    // Each row's label position.
    std::vector<std::int32_t> m_positions;
};
