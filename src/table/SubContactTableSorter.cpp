#include "table/SubContactTableSorter.h"

#include "model/CalendarDate.h"
#include "model/ContactRecord.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/FoldedKeys.h"
#include "table/TableColumn.h"

#include <QDate>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <string_view>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

using TextOfRow = QString (*)(MVPerson &person, qint64 position, const QString &key);

LabeledValueRecordPtr valueAt(MVPerson &person, const ContactIdentifier &field, qint64 position)
{
    return TableColumn::labeledValueAt(person, field, position);
}

QString companyOrName(MVPerson &person, bool lastNameFirst)
{
    const NameRecordPtr name = person.nameValue();
    if (!name->showAsPerson)
        return person.stringValues()->value(FieldId::Company);
    return lastNameFirst ? name->lastName + name->firstName : name->firstName + name->lastName;
}

QString compositeNameText(MVPerson &person, qint64, const QString &)
{
    return person.compositeName();
}

QString firstNameText(MVPerson &person, qint64, const QString &)
{
    return companyOrName(person, false);
}

QString lastNameText(MVPerson &person, qint64, const QString &)
{
    return companyOrName(person, true);
}

QString phoneticFirstNameText(MVPerson &person, qint64, const QString &)
{
    const PhoneticNameRecordPtr name = person.phoneticNameValue();
    return name->firstName + name->lastName;
}

QString phoneticLastNameText(MVPerson &person, qint64, const QString &)
{
    const PhoneticNameRecordPtr name = person.phoneticNameValue();
    return name->lastName + name->firstName;
}

QString labeledText(MVPerson &person, qint64 position, const QString &key)
{
    const LabeledValueRecordPtr value = valueAt(person, key, position);
    return value ? value->stringValue : QString();
}

QString addressPartText(MVPerson &person, qint64 position, const QString &key)
{
    const LabeledValueRecordPtr address = valueAt(person, FieldId::Address, position);
    return address ? address->addressPart(key) : QString();
}

QString addressLabelText(MVPerson &person, qint64 position, const QString &)
{
    const LabeledValueRecordPtr address = valueAt(person, FieldId::Address, position);
    return address ? address->labelText() : QString();
}

QString emailDomainText(MVPerson &person, qint64 position, const QString &)
{
    const QString mail = labeledText(person, position, FieldId::Email);
    const qsizetype at = mail.indexOf(QLatin1Char('@'));
    return at < 0 ? QString() : mail.mid(at + 1);
}

QString emailUsernameText(MVPerson &person, qint64 position, const QString &)
{
    const QString mail = labeledText(person, position, FieldId::Email);
    const qsizetype at = mail.indexOf(QLatin1Char('@'));
    return at < 0 ? mail : mail.left(at);
}

template <const QString &field, QString LabeledValueRecord::AccountParts::*member>
QString serviceOrUsernameText(MVPerson &person, qint64 position, const QString &)
{
    const LabeledValueRecordPtr value = valueAt(person, field, position);
    return value ? value->accountParts().*member : QString();
}

QString otherText(MVPerson &person, qint64, const QString &key)
{
    const PersonValue value = person.valueForIdentifier(key);
    const QString *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

TextOfRow textOfRowForKey(const QString &key)
{
    static const QHash<QString, TextOfRow> byKey{
        {u"compositeName"_s, &compositeNameText},
        {FieldId::FirstName, &firstNameText},
        {FieldId::LastName, &lastNameText},
        {FieldId::PhoneticFirstName, &phoneticFirstNameText},
        {FieldId::PhoneticLastName, &phoneticLastNameText},
        {u"Address label"_s, &addressLabelText},
        {u"Email domain"_s, &emailDomainText},
        {u"Email username"_s, &emailUsernameText},
        {u"Instant Message type"_s,
            &serviceOrUsernameText<FieldId::InstantMessage, &LabeledValueRecord::AccountParts::service>},
        {u"Instant Message username"_s,
            &serviceOrUsernameText<FieldId::InstantMessage, &LabeledValueRecord::AccountParts::username>},
        {u"Social Network type"_s,
            &serviceOrUsernameText<FieldId::SocialNetwork, &LabeledValueRecord::AccountParts::service>},
        {u"Social Network username"_s,
            &serviceOrUsernameText<FieldId::SocialNetwork, &LabeledValueRecord::AccountParts::username>},
    };
    if (const TextOfRow text = byKey.value(key))
        return text;
    if (FieldVocabulary::shared().labeledIdentifiers().contains(key))
        return &labeledText;
    if (FieldVocabulary::shared().addressIdentifiers().contains(key))
        return &addressPartText;
    return &otherText;
}

// Rows without a text come last whichever the direction.
bool textOrdersBefore(std::u32string_view a, std::u32string_view b, bool ascending)
{
    if (a.empty() || b.empty())
        return !a.empty() && b.empty();
    return ascending ? a < b : b < a;
}

// A row without a date is the smallest.
bool dateOrdersBefore(const std::optional<QDate> &a, const std::optional<QDate> &b, bool ascending)
{
    if (!a || !b) {
        if (!a && !b)
            return false;
        return ascending ? !a : !b;
    }
    return ascending ? *a < *b : *b < *a;
}

// A row's place in the table and its key's among the keys of the sort.
struct KeyedPlace {
    std::uint32_t key;
    std::uint32_t row;
};

// The places in the order keyBefore (of two key places) gives, ties in the
// order they stand; false, leaving them, when they are in that order already,
// as a table sorted again by the key its contact list was just sorted by
// mostly is.
template <typename Before> bool sortKeyedPlaces(std::vector<KeyedPlace> &places, Before keyBefore)
{
    const auto before
        = [&keyBefore](const KeyedPlace &a, const KeyedPlace &b) { return a.key != b.key && keyBefore(a.key, b.key); };
    if (std::is_sorted(places.begin(), places.end(), before))
        return false;
    std::stable_sort(places.begin(), places.end(), before);
    return true;
}

// The rows in the order of their sorted places: the places are sorted and
// the rows moved once.
template <typename Before>
void sortRowPlaces(QList<SubContactRecordPtr> &rows, std::vector<KeyedPlace> &places, Before keyBefore)
{
    if (!sortKeyedPlaces(places, keyBefore))
        return;
    QList<SubContactRecordPtr> sorted;
    sorted.reserve(rows.size());
    for (const KeyedPlace &place : places)
        sorted.append(std::move(rows[place.row]));
    rows = std::move(sorted);
}

template <typename Key, typename MakeKey, typename Before>
void sortByKeys(QList<SubContactRecordPtr> &rows, MakeKey makeKey, Before before)
{
    std::vector<Key> keys;
    keys.reserve(std::size_t(rows.size()));
    std::vector<KeyedPlace> places;
    places.reserve(std::size_t(rows.size()));
    for (const SubContactRecordPtr &row : std::as_const(rows)) {
        places.push_back({std::uint32_t(keys.size()), std::uint32_t(keys.size())});
        keys.push_back(makeKey(*row));
    }
    sortRowPlaces(
        rows, places, [&keys, &before](std::uint32_t a, std::uint32_t b) { return before(keys[a], keys[b]); });
}

// The texts that are the contact's, whichever of its rows asks.
bool isContactsText(TextOfRow text)
{
    return text == &compositeNameText || text == &firstNameText || text == &lastNameText
        || text == &phoneticFirstNameText || text == &phoneticLastNameText || text == &otherText;
}

// Texts of 100,000 rows folded one by one were a fifth of a sort: the rows
// of one contact, which mostly follow one another, share the contact's key.
void sortByText(QList<SubContactRecordPtr> &rows, const SortDescriptor &descriptor)
{
    const TextOfRow text = textOfRowForKey(descriptor.key);
    const bool contactsText = isContactsText(text);
    FoldedKeys folded;
    std::vector<std::u32string_view> keys;
    keys.reserve(std::size_t(rows.size()));
    std::vector<KeyedPlace> places;
    places.reserve(std::size_t(rows.size()));
    const MVPerson *keyOf = nullptr;
    for (const SubContactRecordPtr &row : std::as_const(rows)) {
        if (keys.empty() || !contactsText || row->person.get() != keyOf) {
            keys.push_back(row->person ? folded.append(text(*row->person, row->labelIndex, descriptor.key))
                                       : std::u32string_view());
            keyOf = row->person.get();
        }
        places.push_back({std::uint32_t(keys.size() - 1), std::uint32_t(places.size())});
    }
    sortRowPlaces(rows, places, [&keys, ascending = descriptor.ascending](std::uint32_t a, std::uint32_t b) {
        return textOrdersBefore(keys[a], keys[b], ascending);
    });
}

// The places of the contacts sorted by the texts of a whole-contact key; a
// contact that shows no rows has none.
std::vector<KeyedPlace> sortedContactPlaces(const ContactTable &contacts, const SortDescriptor &descriptor)
{
    const TextOfRow text = textOfRowForKey(descriptor.key);
    FoldedKeys folded;
    std::vector<std::u32string_view> keys;
    keys.reserve(std::size_t(contacts.size()));
    std::vector<KeyedPlace> places;
    places.reserve(std::size_t(contacts.size()));
    for (const ContactRecordPtr &contact : contacts) {
        const bool shown = contact && !contact->deleted && contact->person;
        places.push_back({std::uint32_t(keys.size()), std::uint32_t(keys.size())});
        keys.push_back(shown ? folded.append(text(*contact->person, 0, descriptor.key)) : std::u32string_view());
    }
    sortKeyedPlaces(places, [&keys, ascending = descriptor.ascending](std::uint32_t a, std::uint32_t b) {
        return textOrdersBefore(keys[a], keys[b], ascending);
    });
    return places;
}

} // namespace

std::vector<std::uint32_t> SubContactTableSorter::orderOfContacts(
    const ContactTable &contacts, const SortDescriptor &descriptor)
{
    const std::vector<KeyedPlace> places = sortedContactPlaces(contacts, descriptor);
    std::vector<std::uint32_t> order;
    order.reserve(places.size());
    for (const KeyedPlace &place : places)
        order.push_back(place.row);
    return order;
}

void SubContactTableSorter::sort(QList<SubContactRecordPtr> &rows, const SortDescriptor &descriptor)
{
    const bool ascending = descriptor.ascending;
    if (descriptor.key == FieldId::Birthday) {
        sortByKeys<std::optional<QDate>>(
            rows,
            [](const SubContactRecord &row) -> std::optional<QDate> {
                if (row.labelIndex != 0 || !row.person)
                    return std::nullopt;
                return CalendarDate::sortDateFromComponents(row.person->birthdayValue()->value);
            },
            [ascending](const auto &a, const auto &b) { return dateOrdersBefore(a, b, ascending); });
        return;
    }
    sortByText(rows, descriptor);
}

bool SubContactTableSorter::sortsWholeContacts(const SortDescriptor &descriptor)
{
    return descriptor.key != FieldId::Birthday && isContactsText(textOfRowForKey(descriptor.key));
}

std::u32string SubContactTableSorter::caseFoldedKey(const QString &text)
{
    std::u32string folded(std::size_t(text.size()), U'\0');
    foldCase(text, folded.data());
    return folded;
}

void SubContactTableSorter::foldCase(QStringView text, char32_t *folded)
{
    char32_t last = 0;
    for (const QChar unit : text) {
        char32_t codePoint = unit.unicode();
        if (unit.isLowSurrogate() && QChar::isHighSurrogate(last))
            codePoint = QChar::surrogateToUcs4(char16_t(last), unit.unicode());
        last = unit.unicode();
        *folded++ = QChar::toCaseFolded(codePoint);
    }
}
