#include "table/ContactRowRuns.h"

#include "model/ContactPrefetch.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

#include <cstdint>
#include <limits>

namespace {

// How many runs apart the steps of the chain from a contact to its
// addresses' layouts are asked for.
constexpr qsizetype runStep = 4;
constexpr qsizetype rowsAhead = 32;

// A contact still holding the texts a file gave has no layout on its
// addresses yet, and no sender among them: its lists are not made for that.
const LabeledValueList *addressesOf(const MVPerson *person)
{
    return person ? person->peekMadeLabeledValues(FieldId::Address) : nullptr;
}

// A position no list reaches stands as none.
std::int32_t positionOf(const SubContactRecord &row)
{
    return row.labelIndex >= 0 && row.labelIndex <= std::numeric_limits<std::int32_t>::max()
        ? std::int32_t(row.labelIndex)
        : -1;
}

} // namespace

ContactRowRuns ContactRowRuns::markContinuedRows(const QList<SubContactRecordPtr> &rows)
{
    ContactRowRuns runs;
    // A table has at most a run per row.
    runs.m_runs.reserve(std::size_t(rows.size()));
    runs.m_positions.reserve(std::size_t(rows.size()));
    const SubContactRecord *previous = nullptr;
    for (qsizetype index = 0; index < rows.size(); ++index) {
        if (index + rowsAhead < rows.size())
            ContactPrefetch::line(rows.at(index + rowsAhead).get());
        SubContactRecord &row = *rows.at(index);
        row.notFirstRow = previous && previous->uniqueId == row.uniqueId;
        if (!previous || previous->person != row.person)
            runs.m_runs.push_back({row.person.get(), std::uint32_t(index), std::uint32_t(index)});
        runs.m_runs.back().end = std::uint32_t(index + 1);
        runs.m_positions.push_back(positionOf(row));
        previous = &row;
    }
    return runs;
}

// Read from the last run back, the first row found is the answer.
qsizetype ContactRowRuns::lastSenderRow() const
{
    for (qsizetype run = qsizetype(m_runs.size()) - 1; run >= 0; --run) {
        prefetchSenderChain(run);
        if (const qsizetype found = lastSenderRowOfRun(m_runs[std::size_t(run)]); found >= 0)
            return found;
    }
    return -1;
}

// Each step a few runs before the run that reads it, each reached through
// the step asked for earlier: the person, its list of addresses, the list's
// values, and the values' layouts.
void ContactRowRuns::prefetchSenderChain(qsizetype run) const
{
    const auto personAt = [this](qsizetype at) { return at >= 0 ? m_runs[std::size_t(at)].person : nullptr; };
    ContactPrefetch::whole(personAt(run - 4 * runStep));
    ContactPrefetch::line(addressesOf(personAt(run - 3 * runStep)));
    if (const LabeledValueList *addresses = addressesOf(personAt(run - 2 * runStep)))
        ContactPrefetch::line(addresses->constData());
    if (const LabeledValueList *addresses = addressesOf(personAt(run - runStep))) {
        for (const LabeledValueRecordPtr &address : *addresses)
            ContactPrefetch::line(&address->layout);
    }
}

qsizetype ContactRowRuns::lastSenderRowOfRun(const Run &run) const
{
    const LabeledValueList *addresses = addressesOf(run.person);
    if (!addresses)
        return -1;
    for (qsizetype row = qsizetype(run.end) - 1; row >= qsizetype(run.first); --row) {
        const qsizetype position = m_positions[std::size_t(row)];
        if (position >= 0 && position < addresses->size()
            && std::as_const(addresses->at(position)->layout)->printsSender())
            return row;
    }
    return -1;
}
