#include "table/TableColumn.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString senderColumn = u"Sender"_s;
const QString allLabels = u"All"_s;

} // namespace

TableColumn TableColumn::make(const ContactIdentifier &identifier)
{
    TableColumn column;
    column.identifier = identifier;
    column.stringMember = StringValuesRecord::memberFor(identifier);
    if (identifier == senderColumn)
        column.kind = Kind::Sender;
    else if (identifier == FieldId::Name)
        column.kind = Kind::Name;
    else if (identifier == FieldId::Company || identifier == FieldId::Renmei)
        column.kind = Kind::CompanyOrRenmei;
    else if (identifier == FieldId::PhoneticName)
        column.kind = Kind::PhoneticName;
    else if (identifier == FieldId::Birthday)
        column.kind = Kind::Birthday;
    else if (FieldVocabulary::shared().labeledIdentifiers().contains(identifier)) {
        column.kind = Kind::Labeled;
        column.field = identifier;
    } else if (FieldVocabulary::shared().addressIdentifiers().contains(identifier)) {
        column.kind = Kind::AddressPart;
        column.field = FieldId::Address;
        column.addressPart = LabeledValueRecord::addressPartMember(identifier);
    }
    return column;
}

bool TableColumn::editedThroughEditorsOnly() const
{
    return identifier == FieldId::Name || identifier == FieldId::PhoneticName || identifier == FieldId::Address
        || identifier == FieldId::InstantMessage || identifier == FieldId::Birthday || identifier == FieldId::Dates;
}

LabeledValueRecordPtr TableColumn::labeledValueAt(MVPerson &person, const ContactIdentifier &field, qint64 position)
{
    // The list as held: making it anew would format every address again for
    // each cell drawn and measured.
    const LabeledValueList *values = person.madeLabeledValues(field);
    if (!values || position < 0 || position >= values->size())
        return nullptr;
    return values->at(position);
}

bool TableColumn::addedValueLandsAt(MVPerson &person, const ContactIdentifier &field, qint64 position)
{
    const LabeledValueList *values = person.madeLabeledValues(field);
    return position == (values ? values->size() : 0);
}

bool TableColumn::passesLabelFilter(const LabeledValueRecord &value, const QStringList &filter)
{
    if (filter.isEmpty())
        return false;
    return filter.first() == allLabels || filter.contains(value.labelText());
}

LabeledValueRecordPtr TableColumn::shownValueAt(
    MVPerson &person, const ContactIdentifier &field, qint64 position, const QStringList &filter)
{
    LabeledValueRecordPtr value = labeledValueAt(person, field, position);
    if (!value || !passesLabelFilter(*value, filter))
        return nullptr;
    return value;
}

LabeledValueRecordPtr TableColumn::filteredValueAt(MVPerson &person, qint64 position, const QStringList &filter) const
{
    return shownValueAt(person, field, position, filter);
}
