// The order of the shown contact list: each contact by its first value of the
// sorted field, empty texts and missing dates last in both directions.

#include "app/ContactTableSorter.h"

#include "model/CalendarDate.h"
#include "model/ContactPrefetch.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "model/ValueRecordKeys.h"
#include "table/ContactTablePane.h"
#include "table/FoldedKeys.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString &stringValueKey = RecordKey::StringValue;
const QString &labelKey = RecordKey::Label;
const QString serviceKey = u"service"_s;
const QString &usernameKey = RecordKey::Username;

using Parts = ContactTableSorter::SortKeyParts;

const QHash<QString, Parts> &sortKeyTable()
{
    static const QHash<QString, Parts> table{
        {u"Phone"_s, {FieldId::Phone, stringValueKey}},
        {u"Phone label"_s, {FieldId::Phone, labelKey}},
        {u"Email"_s, {FieldId::Email, stringValueKey}},
        {u"Email label"_s, {FieldId::Email, labelKey}},
        {u"Email domain"_s, {FieldId::Email, u"domain"_s}},
        {u"Email username"_s, {FieldId::Email, usernameKey}},
        {u"Address"_s, {FieldId::Address, stringValueKey}},
        {u"Address label"_s, {FieldId::Address, labelKey}},
        {u"ZIP"_s, {FieldId::Address, FieldId::ZIP}},
        {u"State"_s, {FieldId::Address, FieldId::State}},
        {u"City"_s, {FieldId::Address, FieldId::City}},
        {u"Street"_s, {FieldId::Address, FieldId::Street}},
        {u"Country"_s, {FieldId::Address, FieldId::Country}},
        {u"URL"_s, {FieldId::URL, stringValueKey}},
        {u"URL label"_s, {FieldId::URL, labelKey}},
        {u"Instant Message"_s, {FieldId::InstantMessage, stringValueKey}},
        {u"Instant Message label"_s, {FieldId::InstantMessage, labelKey}},
        {u"Instant Message service name"_s, {FieldId::InstantMessage, serviceKey}},
        {u"Instant Message type"_s, {FieldId::InstantMessage, serviceKey}},
        {u"Instant Message username"_s, {FieldId::InstantMessage, usernameKey}},
        {u"Social Network"_s, {FieldId::SocialNetwork, stringValueKey}},
        {u"Social Network service name"_s, {FieldId::SocialNetwork, serviceKey}},
        {u"Social Network type"_s, {FieldId::SocialNetwork, serviceKey}},
        {u"Social Network username"_s, {FieldId::SocialNetwork, usernameKey}},
        {u"Relationship"_s, {FieldId::Relationship, stringValueKey}},
        {u"Relationship label"_s, {FieldId::Relationship, labelKey}},
        {u"Dates"_s, {FieldId::Dates, stringValueKey}},
        {u"Dates label"_s, {FieldId::Dates, labelKey}},
        {u"Phonetic Name"_s, {FieldId::PhoneticName, stringValueKey}},
        {u"Phonetic FirstName"_s, {FieldId::PhoneticName, FieldId::PhoneticFirstName}},
        {u"PhoneticFirstName"_s, {FieldId::PhoneticName, FieldId::PhoneticFirstName}},
        {u"Phonetic LastName"_s, {FieldId::PhoneticName, FieldId::PhoneticLastName}},
        {u"PhoneticLastName"_s, {FieldId::PhoneticName, FieldId::PhoneticLastName}},
        {u"compositeName"_s, {FieldId::Name, u"compositeName"_s}},
        {u"FirstName"_s, {FieldId::Name, FieldId::FirstName}},
        {u"LastName"_s, {FieldId::Name, FieldId::LastName}},
    };
    return table;
}

QString entryOfValue(const LabeledValueRecord &value, const QString &key)
{
    if (key == stringValueKey)
        return value.stringValue;
    if (key == labelKey)
        return value.labelText();
    if (key == u"domain"_s)
        return value.accountPart(&LabeledValueRecord::AccountParts::domain);
    if (key == usernameKey)
        return value.accountPart(&LabeledValueRecord::AccountParts::username);
    if (key == serviceKey)
        return value.accountPart(&LabeledValueRecord::AccountParts::service);
    return value.addressPart(key);
}

QString joined(const QString &first, const QString &second)
{
    return first.isEmpty() || second.isEmpty() ? first : first + u' ' + second;
}

QString nameText(MVPerson &person, const QString &key)
{
    if (key == u"compositeName"_s)
        return person.compositeName();
    if (key != FieldId::FirstName && key != FieldId::LastName)
        return {};
    const NameRecordPtr name = person.nameValue();
    if (!name->showAsPerson)
        return person.stringValues()->value(FieldId::Company);
    return key == FieldId::FirstName ? name->firstName + name->lastName : name->lastName + name->firstName;
}

QString phoneticText(MVPerson &person, const QString &key)
{
    const PhoneticNameRecordPtr name = person.phoneticNameValue();
    if (key == stringValueKey)
        return name->stringValue;
    if (key == FieldId::PhoneticFirstName)
        return joined(name->firstName, name->lastName);
    if (key == FieldId::PhoneticLastName)
        return joined(name->lastName, name->firstName);
    return {};
}

// What one contact is sorted by: a text, or for dates a date.
struct SortKey {
    std::u32string_view text;
    std::optional<StoreDateComponents> date;
};

std::optional<StoreDateComponents> datePartsOf(const LabeledValue &value)
{
    if (const auto *parts = std::get_if<StoreDateComponents>(&value))
        return *parts;
    if (const auto *date = std::get_if<QDate>(&value); date && date->isValid())
        return StoreDateComponents{date->year(), date->month(), date->day()};
    return std::nullopt;
}

SortKey sortKeyOf(MVPerson &person, const Parts &parts, FoldedKeys &folded)
{
    if (FieldVocabulary::shared().labeledIdentifiers().contains(parts.identifier)) {
        const LabeledValueList *values = person.madeLabeledValues(parts.identifier);
        const LabeledValueRecord *first = values && !values->isEmpty() ? values->first().get() : nullptr;
        if (!first)
            return {};
        if (parts.identifier == FieldId::Dates && parts.key != labelKey)
            return {{}, datePartsOf(first->value)};
        return {folded.append(entryOfValue(*first, parts.key)), std::nullopt};
    }
    if (parts.identifier == FieldId::Name)
        return {folded.append(nameText(person, parts.key)), std::nullopt};
    if (parts.identifier == FieldId::PhoneticName)
        return {folded.append(phoneticText(person, parts.key)), std::nullopt};
    const PersonValue value = person.valueForIdentifier(parts.identifier);
    const auto *text = std::get_if<QString>(&value);
    return {folded.append(text ? *text : QString()), std::nullopt};
}

// Below zero when a goes first; empty texts last in both directions.
int textOrder(std::u32string_view a, std::u32string_view b, bool ascending)
{
    if (a.empty() || b.empty())
        return int(a.empty()) - int(b.empty());
    const int order = a.compare(b);
    return ascending ? order : -order;
}

} // namespace

std::optional<ContactTableSorter::SortKeyParts> ContactTableSorter::separateSortKeyIntoIdentifierAndKey(
    const QString &sortKey)
{
    const auto found = sortKeyTable().constFind(sortKey);
    if (found == sortKeyTable().cend())
        return std::nullopt;
    return *found;
}

std::weak_ordering ContactTableSorter::compareDateComponents(
    const std::optional<StoreDateComponents> &a, const std::optional<StoreDateComponents> &b, bool ascending)
{
    const std::optional<QDate> first = CalendarDate::sortDateFromComponents(a);
    const std::optional<QDate> second = CalendarDate::sortDateFromComponents(b);
    if (!first || !second) {
        if (!first && !second)
            return std::weak_ordering::equivalent;
        return first ? std::weak_ordering::less : std::weak_ordering::greater;
    }
    const std::weak_ordering order = first->toJulianDay() <=> second->toJulianDay();
    return ascending ? order : 0 <=> order;
}

// The names are the texts the table sorts a contact's rows by, and ties go
// by identifier.
bool ContactTableSorter::sortsContactsByRowKey(const SortDescriptor &descriptor)
{
    const std::optional<SortKeyParts> parts = separateSortKeyIntoIdentifierAndKey(descriptor.key);
    return parts && parts->identifier == FieldId::Name;
}

// A key the list is not sorted by leaves it as it is: every contact compares
// equal, and the sort is stable.
void ContactTableSorter::sortContactTable(ContactTable &contactTable, const QList<SortDescriptor> &descriptors)
{
    if (descriptors.isEmpty())
        return;
    const std::optional<SortKeyParts> parts = separateSortKeyIntoIdentifierAndKey(descriptors.first().key);
    if (!parts)
        return;
    const bool ascending = descriptors.first().ascending;
    // The keys stay where they were made and the sort moves their places
    // only: moving keys and contacts was half the time of a re-sort.
    // Equal keys order by identifier, so that the list reads the same from
    // one session to the next whatever order the store hands it over in; the
    // identifiers are taken along, not looked up at each tie.
    static const UniqueId none;
    const ContactTable &contacts = contactTable;
    FoldedKeys folded;
    std::vector<SortKey> keys;
    keys.reserve(std::size_t(contacts.size()));
    std::vector<UniqueId> identifiers;
    identifiers.reserve(std::size_t(contacts.size()));
    // The contacts lie all over memory: the pass asks for the contacts
    // ahead, then for their persons, their names and the names' texts, each
    // a step after the one it is reached through. (Written out here: the
    // compiler drops a call of a function that only asks for memory.)
    constexpr qsizetype step = 4;
    const auto personAt = [&contacts](qsizetype place) -> const MVPerson * {
        const ContactRecord *contact = place < contacts.size() ? contacts.at(place).get() : nullptr;
        return contact ? contact->person.get() : nullptr;
    };
    for (qsizetype place = 0; place < contacts.size(); ++place) {
        if (place + 8 * step < contacts.size())
            ContactPrefetch::line(contacts.at(place + 8 * step).get());
        // The name lives inside the person.
        ContactPrefetch::whole(personAt(place + 4 * step));
        if (const MVPerson *person = personAt(place + step); person && person->heldNameValue())
            ContactPrefetch::text(person->heldNameValue()->stringValue);
        const ContactRecordPtr &contact = contacts.at(place);
        keys.push_back(contact && contact->person ? sortKeyOf(*contact->person, *parts, folded) : SortKey());
        identifiers.push_back(contact ? contact->uniqueId : none);
    }
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    const bool byDate = parts->identifier == FieldId::Dates && parts->key != labelKey;
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const SortKey &first = keys[std::size_t(a)];
        const SortKey &second = keys[std::size_t(b)];
        if (byDate) {
            const std::weak_ordering dates = compareDateComponents(first.date, second.date, ascending);
            if (dates != 0)
                return dates < 0;
        } else if (const int texts = textOrder(first.text, second.text, ascending); texts != 0) {
            return texts < 0;
        }
        return compareAsText(identifiers[std::size_t(a)], identifiers[std::size_t(b)]) < 0;
    });
    ContactTable sorted;
    sorted.reserve(contactTable.size());
    for (const qsizetype place : order)
        sorted.append(std::move(contactTable[place]));
    contactTable = std::move(sorted);
}
