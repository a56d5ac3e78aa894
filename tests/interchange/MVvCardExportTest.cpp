#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"
#include "model/HagakiLayoutString.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;
using namespace InterchangeTestContacts;

namespace {

const vCardExportOptions textOptions{u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};
const vCardExportOptions allOptions{u"Note"_s, u"Photo"_s, u"Renmei"_s, u"HagakiLayout"_s};

GroupRecordPtr group(const QString &name, const ContactTable &members, bool top = false)
{
    auto made = std::make_shared<GroupRecord>();
    made->name = name;
    made->top = top;
    made->contactTable = std::make_shared<ContactTable>(members);
    return made;
}

QString groupNamesOf(const ContainerRecordPtr &container, const QString &composite)
{
    QStringList names;
    for (const GroupRecordPtr &candidate : *container->groups) {
        for (const ContactRecordPtr &member : *candidate->contactTable) {
            if (!candidate->top && member->person->compositeName() == composite)
                names.append(candidate->name);
        }
    }
    return names.join(u'|');
}

TEST(MVvCardExport, GroupedExportKeepsItsText)
{
    auto contacts = std::make_shared<ContactTable>();
    for (const QString &name : {u"Ann"_s, u"Ben"_s, u"Cid"_s, u"Dan"_s})
        contacts->append(contactOf(personWithLabel(u"home"_s, name)));
    contacts->at(0)->person->setValue(u"Met in 2019\nat the club"_s, FieldId::Note);
    contacts->at(0)->person->setValue(u"山田花子\n山田一郎"_s, FieldId::Renmei);
    const ContactTable &all = *contacts;
    auto container = std::make_shared<ContainerRecord>();
    container->groups->append({group(u"All Contacts"_s, all, true), group(u"Golf"_s, {all[0], all[3], all[0]}),
        group(u"Smith, Jones"_s, {all[2], all[0]}), group(u"年賀状"_s, {all[3]})});

    const std::optional<QString> text = MVvCard().vCardsFromContacts(contacts, textOptions, container);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, dataText(u"exports/grouped_export.vcf"_s));

    const ContainerRecordPtr read = MVvCard().containersFromVCards(*text, nullptr)->constFirst();
    EXPECT_EQ(groupNamesOf(read, u"Ann Family"_s), u"Golf|Smith, Jones"_s);
    EXPECT_EQ(groupNamesOf(read, u"Ben Family"_s), QString());
    EXPECT_EQ(groupNamesOf(read, u"Cid Family"_s), u"Smith, Jones"_s);
    EXPECT_EQ(groupNamesOf(read, u"Dan Family"_s), u"Golf|年賀状"_s);
}

// Long enough that every own property needs several lines: a note of kanji
// with line breaks, separators and a card's end and begin, many joint names,
// postcard layouts with all four frames, many long category names and a
// photo. A job title ends a card too.
MVPersonPtr personWithLongValues(const QString &name)
{
    const MVPersonPtr person = fullPerson();
    NameRecord names;
    names.firstName = name;
    names.lastName = u"山田"_s;
    person->setValue(names, FieldId::Name);
    person->setValue(
        u"年賀状は毎年送付、喪中の年は寒中見舞い。\n二〇一九年に名刺交換; 趣味はゴルフと釣り 🎣, café。\\n"_s.repeated(4)
            + u"\nEND:VCARD\nBEGIN:VCARD"_s,
        FieldId::Note);
    person->setValue(u"Manager, END:VCARD"_s, FieldId::JobTitle);
    person->setValue(
        u"山田花子\n山田一郎\n山田次郎\n山田三郎\n山田四郎\n山田五郎\n山田六郎\n山田七郎\n山田八郎"_s, FieldId::Renmei);
    const QString wide = u"7;ra:{{1000.25,2000.50},{3000.75,4000.00}};rn:{{1.50,2.25},{100.00,50.00}};"
                         u"sa:{{5.00,6.00},{7.00,8.00}};sn:{{9.00,10.00},{11.00,12.00}};"_s;
    for (qsizetype i = 0; i < 3; ++i) {
        LabeledValueRecord address = *person->labeledValueForIdentifierAtIndex(FieldId::Address, i);
        HagakiLayoutString::parse(i == 1 ? u"3;"_s : wide, *address.layout);
        person->replaceLabeledValueAtIndex(address, FieldId::Address, i);
    }
    return person;
}

// Every physical line at most 75 octets and whole UTF-8 on its own.
void expectFoldedLines(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype start = 0; start < utf8.size();) {
        qsizetype end = utf8.indexOf("\r\n", start);
        end = end < 0 ? utf8.size() : end;
        const QByteArrayView line = QByteArrayView(utf8).sliced(start, end - start);
        EXPECT_LE(line.size(), 75) << line.toByteArray().toStdString();
        QStringDecoder decoder(QStringDecoder::Utf8);
        (void)decoder.decode(line);
        EXPECT_FALSE(decoder.hasError()) << line.toByteArray().toStdString();
        start = end + 2;
    }
}

TEST(MVvCardExport, NoLineIsLongerThan75OctetsAndEveryValueReadsBack)
{
    auto contacts = std::make_shared<ContactTable>();
    for (const QString &name : {u"太郎"_s, u"花子"_s})
        contacts->append(contactOf(personWithLongValues(name)));
    auto container = std::make_shared<ContainerRecord>();
    container->groups->append(group(u"All Contacts"_s, *contacts, true));
    QStringList categories;
    for (int i = 0; i < 12; ++i) {
        categories.append(u"年賀状を送る友人, 第%1組"_s.arg(i));
        container->groups->append(group(categories.constLast(), *contacts));
    }
    categories.append(u"Go, Chess; Shogi \\ Club"_s);
    container->groups->append(group(categories.constLast(), *contacts));
    const QString text = MVvCard().vCardsFromContacts(contacts, allOptions, container).value_or(QString());
    expectFoldedLines(text);

    const ContainerRecordPtr read = MVvCard().containersFromVCards(text, nullptr)->constFirst();
    const ContactTablePtr readContacts = MVvCard().contactsInContainer(read);
    ASSERT_EQ(readContacts->size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        MVPerson &original = *contacts->at(i)->person;
        MVPerson &back = *readContacts->at(i)->person;
        expectSameContact(original, back);
        EXPECT_EQ(groupNamesOf(read, back.compositeName()), categories.join(u'|'));
    }

    // A row's card and a person's card alike.
    for (const QString &card : {MVvCard().vCardFromContact(contacts->constFirst(), allOptions),
             MVvCard().vCardFromPerson(contacts->constFirst()->person, allOptions, {})}) {
        expectFoldedLines(card);
        const ContactTablePtr cardBack
            = MVvCard().contactsInContainer(MVvCard().containersFromVCards(card, nullptr)->constFirst());
        ASSERT_EQ(cardBack->size(), 1);
        expectSameContact(*contacts->constFirst()->person, *cardBack->constFirst()->person);
    }
}

// Lines written before the own properties were folded, each as long as its value.
TEST(MVvCardExport, OldUnfoldedLinesReadAsBefore)
{
    const QString text = dataText(u"exports/unfolded_own_properties.vcf"_s).replace(u'\n', u"\r\n"_s);
    const QString layout = u"7;ra:{{10.00,20.00},{30.00,40.00}};rn:{{1.50,2.25},{100.00,50.00}};"
                           u"sa:{{5.00,6.00},{7.00,8.00}};sn:{{9.00,10.00},{11.00,12.00}};"_s;
    const ContainerRecordPtr read = MVvCard().containersFromVCards(text, nullptr)->constFirst();
    const ContactTablePtr contacts = MVvCard().contactsInContainer(read);
    ASSERT_EQ(contacts->size(), 1);
    MVPerson &person = *contacts->constFirst()->person;
    EXPECT_EQ(person.stringValueForIdentifier(FieldId::Note, 0),
        u"年賀状は毎年送付。\n二〇一九年に名刺交換。\n趣味はゴルフと釣り。\n連絡は午前中が望ましい。\n住所変更の連絡あり, 要確認。"_s);
    EXPECT_EQ(person.stringValueForIdentifier(FieldId::Renmei, 0),
        u"山田花子\n山田一郎\n山田次郎\n山田三郎\n山田四郎\n山田五郎\n山田六郎"_s);
    EXPECT_EQ(layoutStrings(person), (QStringList{layout, u"2;rn:{{1.50,2.25},{100.00,50.00}};"_s}));
    EXPECT_EQ(groupNamesOf(read, person.compositeName()),
        u"年賀状を送る友人|第一組|第二組|第三組|第四組|第五組|第六組|第七組"_s);
}

} // namespace

namespace {

// A related name and a date the user left without a label come back without
// one, beside labelled ones that keep theirs.
TEST(MVvCardExport, UnlabelledRelationAndDateStayUnlabelled)
{
    const MVPersonPtr person = personWithLabel(u"home"_s, u"Eve"_s);
    person->addLabeledValue(labeled(QString(), u"山田花子"_s), FieldId::Relationship);
    person->addLabeledValue(labeled(u"mother"_s, u"山田春子"_s), FieldId::Relationship);
    LabeledValueRecord date = labeled(QString(), QString());
    date.value = StoreDateComponents{2010, 4, 1};
    person->addLabeledValue(date, FieldId::Dates);
    auto contacts = std::make_shared<ContactTable>(ContactTable{contactOf(person)});
    auto container = std::make_shared<ContainerRecord>();
    container->groups->append(group(u"All Contacts"_s, *contacts, true));

    const std::optional<QString> text = MVvCard().vCardsFromContacts(contacts, textOptions, container);
    ASSERT_TRUE(text);
    const ContactTablePtr again
        = MVvCard().contactsInContainer(MVvCard().containersFromVCards(*text, u"UTF-8"_s, nullptr)->constFirst());
    ASSERT_EQ(again->size(), 1);
    expectSameValues(*person, *again->constFirst()->person);
}

} // namespace
