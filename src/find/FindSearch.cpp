#include "find/FindSearch.h"

#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/contacts/ContactKeys.h"

#include <array>

namespace {

bool allPass(const QStringList &filter)
{
    return !filter.isEmpty() && filter.first() == FindSearch::All;
}

const LabeledValueList &listOf(const LabeledValueListPtr &list)
{
    static const LabeledValueList none;
    return list ? *list : none;
}

// What one search of one contact needs at hand while it walks the fields.
struct ContactSearch {
    const TextMatcher &matcher;
    const PersonRecordPtr &contact;
    const FindSearch::Query &query;
    FindResultRows rows;
    QString name;
    bool named = false;

    FindResultRowPtr add(const QString &item, const QString &subItem, const QString &text)
    {
        QList<TextRange> ranges = matcher.rangesIn(text);
        if (ranges.isEmpty())
            return nullptr;
        // Most contacts hold no hit; their names are never worked out.
        if (!named) {
            name = contact->person->compositeName();
            named = true;
        }
        auto row = std::make_shared<FindResultRow>();
        row->name = name;
        row->item = item;
        row->subItem = subItem;
        row->value = text;
        row->ranges = std::move(ranges);
        row->contact = contact;
        rows.append(row);
        return row;
    }

    void addLabeled(const QString &item, const QString &subItem, const QString &text, const LabeledValueRecord &value,
        qsizetype index)
    {
        if (const FindResultRowPtr row = add(item, subItem, text)) {
            row->label = value.labelText();
            row->index = index;
            row->labelIndex = value.labelIndex;
        }
    }

    // Name and phonetic parts; the lists are fixed, so nothing is allocated
    // for a contact without a hit.
    void searchParts(
        const QString &item, const std::array<QString, 3> &parts, const std::array<const QString *, 3> &texts)
    {
        for (size_t i = 0; i < parts.size(); ++i) {
            if (query.allSubItems || query.subItems.contains(parts.at(i)))
                add(item, parts.at(i), *texts.at(i));
        }
    }

    [[nodiscard]] bool labelPasses(const LabeledValueRecord &value) const
    {
        return query.allLabels || query.labels.contains(value.labelText());
    }

    void searchAddresses(const LabeledValueList &addresses, const FindSearch::Field &field)
    {
        for (qsizetype index = 0; index < addresses.size(); ++index) {
            const LabeledValueRecord &address = *addresses.at(index);
            if (!labelPasses(address))
                continue;
            for (const auto &[part, member] : field.addressParts)
                addLabeled(FieldId::Address, part, member ? address.addressParts().*member : QString(), address, index);
        }
    }

    void searchInstantMessages(const LabeledValueList &values)
    {
        for (qsizetype index = 0; index < values.size(); ++index) {
            const LabeledValueRecord &value = *values.at(index);
            if (!labelPasses(value))
                continue;
            const LabeledValueRecord::AccountParts &account = value.accountParts();
            const QString text = account.username.isEmpty() ? value.valueText() : account.username;
            // The service filter is asked only once the user name holds a hit.
            if (!matcher.rangesIn(text).isEmpty() && (query.allSubItems || query.subItems.contains(account.service)))
                addLabeled(FieldId::InstantMessage, account.service, text, value, index);
        }
    }

    void searchLabeled(const QString &item, const LabeledValueList &values)
    {
        for (qsizetype index = 0; index < values.size(); ++index) {
            const LabeledValueRecord &value = *values.at(index);
            if (labelPasses(value))
                addLabeled(item, QString(), value.stringValue, value, index);
        }
    }
};

using AddressMember = QString LabeledValueRecord::AddressParts::*;

// The entry a table keeps under a name; none for a name it lacks.
template <typename Entry, size_t Size>
Entry entryNamed(const std::array<std::pair<QString, Entry>, Size> &table, const QString &name)
{
    for (const auto &[key, entry] : table) {
        if (key == name)
            return entry;
    }
    return nullptr;
}

AddressMember addressMember(const QString &part)
{
    return part == FindSearch::CountryCode ? &LabeledValueRecord::AddressParts::isoCountryCode
                                           : LabeledValueRecord::addressPartMember(part);
}

} // namespace

FindSearch::Query::Query(const QStringList &items, const QStringList &subItems, const QStringList &labels)
    : subItems(subItems)
    , labels(labels)
    , allSubItems(allPass(subItems))
    , allLabels(allPass(labels))
{
    for (const QString &item : items) {
        if (std::optional<Field> field = fieldFor(item))
            fields.append(std::move(*field));
    }
}

std::optional<FindSearch::Field> FindSearch::Query::fieldFor(const QString &item) const
{
    Field field;
    field.item = item;
    if (item == FieldId::Name || item == FieldId::PhoneticName) {
        field.kind = item == FieldId::Name ? Field::Name : Field::PhoneticName;
        return allLabels ? std::optional(field) : std::nullopt;
    }
    if (item == FieldId::Address || addressParts().contains(item) || item == CountryCode) {
        field.kind = Field::Address;
        QStringList parts{item};
        if (item == FieldId::Address) {
            const bool code = !allSubItems && subItems.contains(CountryCode);
            parts = code ? addressParts() + QStringList{CountryCode} : addressParts();
        }
        for (const QString &part : std::as_const(parts)) {
            if (item != FieldId::Address || allSubItems || subItems.contains(part))
                field.addressParts.append({part, addressMember(part)});
        }
        return field;
    }
    if (item == FieldId::InstantMessage) {
        field.kind = Field::InstantMessage;
        return field;
    }
    if (!allSubItems)
        return std::nullopt;
    const QString type = FieldVocabulary::shared().typeForIdentifier(item);
    if (type == FieldKind::LabeledValue) {
        field.kind = Field::Labeled;
        field.labeled = labeledGetter(item);
        return field.labeled ? std::optional(field) : std::nullopt;
    }
    if (!allLabels)
        return std::nullopt;
    if (item == FieldId::Birthday) {
        field.kind = Field::Birthday;
        return field;
    }
    field.string = StringValuesRecord::memberFor(item);
    if (type != FieldKind::StringValue || !field.string)
        return std::nullopt;
    return field;
}

LabeledValueListPtr (MVPerson::*FindSearch::Query::labeledGetter(const QString &item))()
{
    static const std::array<std::pair<QString, LabeledValueListPtr (MVPerson::*)()>, 7> getters{{
        {FieldId::Phone, &MVPerson::phoneValues},
        {FieldId::Email, &MVPerson::emailValues},
        {FieldId::URL, &MVPerson::urlValues},
        {FieldId::SocialNetwork, &MVPerson::snsValues},
        {FieldId::Relationship, &MVPerson::relationshipValues},
        {FieldId::Dates, &MVPerson::datesValues},
        {FieldId::Address, &MVPerson::addressValues},
    }};
    return entryNamed(getters, item);
}

namespace {

// A field's values as held, read from the store only when never read. The
// getter would also give a contact that shares the one empty list of a field
// a list of its own, and a search of every contact is no reason for that.
LabeledValueListPtr heldOrRead(
    MVPerson &person, const ContactIdentifier &identifier, LabeledValueListPtr (MVPerson::*getter)())
{
    const LabeledValueListPtr held = person.heldLabeledValues(identifier);
    return held ? held : (person.*getter)();
}

void searchField(ContactSearch &search, MVPerson &person, const FindSearch::Field &field)
{
    using Field = FindSearch::Field;
    switch (field.kind) {
    case Field::Name: {
        static const std::array<QString, 3> parts{FieldId::FirstName, FieldId::LastName, FieldId::MiddleName};
        // A fresh read would work out the display name, which is not searched.
        const NameRecord &name = person.holdsNameValue() ? *person.heldNameValue() : *person.nameValue();
        search.searchParts(field.item, parts, {&name.firstName, &name.lastName, &name.middleName()});
        break;
    }
    case Field::PhoneticName: {
        static const std::array<QString, 3> parts{
            FieldId::PhoneticFirstName, FieldId::PhoneticLastName, FieldId::PhoneticMiddleName};
        const PhoneticNameRecord &name = *person.phoneticNameValue();
        search.searchParts(field.item, parts, {&name.firstName, &name.lastName, &name.middleName});
        break;
    }
    case Field::Address: {
        // A fresh read would redo every address's display text, which is not
        // searched: only the parts are.
        search.searchAddresses(listOf(heldOrRead(person, FieldId::Address, &MVPerson::addressValues)), field);
        break;
    }
    case Field::InstantMessage:
        search.searchInstantMessages(listOf(heldOrRead(person, FieldId::InstantMessage, &MVPerson::imsValues)));
        break;
    case Field::Labeled:
        search.searchLabeled(field.item, listOf(heldOrRead(person, field.item, field.labeled)));
        break;
    case Field::Birthday:
        search.add(field.item, QString(), person.birthdayValue()->stringValue);
        break;
    case Field::String:
        if (const StringValuesRecord::Entry &text = (*person.stringValues()).*field.string)
            search.add(field.item, QString(), *text);
        break;
    }
}

} // namespace

FindResultRows FindSearch::searchString(const QString &searchString, const PersonRecordPtr &contact,
    const QStringList &items, const QStringList &subItems, const QStringList &labels, uint compareOptions)
{
    return searchContact(TextMatcher(searchString, compareOptions), Query(items, subItems, labels), contact);
}

FindResultRows FindSearch::searchContact(const TextMatcher &matcher, const Query &query, const PersonRecordPtr &contact)
{
    if (!contact || !contact->person)
        return {};
    MVPerson &person = *contact->person;
    ContactSearch search{matcher, contact, query, {}, {}, false};
    for (const Field &field : query.fields)
        searchField(search, person, field);
    return std::move(search.rows);
}

const QStringList &FindSearch::addressParts()
{
    static const QStringList parts{FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country};
    return parts;
}

QString FindSearch::addressPartText(const LabeledValueRecord &address, const QString &part)
{
    return address.addressPart(part == CountryCode ? isoCodeKey() : part);
}

QString FindSearch::isoCodeKey()
{
    return QString(ContactKeys::postalAddressISOCountryCode);
}
