#include "model/AddressText.h"
#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"
#include "model/PostalAddressTemplate.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

#include "PersonTestContacts.h"
#include "common/QtPrinting.h"

#include <gtest/gtest.h>

#include <QScopeGuard>

namespace {

LabeledValueRecord textRecord(const QString &label, const QString &value, qint64 labelIndex = -1)
{
    LabeledValueRecord record;
    record.label = label;
    record.value = value;
    record.labelIndex = labelIndex;
    return record;
}

LabeledValueRecordPtr shared(const LabeledValueRecord &record)
{
    return std::make_shared<LabeledValueRecord>(record);
}

// "labelIndex label: shown text" for each record.
QStringList listing(const LabeledValueList &records)
{
    QStringList lines;
    for (const LabeledValueRecordPtr &record : records)
        lines.append(QString::number(record->labelIndex) + u' ' + record->labelText() + ": " + record->stringValue);
    return lines;
}

// "labelIndex label: text form" for each layout.
QStringList listing(const HagakiLayoutList &layouts)
{
    QStringList lines;
    for (const HagakiLayoutRecordPtr &layout : layouts)
        lines.append(QString::number(layout->labelIndex) + u' ' + layout->label.value_or("-") + ": "
            + (layout->isUnset() ? QString() : HagakiLayoutString::fromLayout(*layout)));
    return lines;
}

// Two addresses alike but for their labels, no country name, and social
// profiles known only by their services.
StoreContact sampleContact()
{
    StoreContact contact = PersonTestContacts::fullContact();
    contact.setNamePrefix({});
    contact.setMiddleName({});
    contact.setPhoneticMiddleName({});
    contact.setNote("note");
    StorePostalAddress address = PersonTestContacts::tokyoAddress();
    address.country.clear();
    contact.setPostalAddresses({{QString(ContactLabels::home), address}, {"_$!<Cottage>!$_", address}});
    contact.setSocialProfiles(
        {{"", StoreSocialProfile{"", "taro", "", "twitter"}}, {"", StoreSocialProfile{"", "yamada", "", "Twitter"}}});
    return contact;
}

TEST(PersonCaches, FillOnceFromTheStoreContactWithPlainLabelsAndNumbers)
{
    MVPerson person;
    person.setCnContact(sampleContact());
    const LabeledValueListPtr phones = person.phoneValues();
    EXPECT_EQ(listing(*phones), QStringList({"0 mobile: 090-1234-5678", "1 work: 03-1234-5678"}));
    // The phonetic name follows the order the name gives, also when read first.
    EXPECT_EQ(person.phoneticNameValue()->stringValue, "ヤマダ タロウ");
    EXPECT_EQ(person.nameValue()->stringValue, "山田 太郎");
    EXPECT_EQ(person.nameOrdering(), 2);
    EXPECT_EQ(
        QString(person.stringValues()->value(FieldId::Company) + u'|' + person.stringValues()->value(FieldId::Note)),
        "Morvane|note");
    EXPECT_FALSE(person.stringValues()->renmei.has_value());
    EXPECT_EQ(person.emailValues()->first()->accountParts().username + u'|'
            + person.emailValues()->first()->accountParts().domain,
        "taro|example.jp");
    EXPECT_EQ(listing(*person.addressValues()),
        QStringList({"0 home: 100-0001 東京都 千代田区 千代田1-1 ", "1 Cottage: 100-0001 東京都 千代田区 千代田1-1 "}));
    EXPECT_EQ(listing(*person.urlValues()) + listing(*person.snsValues()) + listing(*person.imsValues())
            + listing(*person.relationshipValues()),
        QStringList({"0 home page: https://example.jp", "0 Twitter: taro", "1 Twitter: yamada", "0 work: Skype:taro",
            "0 son: 次郎"}));
    EXPECT_EQ(listing(*person.datesValues()).first().left(15), "0 anniversary: ");
    EXPECT_EQ(std::get<StoreDateComponents>(person.datesValues()->first()->value), (StoreDateComponents{2010, 6, 1}));
    EXPECT_EQ(person.birthdayValue()->value, (StoreDateComponents{1980, 4, 1}));
    EXPECT_TRUE(person.birthdayValue()->stringValue.startsWith("1980.04.01("));
    person.setCnContact(std::nullopt);
    EXPECT_EQ(person.phoneValues(), phones);
}

TEST(PersonCaches, DetachedAddressesRecomputeTheirTextOnEveryRead)
{
    MVPerson detached;
    detached.setCnContact(sampleContact());
    detached.addressValues();
    detached.setCnContact(std::nullopt);
    detached.addressValues()->first()->address->street = "丸の内1-1";
    EXPECT_EQ(detached.addressValues()->first()->stringValue, "100-0001 東京都 千代田区 丸の内1-1 ");
}

// Formatting addresses was most of the cost of loading a large address book:
// a load makes no mailing form, only the address editor asks for one, and
// what a later read recomputes is what the load made.
TEST(PersonCaches, ALoadMakesNoMailingForm)
{
    MVPerson::initializeClass();
    int formatted = 0;
    StorePostalAddressFormatter::setFormatProvider([&formatted](const QString &code) {
        ++formatted;
        return PostalAddressTemplate::forCountry(code);
    });
    const auto restore = qScopeGuard([] { PostalAddressTemplate::install(); });
    const MVPersonPtr person = MVPerson::initWithCNContact(sampleContact());
    EXPECT_EQ(formatted, 0);

    LabeledValueList loaded;
    for (const LabeledValueRecordPtr &address : *person->heldLabeledValues(FieldId::Address))
        loaded.append(std::make_shared<LabeledValueRecord>(*address));
    const LabeledValueListPtr reread = person->addressValues();
    ASSERT_EQ(reread->size(), loaded.size());
    for (qsizetype i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(*reread->at(i), *loaded.at(i));
        EXPECT_EQ(person->hagakiLayouts()->at(i)->label, loaded.at(i)->label);
    }
    EXPECT_EQ(AddressText::mailingForm(*loaded.first(), AddressText::IncludeCountryAndZIP),
        "100-0001 東京都 千代田区\n千代田1-1");
    EXPECT_EQ(formatted, 1);
}

// Contacts without a value of a field share what stands for none; changing
// one contact's must neither reach the other nor stop the write-back from
// clearing what the store holds.
TEST(PersonCaches, ContactsWithoutValuesKeepTheirChangesApart)
{
    StoreContact bare;
    bare.setGivenName("太郎");
    const MVPersonPtr changed = MVPerson::initWithCNContact(bare);
    const MVPersonPtr other = MVPerson::initWithCNContact(bare);
    for (const ContactIdentifier &identifier : MVPerson::labeledIdentifiers())
        changed->labeledValues(identifier)->append(std::make_shared<LabeledValueRecord>());
    changed->phoneticNameValue()->firstName = "タロウ";
    changed->birthdayValue()->stringValue = "2000.01.01(Sat)";
    changed->stringValues()->company = "Morvane";
    changed->hagakiLayouts()->first()->sender = true;

    for (const ContactIdentifier &identifier : MVPerson::labeledIdentifiers())
        EXPECT_TRUE(other->labeledValues(identifier)->isEmpty()) << identifier.toStdString();
    EXPECT_EQ(*other->phoneticNameValue(), PhoneticNameRecord());
    EXPECT_EQ(*other->birthdayValue(), BirthdayRecord());
    EXPECT_EQ(other->stringValues()->company, QString());
    EXPECT_EQ(*other->hagakiLayouts()->first(), HagakiLayoutRecord());
    const StoreContact written = MVPerson::initWithCNContact(bare)->contactFromCache(sampleContact());
    EXPECT_TRUE(written.phoneNumbers().isEmpty());
    EXPECT_TRUE(written.phoneticGivenName().isEmpty());
    EXPECT_EQ(written.organizationName(), QString());
}

// Contacts made one after the other keep their own caches in room of just
// their number: none, one (kept in place), a few or all of them. Each reads
// back its own values, whatever the contacts made before and after it held.
TEST(PersonCaches, ContactsMadeInTurnKeepTheirOwnCachesWhateverTheirNumber)
{
    StoreContact bare;
    bare.setGivenName("太郎");
    StoreContact onePhone = bare;
    onePhone.setPhoneNumbers({StoreLabeledValue<StorePhoneNumber>(
        ContactLabels::phoneNumberMobile, *StorePhoneNumber::phoneNumberWithStringValue("090-1111-2222"))});
    StoreContact phoneAndMail = onePhone;
    phoneAndMail.setEmailAddresses({StoreLabeledValue<QString>(ContactLabels::work, "taro@example.jp")});
    const StoreContact contacts[] = {bare, onePhone, PersonTestContacts::fullContact(), phoneAndMail, bare, onePhone};
    QList<MVPersonPtr> made;
    for (const StoreContact &contact : contacts)
        made.append(MVPerson::initWithCNContact(contact));
    for (qsizetype i = 0; i < made.size(); ++i) {
        const StoreContact &contact = contacts[i];
        const MVPersonPtr &person = made.at(i);
        EXPECT_EQ(person->phoneValues()->size(), contact.phoneNumbers().size()) << i;
        EXPECT_EQ(person->emailValues()->size(), contact.emailAddresses().size()) << i;
        EXPECT_EQ(person->addressValues()->size(), contact.postalAddresses().size()) << i;
        EXPECT_EQ(person->stringValues()->company, contact.organizationName()) << i;
        if (!contact.phoneNumbers().isEmpty()) {
            EXPECT_EQ(person->phoneValues()->constFirst()->stringValue,
                contact.phoneNumbers().constFirst().value().stringValue())
                << i;
        }
        if (!contact.emailAddresses().isEmpty()) {
            EXPECT_EQ(person->emailValues()->constFirst()->stringValue, contact.emailAddresses().constFirst().value())
                << i;
        }
        EXPECT_EQ(person->vCardData(), MVPerson::initWithCNContact(contact)->vCardData()) << i;
    }
}

// One cache going from its own value to the shared empty one, to none and
// back to its own leaves the caches held around it as they were.
TEST(PersonCaches, ACacheChangingStateLeavesTheOthersTheirValues)
{
    StoreContact bare;
    bare.setGivenName("太郎");
    const MVPersonPtr person = MVPerson::initWithCNContact(bare);
    const LabeledValueListPtr noEmails = person->heldLabeledValues(FieldId::Email);
    person->addLabeledValue(textRecord("home", "03-1111-1111"), FieldId::Phone);
    person->addLabeledValue(textRecord("home", "https://example.jp"), FieldId::URL);
    const LabeledValueListPtr phones = person->heldLabeledValues(FieldId::Phone);
    person->birthdayValue()->stringValue = "2000.01.01(Sat)";
    person->emailValues()->append(shared(textRecord("work", "a@example.jp")));
    person->setEmailValues(noEmails);
    EXPECT_EQ(person->heldLabeledValues(FieldId::Email), noEmails);
    person->setEmailValues(nullptr);
    const StoreContact written = person->contactFromCache(sampleContact());
    EXPECT_EQ(written.emailAddresses().size(), 1);
    EXPECT_TRUE(person->emailValues()->isEmpty());
    EXPECT_NE(person->heldLabeledValues(FieldId::Email), noEmails);

    EXPECT_EQ(person->phoneValues(), phones);
    EXPECT_EQ(listing(*phones) + listing(*person->urlValues()),
        QStringList({"0 home: 03-1111-1111", "0 home: https://example.jp"}));
    EXPECT_EQ(person->birthdayValue()->stringValue, "2000.01.01(Sat)");
    EXPECT_EQ(written.phoneNumbers().size(), 1);
    // Down to the phone list alone.
    person->setUrlValues(nullptr);
    person->setEmailValues(nullptr);
    person->setBirthdayValue(nullptr);
    EXPECT_EQ(listing(*person->heldLabeledValues(FieldId::Phone)), QStringList({"0 home: 03-1111-1111"}));
}

TEST(PersonLabelIndex, AddingNumbersAfterTheLargestAndDeletingNeverRenumbers)
{
    const MVPersonPtr person = MVPerson::init();
    person->addLabeledValue(textRecord("home", "03-1111-1111"), FieldId::Phone);
    person->addLabeledValue(textRecord("work", "03-2222-2222"), FieldId::Phone);
    person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Phone, 0);
    person->addLabeledValue(textRecord("mobile", "090-3333-3333"), FieldId::Phone);
    EXPECT_EQ(listing(*person->phoneValues()), QStringList({"1 work: 03-2222-2222", "2 mobile: 090-3333-3333"}));
    EXPECT_EQ(person->labeledValueForIdentifierAtLabelIndex(FieldId::Phone, 1)->valueText(), "03-2222-2222");
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Phone, 2), "090-3333-3333");
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Phone, 0), "");

    // The first record of a label index; the end for one that is missing.
    const LabeledValueList values{
        shared(textRecord("a", "x", 3)), shared(textRecord("b", "x", 0)), shared(textRecord("c", "x", 3))};
    EXPECT_EQ(MVPerson::findLabeledValue(values, 3), 0);
    EXPECT_EQ(MVPerson::findLabeledValue(values, 7), 3);
    EXPECT_EQ(MVPerson::findLabeledValue(values, -1), MVPerson::NotFound);
}

class PersonWholeList : public testing::TestWithParam<std::pair<QList<qint64>, QStringList>> { };

TEST_P(PersonWholeList, NewValuesAreNumberedFromTheLargestPlusOne)
{
    const MVPersonPtr person = MVPerson::init();
    LabeledValueList list;
    for (const qint64 labelIndex : GetParam().first)
        list.append(shared(textRecord("work", "a@example.jp", labelIndex)));
    person->replaceLabeledValueAtLabelIndex(list, FieldId::Email, 0);
    QStringList numbers;
    for (const QString &line : listing(*person->emailValues()))
        numbers.append(line.section(u' ', 0, 0));
    EXPECT_EQ(numbers, GetParam().second);
    // The caller's own records are the ones stored and numbered.
    EXPECT_EQ(person->emailValues()->first(), list.first());
    EXPECT_EQ(list.first()->accountParts().domain, "example.jp");
}

INSTANTIATE_TEST_SUITE_P(Rows, PersonWholeList,
    testing::Values(std::pair{QList<qint64>{4, -1, -1}, QStringList{"4", "5", "6"}},
        std::pair{QList<qint64>{-1}, QStringList{"1"}},
        std::pair{QList<qint64>{2, -1, 0, -1}, QStringList{"2", "3", "0", "4"}}));

// A whole list handed over is kept itself when it has no room to spare, and
// stored as a copy of it would be.
TEST_P(PersonWholeList, HandedOverKeepsTheListAndStoresItAsACopy)
{
    for (const ContactIdentifier &identifier : {FieldId::Email, FieldId::Phone, FieldId::Address}) {
        const MVPersonPtr copied = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
        const MVPersonPtr handed = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
        LabeledValueList copiedList;
        LabeledValueList handedList;
        handedList.reserve(GetParam().first.size());
        for (const qint64 labelIndex : GetParam().first) {
            copiedList.append(shared(textRecord("work", "a@example.jp", labelIndex)));
            handedList.append(shared(textRecord("work", "a@example.jp", labelIndex)));
        }
        copied->setValue(PersonValue(copiedList), identifier);
        const LabeledValueRecordPtr *buffer = handedList.constData();
        handed->setValue(std::move(handedList), identifier);
        EXPECT_EQ(handed->peekLabeledValues(identifier)->constData(), buffer) << identifier.toStdString();
        EXPECT_EQ(listing(*handed->labeledValues(identifier)), listing(*copied->labeledValues(identifier)));
        EXPECT_EQ(listing(*handed->hagakiLayouts()), listing(*copied->hagakiLayouts()));
    }
    // A list with gaps keeps its values and only those.
    const MVPersonPtr person = MVPerson::init();
    person->setValue(LabeledValueList{nullptr, shared(textRecord("work", "b@example.jp")), nullptr}, FieldId::Email);
    EXPECT_EQ(listing(*person->emailValues()), QStringList{"1 work: b@example.jp"});
}

// Lists given at once are numbered, formatted and given layouts as each
// given in turn is, whatever the contact held before.
TEST_P(PersonWholeList, GivenAtOnceMatchStoredOneByOne)
{
    const auto listOf = [](const char *label, const char *text) {
        LabeledValueList list{nullptr};
        for (const qint64 labelIndex : GetParam().first)
            list.append(shared(textRecord(label, text, labelIndex)));
        return list;
    };
    for (const bool fromStore : {false, true}) {
        const auto make = [fromStore] {
            return fromStore ? MVPerson::initWithCNContact(PersonTestContacts::fullContact()) : MVPerson::init();
        };
        const MVPersonPtr oneByOne = make();
        const MVPersonPtr atOnce = make();
        oneByOne->setValue(listOf("work", "a@example.jp"), FieldId::Email);
        oneByOne->setValue(listOf("home", "03-1111-1111"), FieldId::Phone);
        oneByOne->setValue(listOf("home", ""), FieldId::Address);
        std::array<MVPerson::LabeledValues, 3> lists{{{FieldId::Email, listOf("work", "a@example.jp")},
            {FieldId::Phone, listOf("home", "03-1111-1111")}, {FieldId::Address, listOf("home", "")}}};
        atOnce->setLabeledValues(lists);
        for (const ContactIdentifier &identifier : {FieldId::Email, FieldId::Phone, FieldId::Address}) {
            const LabeledValueList &given = *atOnce->peekLabeledValues(identifier);
            const LabeledValueList &stored = *oneByOne->peekLabeledValues(identifier);
            ASSERT_EQ(given.size(), stored.size()) << identifier.toStdString();
            for (qsizetype i = 0; i < given.size(); ++i)
                EXPECT_TRUE(*given.at(i) == *stored.at(i)) << identifier.toStdString() << ' ' << i;
        }
        EXPECT_EQ(listing(*atOnce->hagakiLayouts()), listing(*oneByOne->hagakiLayouts()));
        EXPECT_EQ(atOnce->emailValues()->first()->accountParts().domain, "example.jp");
    }
}

TEST(PersonWholeLists, GivenAtOnceOutliveTheContactAndChangeApart)
{
    const auto values = [](const LabeledValueList &records) {
        QStringList texts;
        for (const LabeledValueRecordPtr &record : records)
            texts.append(QString::number(record->labelIndex) + u' ' + record->valueText());
        return texts;
    };
    MVPersonPtr person = MVPerson::init();
    std::array<MVPerson::LabeledValues, 2> lists{
        {{FieldId::Email, LabeledValueList{shared(textRecord("work", "a@x.jp", 0))}},
            {FieldId::Phone, LabeledValueList{shared(textRecord("home", "03-1", 0))}}}};
    person->setLabeledValues(lists);
    const LabeledValueListPtr emails = person->emailValues();
    const LabeledValueListPtr phones = person->phoneValues();
    emails->append(shared(textRecord("home", "b@x.jp", 1)));
    emails->first()->value = QString("c@x.jp");
    EXPECT_EQ(values(*phones), QStringList{"0 03-1"});
    // A list replaced is no longer the contact's, and stays as it was.
    person->setValue(LabeledValueList{shared(textRecord("work", "d@x.jp", 0))}, FieldId::Email);
    EXPECT_EQ(values(*person->emailValues()), QStringList{"0 d@x.jp"});
    person.reset();
    EXPECT_EQ(values(*emails), QStringList({"0 c@x.jp", "1 b@x.jp"}));
    EXPECT_EQ(values(*phones), QStringList{"0 03-1"});
}

// A contact read from the store makes its layouts when they are first asked
// for, from its addresses as they stand then.
TEST(PersonLayouts, AReadContactHasALayoutPerAddressWhenFirstAsked)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    EXPECT_EQ(listing(*person->hagakiLayouts()), QStringList({"0 home: ", "1 Cottage: "}));
    EXPECT_EQ(person->hagakiLayouts(), person->hagakiLayouts());
    EXPECT_EQ(listing(*MVPerson::initWithCNContact(StoreContact())->hagakiLayouts()), QStringList{"0 -: "});
    // A layout stored before any was asked for lands on its own address.
    const MVPersonPtr stored = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    stored->replaceLabeledValueAtLabelIndex(QString("1;"), FieldId::HagakiLayout, 1);
    EXPECT_EQ(listing(*stored->hagakiLayouts()), QStringList({"0 home: ", "1 Cottage: 1;"}));
}

TEST(PersonLayouts, StoringALayoutTextGrowsTheListUpToItsLabelIndex)
{
    const MVPersonPtr person = MVPerson::init();
    ASSERT_EQ(listing(*person->hagakiLayouts()), QStringList{"0 -: "});
    person->replaceLabeledValueAtLabelIndex(QString("5;rn:{{1,2},{3,4}};"), FieldId::HagakiLayout, 2);
    EXPECT_EQ(
        listing(*person->hagakiLayouts()), QStringList({"0 -: ", "1 -: ", "2 -: 5;rn:{{1.00,2.00},{3.00,4.00}};"}));
    EXPECT_EQ(person->hagakiLayouts()->at(2)->stringValue, "5;rn:{{1,2},{3,4}};");
}

TEST(PersonLayouts, ALayoutRecordIsStoredItselfAndNilChangesNothing)
{
    const MVPersonPtr person = MVPerson::init();
    auto layout = std::make_shared<HagakiLayoutRecord>();
    layout->labelIndex = 1;
    layout->company = true;
    person->replaceLabeledValueAtIndex(layout, FieldId::HagakiLayout, 1);
    person->replaceLabeledValueAtLabelIndex(PersonValue(), FieldId::HagakiLayout, 1);
    EXPECT_EQ(person->hagakiLayouts()->at(1), layout);
    // Readers of layouts give copies; the list itself is live.
    EXPECT_NE(person->hagakiLayoutForLabelIndex(1), layout);
    EXPECT_EQ(*person->hagakiLayoutForLabelIndex(1), *layout);
    EXPECT_EQ(std::get<HagakiLayoutList>(person->valueForIdentifier(FieldId::HagakiLayout)).at(1), layout);
}

TEST(PersonLayouts, NewAddressesGetLayoutsAtTheirNumbers)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    LabeledValueList addresses = std::get<LabeledValueList>(person->valueForIdentifier(FieldId::Address));
    addresses.append(shared(textRecord("Office", QString())));
    person->setValue(addresses, FieldId::Address);
    // A layout stored for the new address lands on its own layout.
    person->replaceLabeledValueAtLabelIndex(QString("1;"), FieldId::HagakiLayout, 2);
    EXPECT_EQ(person->addressValues()->at(2)->labelIndex, 2);
    EXPECT_EQ(listing(*person->hagakiLayouts()), QStringList({"0 home: ", "1 Cottage: ", "2 Office: 1;"}));

    // An address numbered past the list brings in the layouts before it.
    const MVPersonPtr other = MVPerson::init();
    other->setValue(LabeledValueList{shared(textRecord({}, "x", 3))}, FieldId::Address);
    EXPECT_EQ(listing(*other->hagakiLayouts()), QStringList({"0 -: ", "1 -: ", "2 -: ", "3 No label: "}));
}

TEST(PersonReaders, GiveIndependentCopies)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    LabeledValueList dates = std::get<LabeledValueList>(person->valueForIdentifier(FieldId::Dates));
    ASSERT_EQ(dates.size(), 1);
    std::get<StoreDateComponents>(dates.first()->value).year = 1999;
    dates.first()->label = "changed";
    std::get<StoreDateComponents>(person->labeledValueForIdentifierAtIndex(FieldId::Dates, 0)->value).month = 12;
    EXPECT_EQ(std::get<StoreDateComponents>(person->datesValues()->first()->value), (StoreDateComponents{2010, 6, 1}));
    EXPECT_EQ(person->datesValues()->first()->labelText(), "anniversary");
}

// Phone numbers, URLs, relations and dates use no address or account parts:
// they are read from the store, written back and turned into dictionaries
// without ever holding them, and a copy of an address owns its parts.
TEST(PersonReaders, ValuesWithoutPartsNeverHoldThem)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    (void)person->contactFromCache(StoreContact());
    for (const ContactIdentifier &identifier : {FieldId::Phone, FieldId::URL, FieldId::Relationship, FieldId::Dates}) {
        for (const LabeledValueRecordPtr &value : *person->labeledValues(identifier)) {
            const LabeledValueRecord copy = LabeledValueRecord::fromVariantMap(value->toVariantMap());
            EXPECT_TRUE(value->addressPart(FieldId::Street).isNull());
            EXPECT_FALSE(
                value->address.isHeld() || value->account.isHeld() || copy.address.isHeld() || copy.account.isHeld())
                << identifier.toStdString();
        }
    }
    EXPECT_TRUE(person->phoneValues()->first()->storeObject.isEmpty());
    LabeledValueRecord copy = *person->addressValues()->first();
    copy.address->street = "丸の内1-1";
    EXPECT_EQ(person->addressValues()->first()->addressParts().street, "千代田1-1");
}

TEST(PersonReaders, ReplacingAnAddressByLabelIndexRecomputesItsText)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    LabeledValueRecordPtr address = person->labeledValueForIdentifierAtLabelIndex(FieldId::Address, 0);
    address->address->street = "丸の内2-2";
    person->replaceLabeledValueAtLabelIndex(*address, FieldId::Address, 0);
    EXPECT_EQ(listing(*person->addressValues()).first(), "0 home: 100-0001 東京都 千代田区 丸の内2-2 日本 ");
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Address, 0), "100-0001 東京都 千代田区 丸の内2-2 日本 ");
    const QStringList parts{person->stringValueForIdentifier(FieldId::Street, 0),
        person->stringValueForIdentifier(FieldId::ZIP, 1), person->stringValueForIdentifier(FieldId::ZIP, 7),
        person->stringValueForIdentifier("IMSservicename", 0), person->stringValueForIdentifier("SNSusername", 0),
        person->stringValueForIdentifier(FieldId::Birthday, 42).left(11)};
    EXPECT_EQ(parts, QStringList({"丸の内2-2", "62701", "", "Skype", "taro", "1980.04.01("}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(person->valueForIdentifier(FieldId::ZIP)));
}

TEST(PersonDeleteAndSort, ByLabelIndexTakesEqualCopiesAndSortingMovesTheNumbers)
{
    const MVPersonPtr person = MVPerson::init();
    const LabeledValueRecordPtr record = shared(textRecord("home", "a@example.jp", 0));
    person->setValue(
        LabeledValueList{record, shared(textRecord("work", "b@example.jp", 1)), shared(*record)}, FieldId::Email);
    person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Email, 0);
    person->deleteLabeledValueForIdentifierAtLabelIndex(FieldId::Email, MVPerson::NotFound);
    person->deleteLabeledValueForIdentifierAtIndex(FieldId::Email, 5);
    EXPECT_EQ(listing(*person->emailValues()), QStringList{"1 work: b@example.jp"});
    person->deleteLabeledValueForIdentifierAtIndex(FieldId::Email, 0);
    EXPECT_TRUE(person->emailValues()->isEmpty());

    for (const char *number : {"03-2222", "090-1111", "03-1111"})
        person->addLabeledValue(textRecord("home", number), FieldId::Phone);
    person->sortLabeledValueForSortDescriptor({FieldId::Phone, false});
    const QStringList sorted{"1 home: 090-1111", "0 home: 03-2222", "2 home: 03-1111"};
    EXPECT_EQ(listing(*person->phoneValues()), sorted);
    person->sortLabeledValueForSortDescriptor({QString(), true});
    EXPECT_EQ(listing(*person->phoneValues()), sorted);
}

TEST(PersonStringsAndNames, EmptyingRemovesTheEntryAndNamesKeepTheDisplayNameInStep)
{
    StoreContact contact;
    contact.setContactType(StoreContact::ContactType::Organization);
    contact.setOrganizationName("Morvane");
    const MVPersonPtr company = MVPerson::initWithCNContact(contact);
    EXPECT_EQ(MVPerson().compositeName(), "No Name");
    EXPECT_EQ(company->compositeName(), "Morvane");
    company->setValue(QString(), FieldId::Company);
    EXPECT_FALSE(company->stringValues()->company.has_value());
    EXPECT_EQ(std::get<QString>(company->valueForIdentifier("compositeName")), "No Name");
    company->setStringValue(QString("田中 花子"), FieldId::Renmei);
    EXPECT_EQ(company->stringValueForIdentifier(FieldId::Renmei, 0), "田中 花子");
    company->setStringValue(QString(), FieldId::Renmei);
    EXPECT_FALSE(company->stringValues()->renmei.has_value());
    EXPECT_EQ(std::get<QString>(company->valueForIdentifier(FieldId::Renmei)), "");

    const MVPersonPtr person = MVPerson::init();
    person->setValue(QString("花子"), FieldId::FirstName);
    person->setValue(QString("田中"), FieldId::LastName);
    NameRecord name = std::get<NameRecord>(person->valueForIdentifier(FieldId::Name));
    name.nameOrdering = 2;
    person->setValue(name, FieldId::Name);
    EXPECT_EQ(person->compositeName(), "田中 花子");
    EXPECT_EQ(person->nameOrdering(), 2);
    person->deleteValueForIdentifier(FieldId::LastName);
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Name, 0), "花子");
    person->setValue(QString("ハナコ"), FieldId::PhoneticFirstName);
    person->setValue(QString("タナカ"), FieldId::PhoneticLastName);
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::PhoneticName, 0), "タナカ ハナコ");
    person->deleteValueForIdentifier(FieldId::PhoneticFirstName);
    EXPECT_EQ(person->phoneticNameValue()->stringValue, "タナカ");
}

TEST(PersonPhotoAndBirthday, SetFromImagesAndDatesAndRemoved)
{
    const MVPersonPtr person = MVPerson::init();
    EXPECT_TRUE(person->photo().isNull());
    EXPECT_EQ(person->thumbnail(), QImage(":/UserGuest.png"));
    NameRecord name;
    name.showAsPerson = false;
    person->setValue(name, FieldId::Name);
    EXPECT_EQ(person->thumbnail(), QImage(":/CompanySquare.png"));

    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    person->setValue(red, FieldId::Photo);
    EXPECT_EQ(person->photo().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(person->thumbnail().size(), QSize(4, 4));
    person->deleteValueForIdentifier(FieldId::Photo);
    EXPECT_TRUE(person->imageData().isEmpty());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(person->valueForIdentifier(FieldId::Photo)));

    person->setValue(QDate(2001, 2, 3), FieldId::Birthday);
    EXPECT_EQ(person->birthdayValue()->value, (StoreDateComponents{2001, 2, 3}));
    EXPECT_TRUE(person->birthdayValue()->stringValue.startsWith("2001.02.03("));
    person->setValue(PersonValue(), FieldId::Birthday);
    EXPECT_FALSE(person->birthdayValue()->value.has_value());
    EXPECT_EQ(person->birthdayValue()->stringValue, "");
}

} // namespace
