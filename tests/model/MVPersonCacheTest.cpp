#include "model/MVPerson.h"
#include "model/PostalAddressTemplate.h"
#include "model/StoreContactReader.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

#include <gtest/gtest.h>

namespace {

StoreContact sampleContact()
{
    StoreContact contact;
    contact.setGivenName("太郎");
    contact.setFamilyName("山田");
    contact.setPhoneticGivenName("タロウ");
    contact.setPhoneticFamilyName("ヤマダ");
    contact.setOrganizationName("Morvane");
    contact.setNote("note");
    contact.setPhoneNumbers(
        {{QString(ContactLabels::phoneNumberMobile), *StorePhoneNumber::phoneNumberWithStringValue("090-1234-5678")},
            {QString(ContactLabels::work), *StorePhoneNumber::phoneNumberWithStringValue("03-1234-5678")}});
    contact.setEmailAddresses({{QString(ContactLabels::home), "taro@example.jp"}});
    StorePostalAddress address;
    address.postalCode = "100-0001";
    address.state = "東京都";
    address.city = "千代田区";
    address.street = "千代田1-1";
    address.isoCountryCode = "JP";
    contact.setPostalAddresses({{QString(ContactLabels::home), address}, {"_$!<Cottage>!$_", address}});
    contact.setUrlAddresses({{QString(ContactLabels::urlAddressHomePage), "https://example.jp"}});
    contact.setSocialProfiles(
        {{"", StoreSocialProfile{"", "taro", "", "twitter"}}, {"", StoreSocialProfile{"", "yamada", "", "Twitter"}}});
    contact.setInstantMessageAddresses({{QString(ContactLabels::work), StoreInstantMessageAddress{"taro", "Skype"}}});
    contact.setContactRelations({{"_$!<Son>!$_", StoreContactRelation{"次郎"}}});
    contact.setDates({{QString(ContactLabels::dateAnniversary), StoreDateComponents{2010, 6, 1}}});
    contact.setBirthday(StoreDateComponents{1980, 4, 1});
    return contact;
}

TEST(PersonCaches, FillOnceFromAnAttachedStoreContact)
{
    MVPerson person;
    person.setCnContact(sampleContact());

    const LabeledValueListPtr phones = person.phoneValues();
    ASSERT_EQ(phones->size(), 2);
    EXPECT_EQ(person.phoneValues(), phones);

    person.setCnContact(std::nullopt);
    EXPECT_EQ(person.phoneValues()->size(), 2);
}

TEST(PersonCaches, EveryFieldIsCopiedWithPlainLabelsAndNumbers)
{
    MVPerson person;
    person.setCnContact(sampleContact());

    EXPECT_EQ(person.nameValue()->stringValue, "山田 太郎");
    EXPECT_EQ(person.nameOrdering(), 2);
    EXPECT_EQ(person.phoneticNameValue()->stringValue, "ヤマダ タロウ");
    EXPECT_EQ(person.stringValues()->value(FieldId::Company), "Morvane");
    EXPECT_EQ(person.stringValues()->value(FieldId::Note), "note");
    EXPECT_FALSE(person.stringValues()->renmei.has_value());

    const LabeledValueList phones = *person.phoneValues();
    EXPECT_EQ(phones.at(0)->labelText(), "mobile");
    EXPECT_EQ(phones.at(1)->labelText(), "work");
    EXPECT_EQ(phones.at(1)->labelIndex, 1);
    EXPECT_EQ(phones.at(1)->stringValue, "03-1234-5678");

    const LabeledValueRecord &email = *person.emailValues()->first();
    EXPECT_EQ(email.username, "taro");
    EXPECT_EQ(email.domain, "example.jp");

    const LabeledValueList addresses = *person.addressValues();
    EXPECT_EQ(addresses.at(0)->stringValue, "100-0001 東京都 千代田区 千代田1-1 ");
    EXPECT_EQ(addresses.at(1)->labelText(), "Cottage");
    EXPECT_EQ(addresses.at(1)->labelIndex, 1);

    EXPECT_EQ(person.urlValues()->first()->labelText(), "home page");
    EXPECT_EQ(person.snsValues()->at(0)->labelText(), "Twitter");
    EXPECT_EQ(person.snsValues()->at(1)->labelText(), "Twitter");
    EXPECT_EQ(person.imsValues()->first()->stringValue, "Skype:taro");
    EXPECT_EQ(person.relationshipValues()->first()->labelText(), "son");
    EXPECT_EQ(person.datesValues()->first()->labelText(), "anniversary");
    EXPECT_EQ(std::get<StoreDateComponents>(person.datesValues()->first()->value), (StoreDateComponents{2010, 6, 1}));
    EXPECT_EQ(person.birthdayValue()->value, (StoreDateComponents{1980, 4, 1}));
    EXPECT_TRUE(person.birthdayValue()->stringValue.startsWith("1980.04.01("));
    EXPECT_EQ(person.compositeName(), "山田 太郎");
}

TEST(PersonCaches, RefreshRestoresOnlyWhileTheStoreContactIsAttached)
{
    MVPerson attached;
    attached.setCnContact(sampleContact());
    attached.phoneValues()->clear();
    attached.refreshCache();
    EXPECT_EQ(attached.phoneValues()->size(), 2);
    EXPECT_EQ(attached.compositeName(), "山田 太郎");

    MVPerson detached;
    detached.setCnContact(sampleContact());
    detached.phoneValues();
    detached.nameValue();
    detached.setCnContact(std::nullopt);
    detached.refreshCache();
    EXPECT_TRUE(detached.phoneValues()->isEmpty());
    EXPECT_TRUE(detached.nameValue()->showAsPerson);
    EXPECT_EQ(detached.nameValue()->stringValue, "");
}

TEST(PersonCaches, DetachedAddressesRecomputeTheirTextOnEveryRead)
{
    MVPerson person;
    person.setCnContact(sampleContact());
    person.addressValues();
    person.setCnContact(std::nullopt);
    person.addressValues()->first()->street = "丸の内1-1";
    EXPECT_EQ(person.addressValues()->first()->stringValue, "100-0001 東京都 千代田区 丸の内1-1 ");
}

// Formatting addresses is most of the cost of loading a large address book,
// so a load formats each address once, and what it made is what any later
// read recomputes.
TEST(PersonCaches, ALoadFormatsEachAddressOnce)
{
    MVPerson::initializeClass();
    int formatted = 0;
    StorePostalAddressFormatter::setFormatProvider([&formatted](const QString &code) {
        ++formatted;
        return PostalAddressTemplate::forCountry(code);
    });
    const MVPersonPtr person = MVPerson::initWithCNContact(sampleContact());
    PostalAddressTemplate::install();
    EXPECT_EQ(formatted, 2);

    const LabeledValueList loaded = MVPerson::deepCopyDictionaryArray(*person->heldLabeledValues(FieldId::Address));
    const LabeledValueListPtr reread = person->addressValues();
    ASSERT_EQ(reread->size(), loaded.size());
    for (qsizetype i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(*reread->at(i), *loaded.at(i));
        EXPECT_EQ(person->hagakiLayouts()->at(i)->label, loaded.at(i)->label);
    }
    EXPECT_EQ(loaded.first()->stringValue, "100-0001 東京都 千代田区 千代田1-1 ");
    EXPECT_EQ(loaded.first()->formattedString, "100-0001 東京都 千代田区\n千代田1-1");
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

TEST(PersonLayouts, OneLayoutPerAddressOrOneForNone)
{
    MVPerson person;
    person.setCnContact(sampleContact());
    const auto layouts = person.hagakiLayouts();
    ASSERT_EQ(layouts->size(), 2);
    EXPECT_EQ(layouts->at(1)->labelIndex, 1);
    EXPECT_EQ(layouts->at(1)->label, QString("Cottage"));
    EXPECT_EQ(person.hagakiLayouts(), layouts);

    MVPerson empty;
    ASSERT_EQ(empty.hagakiLayouts()->size(), 1);
    EXPECT_EQ(empty.hagakiLayouts()->first()->labelIndex, 0);
}

TEST(PersonFind, FindsTheFirstRecordByLabelIndex)
{
    LabeledValueList values;
    for (qint64 labelIndex : {3, 0, 3}) {
        values.append(std::make_shared<LabeledValueRecord>());
        values.last()->labelIndex = labelIndex;
    }
    EXPECT_EQ(MVPerson::findLabeledValue(values, 3), 0);
    EXPECT_EQ(MVPerson::findLabeledValue(values, 0), 1);
    EXPECT_EQ(MVPerson::findLabeledValue(values, 7), 3);
    EXPECT_EQ(MVPerson::findLabeledValue(values, -1), MVPerson::NotFound);
}

} // namespace
