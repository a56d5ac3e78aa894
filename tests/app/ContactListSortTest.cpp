// The shown contact list sorted by a header: texts compared without case,
// kana and kanji by code point, empty texts last in both directions, and
// equal texts by identifier as text, whatever the direction.
#include "app/ContactTableSorter.h"
#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Named {
    QString given;
    QString identifier;
    bool company = false;
};

ContactTable contactsNamed(const QList<Named> &names)
{
    ContactTable contacts;
    for (const Named &named : names) {
        StoreContact contact;
        if (named.company) {
            contact.setContactType(StoreContact::ContactType::Organization);
            contact.setOrganizationName(named.given);
        } else {
            contact.setGivenName(named.given);
        }
        ContactRecordPtr row = ContactRecord::makeWithPerson(MVPerson::initWithCNContact(contact));
        row->uniqueId = UniqueId(named.identifier);
        contacts.append(row);
    }
    return contacts;
}

QStringList namesOf(const ContactTable &contacts)
{
    QStringList names;
    for (const ContactRecordPtr &contact : contacts)
        names.append(contact->person->nameValue()->showAsPerson ? contact->person->nameValue()->firstName
                                                                : contact->person->stringValues()->value(u"Company"_s));
    return names;
}

QString uuid(const char *first)
{
    return QString::fromLatin1(first) + u"-0000-4000-8000-000000000000"_s;
}

struct ListSortCase {
    bool ascending;
    QStringList order;
};

class ListSortedByText : public testing::TestWithParam<ListSortCase> { };

TEST_P(ListSortedByText, OrdersTextsWithoutCaseEmptyLastAndTiesByIdentifierText)
{
    ContactTable contacts = contactsNamed({
        {u"bob"_s, uuid("20000000")},
        {u""_s, uuid("00000000")},
        {u"やまだ"_s, uuid("30000000")},
        {u"Bob"_s, uuid("10000000")},
        {u"ALICE"_s, uuid("abcdef00")},
        {u"山田"_s, uuid("40000000")},
        {u"Straße"_s, uuid("50000000")},
        // Equal to ALICE's identifier but for its case: upper case orders
        // first as text.
        {u"alice"_s, uuid("ABCDEF00")},
        {u"Émile SA"_s, uuid("60000000"), true},
        {u"ヤマダ"_s, u"not a uuid"_s},
        {u"STRASSE"_s, uuid("70000000")},
        // Bob's identifier again, in digits only: equal texts keep their
        // order.
        {u"bob"_s, uuid("10000000").toUpper()},
    });
    ContactTableSorter::sortContactTable(contacts, {{u"FirstName"_s, GetParam().ascending}});
    EXPECT_EQ(namesOf(contacts), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Directions, ListSortedByText,
    testing::Values(ListSortCase{true,
                        {u"alice"_s, u"ALICE"_s, u"Bob"_s, u"bob"_s, u"bob"_s, u"STRASSE"_s, u"Straße"_s, u"Émile SA"_s,
                            u"やまだ"_s, u"ヤマダ"_s, u"山田"_s, u""_s}},
        ListSortCase{false,
            {u"山田"_s, u"ヤマダ"_s, u"やまだ"_s, u"Émile SA"_s, u"Straße"_s, u"STRASSE"_s, u"Bob"_s, u"bob"_s,
                u"bob"_s, u"alice"_s, u"ALICE"_s, u""_s}}),
    [](const auto &info) { return info.param.ascending ? "Ascending" : "Descending"; });

} // namespace
