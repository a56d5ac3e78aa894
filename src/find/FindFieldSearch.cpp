#include "find/FindFieldSearch.h"

#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/ContactLabels.h"
#include "table/TableColumn.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using Options = FindFieldSearch::Options;
using Scope = FindFieldSearch::Scope;

// One searched part of a field's text and where it starts in the text shown.
struct Part {
    QString key;
    QString text;
    qsizetype location = 0;
};
using Parts = QList<Part>;

struct PartHit {
    TextRange range;
    std::optional<TextRange> itemRange;
    std::optional<QString> subIdentifier;
};

const QString serviceKey = QString(ContactLabels::instantMessageAddressServiceKey);
const QString usernameKey = QString(ContactLabels::instantMessageAddressUsernameKey);

// The part the sub-identifier names; any other starts at the first part
// (backward: the last).
qsizetype partNamed(const Parts &parts, const std::optional<QString> &subIdentifier, bool backward)
{
    for (qsizetype i = 0; subIdentifier && i < parts.size(); ++i) {
        if (parts.at(i).key == *subIdentifier)
            return i;
    }
    return backward ? parts.size() - 1 : 0;
}

// From the first part on (backward: down to the first), each searched with
// the range moved into its own coordinates; a range that begins before the
// part, and every range after a miss, is open.
std::optional<PartHit> searchParts(
    QStringView find, const Parts &parts, qsizetype first, TextRange range, const Options &options)
{
    for (qsizetype i = first; i >= 0 && i < parts.size(); i += options.backward ? -1 : 1) {
        const Part &part = parts.at(i);
        TextRange local;
        if (range.isFound() && range.location >= part.location)
            local = {range.location - part.location, range.length};
        const TextRange found
            = FindFieldSearch::lookForString(find, part.text, local, options.caseSensitivity, options.backward);
        if (found.isFound())
            return PartHit{{part.location + found.location, found.length}, found, part.key};
        range = {};
    }
    return std::nullopt;
}

std::optional<PartHit> searchWhole(QStringView find, QStringView text, const TextRange &range,
    const std::optional<QString> &subIdentifier, const Options &options)
{
    const TextRange found
        = FindFieldSearch::lookForString(find, text, range, options.caseSensitivity, options.backward);
    if (!found.isFound())
        return std::nullopt;
    return PartHit{found, std::nullopt, subIdentifier};
}

Parts ownParts(MVPerson &person, bool phonetic)
{
    if (phonetic) {
        const PhoneticNameRecordPtr name = person.phoneticNameValue();
        return {{FieldId::PhoneticFirstName, name->firstName, 0}, {FieldId::PhoneticMiddleName, name->middleName, 0},
            {FieldId::PhoneticLastName, name->lastName, 0}};
    }
    const NameRecordPtr name = person.nameValue();
    return {{FieldId::FirstName, name->firstName, 0}, {FieldId::MiddleName, name->middleName(), 0},
        {FieldId::LastName, name->lastName, 0}, {FieldId::PreviousFamilyName, name->previousFamilyName(), 0}};
}

Parts shownParts(const ValueRecordFormatter::DisplayedParts &displayed)
{
    Parts parts;
    parts.reserve(displayed.size());
    for (const ValueRecordFormatter::DisplayedPart &part : displayed)
        parts.append({part.key, part.text, part.location});
    return parts;
}

std::optional<PartHit> searchName(
    QStringView find, MVPerson &person, const FindFieldSearch::Start &start, const Options &options, bool phonetic)
{
    Parts parts;
    if (options.scope == Scope::Detail) {
        parts = ownParts(person, phonetic);
    } else if (phonetic) {
        parts = shownParts(ValueRecordFormatter::phoneticNameParts(*person.phoneticNameValue(), person.nameOrdering()));
    } else if (!person.showAsPerson()) {
        // The cell shows the company; its hit lies in no name part.
        const QString company = person.stringValueForIdentifier(FieldId::Company, 0);
        return searchWhole(find, company, start.range, start.subIdentifier, options);
    } else {
        // Most names hold no hit: they are looked at before their shown
        // parts are worked out.
        const NameRecord &name = person.holdsNameValue() ? *person.heldNameValue() : *person.nameValue();
        const auto holds = [&](const QString &text) { return text.contains(find, options.caseSensitivity); };
        if (!holds(name.firstName) && !holds(name.lastName) && !holds(name.middleName()))
            return std::nullopt;
        parts = shownParts(ValueRecordFormatter::compositeNameParts(*person.nameValue()));
    }
    return searchParts(find, parts, partNamed(parts, start.subIdentifier, options.backward), start.range, options);
}

// The entries of the one-line address; the search starts in the entry that
// holds the range (backward: its start) and searches none when no entry does.
std::optional<PartHit> searchAddress(
    QStringView find, const LabeledValueRecord &address, const TextRange &range, const Options &options)
{
    Parts parts;
    for (const AddressRangeEntry &entry : AddressText::rangeTableFromAddressDictionary(&address))
        parts.append({entry.identifier, entry.value, entry.location});
    const auto holdsRange = [&range, &options](const Part &part) {
        if (!range.isFound())
            return true;
        if (range.location < part.location || range.length < 0)
            return false;
        const qsizetype end = part.location + part.text.size();
        if (options.backward)
            return range.location < end;
        return range.location <= end && range.length <= end - range.location;
    };
    qsizetype first = -1;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (holdsRange(parts.at(i))) {
            first = i;
            if (!options.backward)
                break;
        }
    }
    if (first < 0)
        return std::nullopt;
    return searchParts(find, parts, first, range, options);
}

std::optional<PartHit> searchInstantMessage(
    QStringView find, const LabeledValueRecord &message, const FindFieldSearch::Start &start, const Options &options)
{
    // A message without service or user name shows no text at all.
    if (message.stringValue.isEmpty())
        return std::nullopt;
    const QString service = message.accountPart(&LabeledValueRecord::AccountParts::service);
    const Parts parts{{serviceKey, service + u':', 0}, {usernameKey, message.valueText(), service.size() + 1}};
    return searchParts(find, parts, partNamed(parts, start.subIdentifier, options.backward), start.range, options);
}

} // namespace

TextRange FindFieldSearch::lookForString(
    QStringView find, QStringView text, const TextRange &range, Qt::CaseSensitivity caseSensitivity, bool backward)
{
    if (text.isEmpty() || find.isEmpty() || find.size() > text.size())
        return {};
    const bool open = !range.isFound() || !range.liesWithin(text.size());
    qsizetype found = -1;
    if (backward) {
        const QStringView span = open ? text : text.first(range.location);
        found = span.lastIndexOf(find, -1, caseSensitivity);
    } else {
        const qsizetype from = open ? 0 : range.location + range.length;
        if (from >= text.size())
            return {};
        found = text.indexOf(find, from, caseSensitivity);
    }
    if (found < 0)
        return {};
    return {found, find.size()};
}

ContactIdentifier FindFieldSearch::labeledFieldOf(const ContactIdentifier &identifier)
{
    if (FieldVocabulary::shared().addressIdentifiers().contains(identifier))
        return FieldId::Address;
    if (FieldVocabulary::shared().labeledIdentifiers().contains(identifier))
        return identifier;
    return {};
}

LabeledValueListPtr FindFieldSearch::valuesOf(MVPerson &person, const ContactIdentifier &field)
{
    // The list as held: reading it anew would format every address again.
    const LabeledValueListPtr held = person.heldLabeledValues(field);
    return held ? held : person.labeledValues(field);
}

bool FindFieldSearch::passesLabels(const LabeledValueRecord &value, const Options &options)
{
    return !options.labels || TableColumn::passesLabelFilter(value, *options.labels);
}

LabeledValueRecordPtr FindFieldSearch::valueAt(
    MVPerson &person, const ContactIdentifier &field, qsizetype position, const Options &options)
{
    LabeledValueRecordPtr value = TableColumn::labeledValueAt(person, field, position);
    if (value && !passesLabels(*value, options))
        return nullptr;
    return value;
}

FindFieldSearch::Field FindFieldSearch::fieldFor(const ContactIdentifier &identifier)
{
    using Kind = Field::Kind;
    Field field;
    field.identifier = identifier;
    field.labeledField = labeledFieldOf(identifier);
    if (identifier == FieldId::Birthday || identifier == FieldId::Dates || identifier == FieldId::NameOrdering
        || identifier == FieldId::ShowAsPerson) {
        field.kind = Kind::Unsearched;
    } else if (identifier == FieldId::Name) {
        field.kind = Kind::Name;
    } else if (identifier == FieldId::PhoneticName) {
        field.kind = Kind::PhoneticName;
    } else if (identifier == FieldId::Address) {
        field.kind = Kind::Address;
    } else if (field.labeledField == FieldId::Address) {
        field.kind = Kind::AddressPart;
        field.addressPart = LabeledValueRecord::addressPartMember(identifier);
    } else if (identifier == FieldId::InstantMessage) {
        field.kind = Kind::InstantMessage;
    } else if (!field.labeledField.isEmpty()) {
        field.kind = Kind::Labeled;
    } else {
        field.kind = Kind::Other;
        field.stringMember = StringValuesRecord::memberFor(identifier);
    }
    return field;
}

ItemAndRangeRecordPtr FindFieldSearch::findString(
    const QString &find, const Start &start, const PersonRecordPtr &record, const Options &options)
{
    if (find.isEmpty() || !record || !record->person)
        return nullptr;
    const Field field = fieldFor(start.identifier);
    LabeledValueRecordPtr value;
    if (!field.labeledField.isEmpty() && field.kind != Field::Kind::Unsearched)
        value = valueAt(*record->person, field.labeledField, start.position, options);
    return findInField(find, start, field, record, value.get(), options);
}

ItemAndRangeRecordPtr FindFieldSearch::findInField(const QString &find, const Start &start, const Field &field,
    const PersonRecordPtr &record, const LabeledValueRecord *value, const Options &options)
{
    using Kind = Field::Kind;
    if (find.isEmpty() || !record || !record->person || field.kind == Kind::Unsearched)
        return nullptr;
    MVPerson &person = *record->person;
    std::optional<PartHit> hit;
    qint64 labelIndex = options.scope == Scope::Table ? start.position : 0;
    if (field.kind == Kind::Name || field.kind == Kind::PhoneticName) {
        hit = searchName(find, person, start, options, field.kind == Kind::PhoneticName);
    } else if (field.kind == Kind::Other) {
        // A text the contact keeps among its plain strings is read as held.
        if (field.stringMember) {
            const StringValuesRecord::Entry &text = (*person.stringValues()).*field.stringMember;
            if (!text)
                return nullptr;
            hit = searchWhole(find, *text, start.range, start.subIdentifier, options);
        } else {
            hit = searchWhole(
                find, person.stringValueForIdentifier(field.identifier, 0), start.range, start.subIdentifier, options);
        }
    } else {
        if (!value)
            return nullptr;
        if (options.scope == Scope::Detail)
            labelIndex = value->labelIndex;
        if (field.kind == Kind::Address) {
            hit = searchAddress(find, *value, start.range, options);
        } else if (field.kind == Kind::AddressPart) {
            static const QString none;
            const QString &text = field.addressPart ? value->addressParts().*field.addressPart : none;
            hit = searchWhole(find, text, start.range, start.subIdentifier, options);
        } else if (field.kind == Kind::InstantMessage) {
            hit = searchInstantMessage(find, *value, start, options);
        } else {
            hit = searchWhole(find, value->stringValue, start.range, start.subIdentifier, options);
        }
    }
    if (!hit)
        return nullptr;
    auto made = std::make_shared<ItemAndRangeRecord>();
    made->contact = record;
    made->uniqueId = person.uniqueIdValue();
    made->identifier = field.identifier;
    made->subIdentifier = hit->subIdentifier;
    made->labelIndex = labelIndex;
    made->range = hit->range;
    made->itemRange = hit->itemRange;
    return made;
}
