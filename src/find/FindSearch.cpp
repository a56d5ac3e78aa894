#include "find/FindSearch.h"

#include "model/MVPerson.h"
#include "platform/contacts/ContactKeys.h"

#include <array>

namespace {

bool passes(const QStringList &filter, const QString &entry)
{
    return (!filter.isEmpty() && filter.first() == FindSearch::All) || filter.contains(entry);
}

bool allPass(const QStringList &filter)
{
    return !filter.isEmpty() && filter.first() == FindSearch::All;
}

// What one search of one contact needs at hand while it walks the fields.
struct ContactSearch {
    const TextMatcher &matcher;
    const PersonRecordPtr &contact;
    const QStringList &subItems;
    const QStringList &labels;
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
        if (!allPass(labels))
            return;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (passes(subItems, parts.at(i)))
                add(item, parts.at(i), *texts.at(i));
        }
    }

    void searchAddresses(const LabeledValueList &addresses, const QStringList &parts, bool filterParts)
    {
        for (qsizetype index = 0; index < addresses.size(); ++index) {
            const LabeledValueRecord &address = *addresses.at(index);
            if (!passes(labels, address.labelText()))
                continue;
            for (const QString &part : parts) {
                if (!filterParts || passes(subItems, part))
                    addLabeled(FieldId::Address, part, FindSearch::addressPartText(address, part), address, index);
            }
        }
    }

    void searchInstantMessages(const LabeledValueList &values)
    {
        for (qsizetype index = 0; index < values.size(); ++index) {
            const LabeledValueRecord &value = *values.at(index);
            if (!passes(labels, value.labelText()))
                continue;
            const QString text = value.username.isEmpty() ? value.valueText() : value.username;
            // The service filter is asked only once the user name holds a hit.
            if (!matcher.rangesIn(text).isEmpty() && passes(subItems, value.service))
                addLabeled(FieldId::InstantMessage, value.service, text, value, index);
        }
    }

    void searchLabeled(const QString &item, const LabeledValueList &values)
    {
        for (qsizetype index = 0; index < values.size(); ++index) {
            const LabeledValueRecord &value = *values.at(index);
            if (passes(labels, value.labelText()))
                addLabeled(item, QString(), value.stringValue, value, index);
        }
    }

    void searchItem(MVPerson &person, const QString &item);
};

const LabeledValueList &listOf(const LabeledValueListPtr &list)
{
    static const LabeledValueList none;
    return list ? *list : none;
}

void ContactSearch::searchItem(MVPerson &person, const QString &item)
{
    if (item == FieldId::Name) {
        static const std::array<QString, 3> parts{FieldId::FirstName, FieldId::LastName, FieldId::MiddleName};
        const NameRecord &name = *person.nameValue();
        searchParts(item, parts, {&name.firstName, &name.lastName, &name.middleName});
    } else if (item == FieldId::PhoneticName) {
        static const std::array<QString, 3> parts{
            FieldId::PhoneticFirstName, FieldId::PhoneticLastName, FieldId::PhoneticMiddleName};
        const PhoneticNameRecord &name = *person.phoneticNameValue();
        searchParts(item, parts, {&name.firstName, &name.lastName, &name.middleName});
    } else if (item == FieldId::Address) {
        static const QStringList withCode = FindSearch::addressParts() + QStringList{FindSearch::CountryCode};
        const bool code = !allPass(subItems) && subItems.contains(FindSearch::CountryCode);
        searchAddresses(listOf(person.addressValues()), code ? withCode : FindSearch::addressParts(), true);
    } else if (FindSearch::addressParts().contains(item) || item == FindSearch::CountryCode) {
        searchAddresses(listOf(person.addressValues()), {item}, false);
    } else if (item == FieldId::InstantMessage) {
        searchInstantMessages(listOf(person.imsValues()));
    } else if (allPass(subItems)) {
        const QString type = MVPerson::typeForIdentifier(item);
        if (type == FieldKind::LabeledValue)
            searchLabeled(item, listOf(person.labeledValues(item)));
        else if (!allPass(labels))
            return;
        else if (item == FieldId::Birthday)
            add(item, QString(), person.birthdayValue()->stringValue);
        else if (type == FieldKind::StringValue)
            add(item, QString(), person.stringValues()->value(item));
    }
}

} // namespace

FindResultRows FindSearch::searchString(const QString &searchString, const PersonRecordPtr &contact,
    const QStringList &items, const QStringList &subItems, const QStringList &labels, uint compareOptions)
{
    return searchContact(TextMatcher(searchString, compareOptions), contact, items, subItems, labels);
}

FindResultRows FindSearch::searchContact(const TextMatcher &matcher, const PersonRecordPtr &contact,
    const QStringList &items, const QStringList &subItems, const QStringList &labels)
{
    if (!contact || !contact->person)
        return {};
    MVPerson &person = *contact->person;
    ContactSearch search{matcher, contact, subItems, labels, {}, {}, false};
    for (const QString &item : items)
        search.searchItem(person, item);
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
