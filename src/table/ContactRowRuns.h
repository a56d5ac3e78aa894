#pragma once

#include "model/SubContactRecord.h"

#include <QList>

class MVPerson;

// A table's rows as runs of one contact's rows that follow one another, for
// the passes of a reload that read each contact once. Rows lie all over
// memory and a contact's values sit several pointers away from its row: a
// reload that reached them row by row, each only when it got there, spent
// a third of a re-sort of 50,000 contacts waiting for memory. A pass asks for
// each step of that chain a few rows ahead. The runs are read from the rows
// themselves: a list of them beside a large file's rows was the peak of its
// document window.
class ContactRowRuns {
public:
    // Marks each row that directly follows a row of the same contact. The
    // answer reads the rows, which must outlive it.
    static ContactRowRuns markContinuedRows(const QList<SubContactRecordPtr> &rows);

    // The last row whose address prints as the sender; -1 for none.
    [[nodiscard]] qsizetype lastSenderRow() const;

private:
    explicit ContactRowRuns(const QList<SubContactRecordPtr> &rows)
        : m_rows(rows)
    {
    }

    void prefetchSenderChain(qsizetype row) const;
    [[nodiscard]] const MVPerson *personAt(qsizetype row) const;

    const QList<SubContactRecordPtr> &m_rows;
};
