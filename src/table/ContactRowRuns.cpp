#include "table/ContactRowRuns.h"

#include "model/ContactPrefetch.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

namespace {

// How many rows apart the steps of the chain from a contact to its
// addresses' layouts are asked for.
constexpr qsizetype rowStep = 4;
constexpr qsizetype rowsAhead = 32;

const LabeledValueList *addressesOf(const MVPerson *person)
{
    return person ? person->peekLabeledValues(FieldId::Address) : nullptr;
}

} // namespace

ContactRowRuns ContactRowRuns::markContinuedRows(const QList<SubContactRecordPtr> &rows)
{
    const SubContactRecord *previous = nullptr;
    for (qsizetype index = 0; index < rows.size(); ++index) {
        if (index + rowsAhead < rows.size())
            ContactPrefetch::line(rows.at(index + rowsAhead).get());
        SubContactRecord &row = *rows.at(index);
        row.notFirstRow = previous && previous->uniqueId == row.uniqueId;
        previous = &row;
    }
    return ContactRowRuns(rows);
}

// Read from the last row back, the first row found is the answer; a run's
// addresses are looked up once.
qsizetype ContactRowRuns::lastSenderRow() const
{
    const MVPerson *person = nullptr;
    const LabeledValueList *addresses = nullptr;
    for (qsizetype row = m_rows.size() - 1; row >= 0; --row) {
        prefetchSenderChain(row);
        const SubContactRecord &record = *m_rows.at(row);
        if (record.person.get() != person) {
            person = record.person.get();
            addresses = addressesOf(person);
        }
        const qint64 position = record.labelIndex;
        if (addresses && position >= 0 && position < addresses->size()
            && std::as_const(addresses->at(position)->layout)->printsSender())
            return row;
    }
    return -1;
}

const MVPerson *ContactRowRuns::personAt(qsizetype row) const
{
    return row >= 0 ? m_rows.at(row)->person.get() : nullptr;
}

// Each step a few rows before the row that reads it, each reached through
// the step asked for earlier: the row, its person, the person's list of
// addresses, the list's values, and the values' layouts.
void ContactRowRuns::prefetchSenderChain(qsizetype row) const
{
    if (row - 5 * rowStep >= 0)
        ContactPrefetch::line(m_rows.at(row - 5 * rowStep).get());
    ContactPrefetch::whole(personAt(row - 4 * rowStep));
    ContactPrefetch::line(addressesOf(personAt(row - 3 * rowStep)));
    if (const LabeledValueList *addresses = addressesOf(personAt(row - 2 * rowStep)))
        ContactPrefetch::line(addresses->constData());
    if (const LabeledValueList *addresses = addressesOf(personAt(row - rowStep))) {
        for (const LabeledValueRecordPtr &address : *addresses)
            ContactPrefetch::line(&address->layout);
    }
}
