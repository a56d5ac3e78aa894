#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace Qt::Literals::StringLiterals;
using namespace std::string_view_literals;

namespace {

QString card(const QString &name, const QString &extra = {})
{
    return u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n%2END:VCARD\r\n"_s.arg(name, extra);
}

ContainerRecordPtr readOne(const QString &text)
{
    const ContainerTablePtr containers = MVvCard().containersFromVCards(text, nullptr);
    EXPECT_TRUE(containers);
    EXPECT_EQ(containers->size(), 1);
    return containers->constFirst();
}

QStringList names(const ContactTablePtr &contacts)
{
    QStringList list;
    for (const ContactRecordPtr &contact : *contacts)
        list.append(contact->person->compositeName());
    return list;
}

QStringList groupNames(const ContainerRecordPtr &container)
{
    QStringList list;
    for (const GroupRecordPtr &group : *container->groups)
        list.append(group->name);
    return list;
}

TEST(MVvCardReader, ShortOrCardlessTextGivesAnEmptyVCardContainer)
{
    for (const QString &text : {QString(), u"BEGIN:VCA"_s, u"no cards in here at all"_s}) {
        const ContainerRecordPtr container = readOne(text);
        EXPECT_EQ(groupNames(container), QStringList{u"All Contacts"_s});
        EXPECT_TRUE(container->groups->constFirst()->top);
        const ContactTablePtr none = MVvCard().contactsInContainer(container);
        EXPECT_TRUE(none && none->isEmpty());
    }
}

// CardDAV clients write "N:;;;;" beside the only name a card has.
TEST(MVvCardReader, CardNameComesFromNUnlessNNamesNobody)
{
    for (const auto &[lines, family, given] :
        {std::tuple{u"N:;;;;\r\nFN:Test bday without year Thunderbird CardBook\r\n"_s, QString(),
             u"Test bday without year Thunderbird CardBook"_s},
            {u"FN:Jane Roe\r\n"_s, QString(), u"Jane Roe"_s},
            {u"N:Doe;John;;;\r\nFN:Johnny Doe\r\n"_s, u"Doe"_s, u"John"_s}}) {
        const ContactTablePtr contacts
            = MVvCard().contactsInContainer(readOne(u"BEGIN:VCARD\r\nVERSION:3.0\r\n"_s + lines + u"END:VCARD\r\n"_s));
        ASSERT_EQ(contacts->size(), 1);
        MVPerson &person = *contacts->constFirst()->person;
        EXPECT_EQ(person.stringValueForIdentifier(FieldId::LastName, 0), family) << qPrintable(lines);
        EXPECT_EQ(person.stringValueForIdentifier(FieldId::FirstName, 0), given) << qPrintable(lines);
    }
}

// Every read makes new contacts with identifiers of their own, whatever UID says.
TEST(MVvCardReader, LowerCaseBeginAndEndAreNewCards)
{
    const QString text
        = u"begin:vcard\nversion:3.0\nfn:Ann\nn:Ann;;;;\nend:vcard\n"_s + card(u"Ben"_s, u"UID:fixed-uid\r\n"_s);
    const ContactTablePtr contacts = MVvCard().contactsInContainer(readOne(text));
    EXPECT_EQ(names(contacts), (QStringList{u"Ann"_s, u"Ben"_s}));
    for (const ContactRecordPtr &contact : *contacts) {
        EXPECT_TRUE(contact->isNew);
        EXPECT_TRUE(contact->person->created());
        EXPECT_EQ(contact->uniqueId, contact->person->uniqueId());
    }
    const ContactTablePtr again = MVvCard().contactsInContainer(readOne(text));
    EXPECT_NE(again->at(1)->uniqueId, contacts->at(1)->uniqueId);
    EXPECT_NE(contacts->at(1)->uniqueId, u"fixed-uid"_s);
}

TEST(MVvCardReader, CategoriesMakeGroupsInTheOrderMet)
{
    const QString text = card(u"Ann"_s, u"CATEGORIES:Golf, Work\r\n"_s) + card(u"Ben"_s, u"CATEGORIES:Work\r\n"_s)
        + card(u"Cid"_s, u"CATEGORIES:Chess\r\nCATEGORIES:Golf\r\n"_s)
        + card(u"Dan"_s, u"categories:Lower\r\nX-CATEGORIES:Other\r\nCATEGORIES;CHARSET=UTF-8:Param\r\n"_s)
        // A category named like the top group is the top group; escaped and older names read back.
        + card(u"Eve"_s, u"CATEGORIES:All Contacts,All Contacts\r\nCATEGORIES:All Contacts\r\n"_s)
        + card(u"Fay"_s, u"CATEGORIES:Smith\\, Jones,C:\\dir\r\nCATEGORIES:Club\\;1,,\\\\x\\\r\nCATEGORIES: , \r\n"_s);
    const ContainerRecordPtr container = readOne(text);
    EXPECT_EQ(groupNames(container),
        (QStringList{u"All Contacts"_s, u"Golf"_s, u"Work"_s, u"Chess"_s, u"Smith, Jones"_s, u"C:\\dir"_s, u"Club;1"_s,
            u"\\x\\"_s}));
    const GroupList &groups = *container->groups;
    EXPECT_EQ(names(groups.at(1)->contactTable), (QStringList{u"Ann"_s, u"Cid"_s}));
    EXPECT_EQ(names(groups.at(2)->contactTable), (QStringList{u"Ann"_s, u"Ben"_s}));
    EXPECT_EQ(names(groups.at(3)->contactTable), QStringList{u"Cid"_s});
    EXPECT_EQ(names(groups.at(0)->contactTable).size(), 6);
    for (qsizetype i = 1; i < groups.size(); ++i)
        EXPECT_EQ(MVvCard().contactsForGroup(groups.at(i), container), groups.at(i)->contactTable);
    // The same contact object sits in the top group and in its category groups.
    EXPECT_EQ(groups.at(1)->contactTable->constFirst(), groups.at(0)->contactTable->constFirst());
}

// Cards mostly repeat the categories of the card before; a card that adds a
// line to them, names fewer, or names none is in its own groups all the same.
TEST(MVvCardReader, CardsRepeatingTheCategoriesBeforeThemJoinTheirOwnGroups)
{
    const QString golfAndWork = u"CATEGORIES:Golf,Work\r\n"_s;
    const QString text = card(u"Ann"_s, golfAndWork) + card(u"Ben"_s, golfAndWork)
        + card(u"Cid"_s, golfAndWork + u"CATEGORIES:Chess\r\n"_s) + card(u"Dan"_s, golfAndWork)
        + card(u"Eve"_s, u"CATEGORIES:Work\r\n"_s) + card(u"Fay"_s) + card(u"Gus"_s, golfAndWork)
        + card(u"Hal"_s, u"CATEGORIES:Work,Golf\r\n"_s);
    const ContainerRecordPtr container = readOne(text);
    EXPECT_EQ(groupNames(container), (QStringList{u"All Contacts"_s, u"Golf"_s, u"Work"_s, u"Chess"_s}));
    const GroupList &groups = *container->groups;
    EXPECT_EQ(
        names(groups.at(1)->contactTable), (QStringList{u"Ann"_s, u"Ben"_s, u"Cid"_s, u"Dan"_s, u"Gus"_s, u"Hal"_s}));
    EXPECT_EQ(names(groups.at(2)->contactTable),
        (QStringList{u"Ann"_s, u"Ben"_s, u"Cid"_s, u"Dan"_s, u"Eve"_s, u"Gus"_s, u"Hal"_s}));
    EXPECT_EQ(names(groups.at(3)->contactTable), QStringList{u"Cid"_s});
    EXPECT_EQ(names(groups.at(0)->contactTable).size(), 8);
}

TEST(MVvCardReader, JointNamesAreTheRestOfTheirLine)
{
    // "." of the property's pattern matches no carriage return.
    for (const auto &[line, renmei] : {std::pair{u"X-RENMEI:花子\\n一郎\r\n"_s, u"花子\n一郎"_s},
             {u"X-RENMEI:\r\n"_s, QString()}, {u"x-renmei:lower\r\n"_s, QString()},
             {u"NOTE:X-RENMEI:in a note\r\n"_s, QString()}, {u"X-RENMEI:a\rb\r\n"_s, u"a"_s}}) {
        const ContactTablePtr contacts = MVvCard().contactsInContainer(readOne(card(u"Ann"_s, line)));
        EXPECT_EQ(contacts->constFirst()->person->stringValueForIdentifier(FieldId::Renmei, 0), renmei)
            << qPrintable(line);
    }
}

TEST(MVvCardReader, EachLayoutLineGoesToTheAddressAtItsPosition)
{
    const QString addresses = u"ADR;TYPE=HOME:;;Street 1;City;;100-0001;Japan\r\n"
                              u"ADR;TYPE=WORK:;;Street 2;City;;100-0002;Japan\r\n"_s;
    const QString layouts = u"X-HAGAKILAYOUTS:5;ra:{{10.00,20.00},{30.00,40.00}};\r\n 3;\r\n\r\n 7;\r\n 1;\r\n"_s;
    const ContactTablePtr contacts = MVvCard().contactsInContainer(readOne(card(u"Ann"_s, addresses + layouts)));
    MVPerson &person = *contacts->constFirst()->person;
    EXPECT_EQ(InterchangeTestContacts::layoutStrings(person),
        (QStringList{u"5;ra:{{10.00,20.00},{30.00,40.00}};"_s, u"3;"_s}));
    EXPECT_EQ(person.labeledValueForIdentifierAtIndex(FieldId::Address, 0)->addressParts().street, u"Street 1"_s);
}

TEST(MVvCardReader, StopsWhenTheHandlerSaysAndReportsCharacterPositions)
{
    const QString first = card(u"Ann"_s);
    const QString text = first + u"\r\n"_s + card(u"Ben"_s) + card(u"Cid"_s);
    QList<quint64> positions;
    const ContainerTablePtr stopped = MVvCard().containersFromVCards(text, nullptr, [&](bool *stop, quint64 position) {
        positions.append(position);
        *stop = positions.size() == 2;
    });
    EXPECT_FALSE(stopped);
    ASSERT_EQ(positions.size(), 2);
    EXPECT_EQ(positions.at(0), quint64(first.size() - 1)); // just past the carriage return
    EXPECT_EQ(positions.at(1), quint64(first.size() + 2 + card(u"Ben"_s).size() - 1));
}

TEST(MVvCardReader, DamagedInputGivesTheContactsThatCanBeRead)
{
    const QStringList both{u"Ann"_s, u"Ben"_s};
    for (const auto &[damage, text, contacts] :
        {std::tuple<const char *, QString, QStringList>{
             "truncated last card", card(u"Ann"_s) + u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ben\r\nN:Ben;;;"_s, both},
            {"card without end before the next", u"BEGIN:VCARD\r\nFN:Ann\r\nN:Ann;;;;\r\n"_s + card(u"Ben"_s), both},
            {"end inside a note", card(u"Ann"_s, u"NOTE:this END:VCARD is text\r\n"_s) + card(u"Ben"_s), both},
            {"binary between cards",
                card(u"Ann"_s) + QString::fromLatin1(QByteArrayView("\x00\x01\xff\xfe garbage\x7f"sv)) + card(u"Ben"_s),
                both},
            {"broken lines inside", card(u"Ann"_s, u"no colon here\r\n;;;\r\n:\r\nX-HAGAKILAYOUTS:\r\n"_s),
                QStringList{u"Ann"_s}}})
        EXPECT_EQ(names(MVvCard().contactsInContainer(readOne(text))), contacts) << damage;
}

TEST(MVvCardReader, LongMalformedTextEnds)
{
    // Megabytes of starts without ends, of one line without a line end, and
    // of layout continuation lines must end in reasonable time.
    QString begins;
    for (int i = 0; i < 20000; ++i)
        begins += u"BEGIN:VCARD\r\n"_s;
    EXPECT_TRUE(MVvCard().containersFromVCards(begins, nullptr));
    const QString longLine = u"BEGIN:VCARD\r\nFN:"_s + QString(2'000'000, u'x') + u"\r\nEND:VCARD\r\n"_s;
    EXPECT_EQ(MVvCard().contactsInContainer(readOne(longLine))->size(), 1);
    QString layouts = u"X-HAGAKILAYOUTS:1;\r\n"_s;
    for (int i = 0; i < 100000; ++i)
        layouts += u" 1;\r\n"_s;
    EXPECT_EQ(MVvCard().contactsInContainer(readOne(card(u"Ann"_s, layouts)))->size(), 1);
}

} // namespace
