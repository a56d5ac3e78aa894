#include "table/SubContactTableSorter.h"

#include "model/CalendarDate.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "table/TableColumn.h"

#include <QDate>

#include <algorithm>
#include <optional>
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

template <typename Key> struct KeyedRow {
    Key key;
    SubContactRecordPtr row;
};

// Rows without a text come last whichever the direction.
bool textOrdersBefore(const std::u32string &a, const std::u32string &b, bool ascending)
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

// The rows in the keys' order. A table sorted again by the key its contact
// list was just sorted by is mostly in that order already, and is left so.
template <typename Key, typename Before>
void sortKeyedRows(QList<SubContactRecordPtr> &rows, std::vector<KeyedRow<Key>> &keyed, Before before)
{
    const auto rowBefore = [&before](const KeyedRow<Key> &a, const KeyedRow<Key> &b) { return before(a.key, b.key); };
    if (!std::is_sorted(keyed.begin(), keyed.end(), rowBefore))
        std::stable_sort(keyed.begin(), keyed.end(), rowBefore);
    for (qsizetype index = 0; index < rows.size(); ++index)
        rows[index] = std::move(keyed[std::size_t(index)].row);
}

template <typename Key, typename MakeKey, typename Before>
void sortByKeys(QList<SubContactRecordPtr> &rows, MakeKey makeKey, Before before)
{
    std::vector<KeyedRow<Key>> keyed;
    keyed.reserve(std::size_t(rows.size()));
    for (SubContactRecordPtr &row : rows)
        keyed.push_back({makeKey(*row), std::move(row)});
    sortKeyedRows(rows, keyed, before);
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
    // Reserved in full, so that the rows' pointers into it hold.
    std::vector<std::u32string> keys;
    keys.reserve(std::size_t(rows.size()));
    std::vector<KeyedRow<const std::u32string *>> keyed;
    keyed.reserve(std::size_t(rows.size()));
    const MVPerson *keyOf = nullptr;
    for (SubContactRecordPtr &row : rows) {
        if (keys.empty() || !contactsText || row->person.get() != keyOf) {
            keys.push_back(row->person
                    ? SubContactTableSorter::caseFoldedKey(text(*row->person, row->labelIndex, descriptor.key))
                    : std::u32string());
            keyOf = row->person.get();
        }
        keyed.push_back({&keys.back(), std::move(row)});
    }
    sortKeyedRows(rows, keyed, [ascending = descriptor.ascending](const std::u32string *a, const std::u32string *b) {
        return a != b && textOrdersBefore(*a, *b, ascending);
    });
}

} // namespace

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
    std::u32string folded;
    folded.reserve(std::size_t(text.size()));
    char32_t last = 0;
    for (const QChar unit : text) {
        char32_t codePoint = unit.unicode();
        if (unit.isLowSurrogate() && QChar::isHighSurrogate(last))
            codePoint = QChar::surrogateToUcs4(char16_t(last), unit.unicode());
        last = unit.unicode();
        folded.push_back(QChar::toCaseFolded(codePoint));
    }
    return folded;
}
