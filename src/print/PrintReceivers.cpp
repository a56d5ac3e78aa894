#include "print/PrintReceivers.h"

#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/PoolRelease.h"

// Freeing the receivers of a few hundred thousand selected rows (a large
// drop's, when it is cancelled, are the last to hold its contacts) would keep
// the window waiting: such a list is freed on the pool.
PrintReceivers::PrintReceivers(const PrintSourceRows &rows)
    : m_data(new Data{rows, {}}, [](Data *data) {
        constexpr qsizetype manyRows = 65536;
        std::shared_ptr<Data> held(data);
        if (data->rows.size() >= manyRows)
            releaseOnPool(std::move(held));
    })
{
}

PrintReceivers::PrintReceivers(const PrintContactList &values)
    : m_data(std::make_shared<Data>(Data{{}, {values.cbegin(), values.cend()}}))
{
}

qsizetype PrintReceivers::size() const
{
    if (!m_data)
        return 0;
    return m_data->rows.isEmpty() ? qsizetype(m_data->values.size()) : m_data->rows.size();
}

PrintContactRecordPtr PrintReceivers::at(qsizetype index) const
{
    if (index < 0 || index >= size())
        return nullptr;
    std::vector<PrintContactRecordPtr> &values = m_data->values;
    if (values.empty())
        values.resize(std::size_t(m_data->rows.size()));
    PrintContactRecordPtr &value = values[std::size_t(index)];
    if (!value)
        value = valueOfRow(m_data->rows.at(index));
    return value;
}

PrintContactList PrintReceivers::all() const
{
    PrintContactList values;
    values.reserve(size());
    for (qsizetype index = 0; index < size(); ++index)
        values.append(at(index));
    return values;
}

qsizetype PrintReceivers::indexOfRow(const SubContactRecordPtr &row) const
{
    if (!m_data || !row)
        return -1;
    if (!m_data->rows.isEmpty())
        return m_data->rows.indexOf(row);
    const auto found = std::find_if(m_data->values.cbegin(), m_data->values.cend(),
        [&row](const PrintContactRecordPtr &value) { return value && value->source == row; });
    return found == m_data->values.cend() ? -1 : qsizetype(found - m_data->values.cbegin());
}

PrintContactRecordPtr PrintReceivers::valueOfRow(const SubContactRecordPtr &source)
{
    if (!source)
        return nullptr;
    auto record = std::make_shared<PrintContactRecord>();
    record->source = source;
    refill(*record);
    return record;
}

void PrintReceivers::refill(PrintContactRecord &row)
{
    if (!row.source)
        return;
    const SubContactRecord &source = *row.source;
    row.person = source.person;
    row.uniqueId = source.uniqueId;
    row.labelIndex = source.labelIndex;
    if (!row.person)
        return;
    MVPerson &person = *row.person;
    row.name = *person.nameValue();
    row.compositeName = person.compositeName();
    const PersonValue renmei = person.valueForIdentifier(FieldId::Renmei);
    const QString *renmeiText = std::get_if<QString>(&renmei);
    row.renmei = renmeiText ? *renmeiText : QString();
    // A copy: the layout editing writes into it, and the contact takes the
    // change only through an undoable edit.
    row.layoutDict = person.labeledValueForIdentifierAtIndex(FieldId::Address, row.labelIndex);
    const PersonValue company = person.valueForIdentifier(FieldId::Company);
    const QString *companyText = std::get_if<QString>(&company);
    row.company = companyText && !companyText->isEmpty() ? std::optional(*companyText) : std::nullopt;
}
