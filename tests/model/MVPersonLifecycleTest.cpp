#include "common/TestEnvironment.h"
#include "model/AddressFormatTable.h"
#include "model/AddressText.h"
#include "model/MVPerson.h"
#include "model/PostalAddressTemplate.h"
#include "PersonTestContacts.h"
#include "VCardContactDump.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactStore.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

#include <thread>

using namespace Qt::Literals::StringLiterals;
using PersonTestContacts::fullContact;

namespace {

// Every field but the identifiers, which saving makes anew.
void expectSameFields(const StoreContact &actual, const StoreContact &expected)
{
    EXPECT_EQ(VCardContactDump::dump(actual).join(u'\n').toStdString(),
        VCardContactDump::dump(expected).join(u'\n').toStdString());
}

// A store in a file of its own, and one contact saved in it.
class PersonStoreRoundTrip : public testing::Test {
protected:
    void SetUp() override
    {
        m_store
            = std::make_unique<ContactStore>(TestEnvironment::makeScratchFolder("person-store") + "/Contacts.sqlite");
        StoreSaveRequest request;
        request.addContact(fullContact());
        ASSERT_TRUE(m_store->execute(request));
        m_identifier = request.addedContacts().first().contact.identifier();
    }

    [[nodiscard]] StoreContact fetch(const QStringList &keys = ContactKeys::allContactKeys()) const
    {
        const std::optional<StoreContact> contact = m_store->unifiedContactWithIdentifier(m_identifier, keys);
        EXPECT_TRUE(contact.has_value());
        return contact.value_or(StoreContact());
    }

    // What the save of a changed record does: write onto the contact fetched
    // again, update, fetch once more.
    [[nodiscard]] StoreContact saveChanged(MVPerson &person) const
    {
        StoreSaveRequest request;
        request.updateContact(person.contactFromCache(fetch()));
        EXPECT_TRUE(m_store->execute(request));
        return fetch();
    }

    std::unique_ptr<ContactStore> m_store;
    QString m_identifier;
};

TEST_F(PersonStoreRoundTrip, EveryFieldSurvivesTheRecordAndTheWriteBack)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(fetch());
    EXPECT_FALSE(person->created());
    EXPECT_EQ(person->uniqueId(), m_identifier);
    EXPECT_FALSE(person->cnContact().has_value());
    expectSameFields(saveChanged(*person), fullContact());
    EXPECT_EQ(fetch().phoneticOrganizationName(), "モルヴァン");

    // A record written from nothing carries the same values.
    expectSameFields(MVPerson::initWithCNContact(fetch())->contactFromCache(), [] {
        StoreContact expected = fullContact();
        expected.setPhoneticOrganizationName(QString());
        return expected;
    }());
}

TEST_F(PersonStoreRoundTrip, APhotoOrBirthdayNeverReadIsLeftAlone)
{
    // Fetched without the image: the record never knew the photo.
    QStringList keys = ContactKeys::allContactKeys();
    keys.removeAll(QString(ContactKeys::imageData));
    keys.removeAll(QString(ContactKeys::thumbnailImageData));
    const MVPersonPtr withoutImage = MVPerson::initWithCNContact(fetch(keys));
    EXPECT_FALSE(withoutImage->holdsPhoto());
    withoutImage->setValue(QString("Hanako"), FieldId::FirstName);
    StoreContact saved = saveChanged(*withoutImage);
    EXPECT_EQ(saved.givenName(), "Hanako");
    EXPECT_EQ(saved.imageData(), fullContact().imageData());

    // A record that never read its birthday or photo.
    const MVPersonPtr bare = MVPerson::init();
    bare->setValue(QString("Jiro"), FieldId::FirstName);
    saved = saveChanged(*bare);
    EXPECT_EQ(saved.givenName(), "Jiro");
    EXPECT_EQ(saved.birthday(), fullContact().birthday());
    EXPECT_EQ(saved.imageData(), fullContact().imageData());
}

// The load takes the photo's data with every other field, though it does
// not decode it: the record holds the photo from then on, so a photo deleted
// before anyone looked at it is still cleared in the store, as is a birthday
// set to nothing.
TEST_F(PersonStoreRoundTrip, ALoadedRecordHoldsItsPhotoBeforeAnyoneAsks)
{
    const StoreContact stored = fetch();
    ASSERT_FALSE(stored.thumbnailImageData().isEmpty());
    const MVPersonPtr person = MVPerson::initWithCNContact(stored);
    EXPECT_TRUE(person->holdsPhoto());
    EXPECT_EQ(person->imageData(), stored.imageData());
    EXPECT_EQ(person->thumbnailImageData(), stored.thumbnailImageData());

    person->deleteValueForIdentifier(FieldId::Photo);
    person->setValue(PersonValue(), FieldId::Birthday);
    const StoreContact saved = saveChanged(*person);
    EXPECT_TRUE(saved.imageData().isEmpty());
    EXPECT_TRUE(saved.thumbnailImageData().isEmpty());
    EXPECT_FALSE(saved.birthday().has_value());
    EXPECT_EQ(saved.givenName(), "太郎");

    // Its picture is there to decode long after the store contact is gone.
    const MVPersonPtr reloaded = MVPerson::initWithCNContact(fetch());
    EXPECT_TRUE(reloaded->photo().isNull());
    const MVPersonPtr original = MVPerson::initWithCNContact(fullContact());
    EXPECT_FALSE(original->cnContact().has_value());
    EXPECT_EQ(original->photo().size(), QImage::fromData(fullContact().imageData()).size());
}

// An emptied field is cleared in the store; one the fetch did not carry is
// not cleared by its empty value.
TEST_F(PersonStoreRoundTrip, EmptiedFieldsAreClearedAndUnfetchedOnesLeftAlone)
{
    QStringList keys = ContactKeys::allContactKeys();
    keys.removeAll(QString(ContactKeys::note));
    const MVPersonPtr person = MVPerson::initWithCNContact(fetch(keys));
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note, 0), "");
    person->setValue(QString("課長代理"), FieldId::JobTitle);
    person->setValue(QString(), FieldId::Department);
    person->setStringValue(std::nullopt, FieldId::Nickname);

    StoreSaveRequest request;
    const StoreContact written = person->contactFromCache(fetch(keys));
    EXPECT_FALSE(written.isKeyAvailable(QString(ContactKeys::note)));
    request.updateContact(written);
    ASSERT_TRUE(m_store->execute(request));
    const StoreContact saved = fetch();
    EXPECT_EQ((QStringList{
                  saved.note(), saved.jobTitle(), saved.departmentName(), saved.nickname(), saved.organizationName()}),
        (QStringList{fullContact().note(), "課長代理", "", "", "Morvane"}));
}

// A social profile read as a service and a URL, with no user name, is saved
// as read and exported as read.
TEST_F(PersonStoreRoundTrip, AProfileGivenOnlyAsAUrlIsSavedAndExportedAsRead)
{
    const MVPersonPtr imported = MVPerson::initWithVCardData("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Rich;;;;\r\nFN:Rich\r\n"
                                                             "X-SOCIALPROFILE;TYPE=twitter:https://twitter.com/rich\r\n"
                                                             "END:VCARD\r\n");
    StoreSaveRequest request;
    request.addContact(imported->contactFromCache());
    ASSERT_TRUE(m_store->execute(request));
    const std::optional<StoreContact> saved = m_store->unifiedContactWithIdentifier(
        request.addedContacts().first().contact.identifier(), ContactKeys::allContactKeys());
    ASSERT_TRUE(saved.has_value());
    const StoreContact::SocialProfiles profiles = saved->socialProfiles();
    ASSERT_EQ(profiles.size(), 1);
    const StoreSocialProfile &profile = profiles.first().value();
    EXPECT_EQ((QStringList{profile.service, profile.urlString, profile.username}),
        (QStringList{"Twitter", "https://twitter.com/rich", ""}));
    EXPECT_TRUE(MVPerson::initWithCNContact(*saved)->vCardData().contains(
        "X-SOCIALPROFILE;TYPE=Twitter:https://twitter.com/rich\r\n"));
}

// An unlabeled value read from the store stays unlabeled in it.
TEST(PersonWriteBack, LeavesOutEmptyPhonesAndDefaultsEmptyServices)
{
    StoreContact contact;
    contact.setPhoneNumbers({{QString(), PersonTestContacts::phone("090-1111-2222")}});
    const MVPersonPtr person = MVPerson::initWithCNContact(contact);
    EXPECT_EQ(person->phoneValues()->first()->label, QStringLiteral("No label"));
    const auto add = [&](const std::optional<QString> &label, const LabeledValue &value, const QString &field) {
        LabeledValueRecord record;
        record.label = label;
        record.value = value;
        person->addLabeledValue(record, field);
    };
    add("home", QString(), FieldId::Phone);
    add("work", QString("03-1234-5678"), FieldId::Phone);
    add(QString(), QString("taro"), FieldId::SocialNetwork);
    add("Facebook", LabeledValue(), FieldId::SocialNetwork);
    add("home", QString("taro"), FieldId::InstantMessage);
    add(std::nullopt, QString("次郎"), FieldId::Relationship);

    EXPECT_EQ(VCardContactDump::dump(person->contactFromCache(contact)).join(u'\n').toStdString(),
        "type: person\nphone[]: 090-1111-2222\nphone[_$!<Work>!$_]: 03-1234-5678\nrelation[]: "
        "次郎\ninstantMessage[_$!<Home>!$_]: AIM / taro\n"
        "socialProfile[Twitter]: Twitter / taro /  / ");
}

TEST(PersonIdentity, ACompanyIsKeyedByItsContents)
{
    StoreContact contact;
    contact.setContactType(StoreContact::ContactType::Organization);
    contact.setOrganizationName("Morvane");
    contact.setPhoneNumbers({{QString(ContactLabels::work), PersonTestContacts::phone("03-1234-5678")}});
    const MVPersonPtr company = MVPerson::initWithCNContact(contact);
    EXPECT_EQ(company->uniqueId2(), "Morvanework03-1234-5678");
    // A record without identifier takes one of its own.
    EXPECT_NE(MVPerson::init()->uniqueId(), MVPerson::init()->uniqueId());
    EXPECT_EQ(MVPerson::initWithCNContact(contact.mutableCopy())->uniqueId2(), company->uniqueId2());

    StoreContact person = contact;
    person.setContactType(StoreContact::ContactType::Person);
    EXPECT_EQ(MVPerson::initWithCNContact(person)->uniqueId2(), "");
}

TEST(PersonIdentity, ACopyIsNewWithItsOwnIdAndNoJointNames)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(fullContact());
    person->setStringValue(QString("山田 花子"), FieldId::Renmei);
    person->replaceLabeledValueAtLabelIndex(QString("7;"), FieldId::HagakiLayout, 0);
    const MVPersonPtr copy = person->copy();
    EXPECT_TRUE(copy->created());
    EXPECT_NE(copy->uniqueId(), person->uniqueId());
    EXPECT_FALSE(copy->uniqueId().isEmpty());
    EXPECT_EQ(copy->stringValueForIdentifier(FieldId::Renmei, 0), "");
    EXPECT_FALSE(copy->hagakiLayouts()->first()->printsSender());
    EXPECT_FALSE(copy->photo().isNull());
    // The copy's records are its own; the rest is the same contact.
    copy->phoneValues()->first()->value = QString("000");
    EXPECT_EQ(person->phoneValues()->first()->valueText(), "090-1234-5678");
    copy->phoneValues()->first()->value = QString("090-1234-5678");
    expectSameFields(copy->contactFromCache(), person->contactFromCache());
}

TEST(PersonVCard, TheRecordsVCardReadsBackIntoTheSameValues)
{
    const MVPersonPtr person = MVPerson::initWithCNContact(fullContact());
    const MVPersonPtr read = MVPerson::initWithVCardData(person->vCardData());
    EXPECT_TRUE(read->created());
    EXPECT_NE(read->uniqueId(), person->uniqueId());
    const QStringList values{read->compositeName(), read->phoneticName(),
        read->stringValueForIdentifier(FieldId::Phone, 0), read->stringValueForIdentifier(FieldId::Address, 0)};
    EXPECT_EQ(values,
        QStringList(
            {"山田 太郎", "ヤマダ タロウ", "090-1234-5678", person->stringValueForIdentifier(FieldId::Address, 0)}));
    EXPECT_EQ(read->birthdayValue()->value, (StoreDateComponents{1980, 4, 1}));
    const MVPersonPtr empty = MVPerson::initWithVCardData("no card here");
    EXPECT_FALSE(empty->created());
    EXPECT_FALSE(empty->holdsNameValue());
    // Exporters fold inside a character: "山" (E5 B1 B1) cut after its first byte.
    EXPECT_EQ(
        MVPerson::initWithVCardData("BEGIN:VCARD\r\nVERSION:3.0\r\nN:\xE5\r\n \xB1\xB1田;太郎;;;\r\nEND:VCARD\r\n")
            ->compositeName(),
        "山田 太郎");
}

// Records are made from the contact being read where it lies, on the thread
// that reads it: loads on several threads at once must each read their own
// contacts, and a record made before must not see the contact of the next.
TEST(PersonIdentity, RecordsMadeOnSeveralThreadsReadTheirOwnContacts)
{
    MVPerson::initializeClass();
    const auto makeMany = [](const QString &family, QList<MVPersonPtr> &made) {
        for (int i = 0; i < 300; ++i) {
            StoreContact contact = fullContact();
            contact.setFamilyName(family + QString::number(i));
            contact.setEmailAddresses({StoreLabeledValue<QString>(QString(), family + u"@example.jp")});
            made.append(MVPerson::initWithCNContact(contact));
        }
    };
    QList<MVPersonPtr> first;
    QList<MVPersonPtr> second;
    std::thread other([&] { makeMany(u"北"_s, second); });
    makeMany(u"南"_s, first);
    other.join();
    for (const auto &[family, made] : {std::pair{u"南"_s, &first}, std::pair{u"北"_s, &second}}) {
        ASSERT_EQ(made->size(), 300);
        for (qsizetype i = 0; i < made->size(); ++i) {
            const MVPersonPtr &person = made->at(i);
            EXPECT_EQ(person->nameValue()->lastName, family + QString::number(i));
            EXPECT_EQ(person->emailValues()->constFirst()->stringValue, family + u"@example.jp");
            EXPECT_EQ(person->addressValues()->size(), fullContact().postalAddresses().size());
            EXPECT_FALSE(person->cnContact().has_value());
        }
    }
}

// The store's formatted address follows the country's format. Templates are
// remembered per country; a row merged into the table later must still change
// the country's template.
TEST(PersonAddressFormat, AMergedCountryFormatChangesItsTemplate)
{
    MVPerson::initializeClass();
    const MVPersonPtr person = MVPerson::initWithCNContact(fullContact());
    EXPECT_EQ(AddressText::mailingForm(*person->addressValues()->at(0), AddressText::IncludeCountryAndZIP),
        "100-0001 東京都 千代田区\n千代田1-1\n日本");
    EXPECT_EQ(AddressText::mailingForm(*person->addressValues()->at(1), AddressText::IncludeCountryAndZIP),
        "1 Main St\nSpringfield IL 62701");
    ASSERT_EQ(PostalAddressTemplate::forCountry("DJ"), "{postalCode} {state} {city}\n{street}\n{country}");
    const AddressFormatRow original = *AddressFormatTable::shared().rowsByCode().value("DJ");
    AddressFormatRow changed = original;
    changed.formatString = "Country City ZIP Street";
    AddressFormatTable::shared().mergeRows(
        {changed}, AddressFormatTable::userLanguage(), AddressFormatTable::userRegion());
    EXPECT_EQ(PostalAddressTemplate::forCountry("dj"), "{country}\n{city} {postalCode}\n{street}");
    AddressFormatTable::shared().mergeRows(
        {original}, AddressFormatTable::userLanguage(), AddressFormatTable::userRegion());
    EXPECT_EQ(PostalAddressTemplate::forCountry("DJ"), "{postalCode} {state} {city}\n{street}\n{country}");
}

} // namespace

// The string fields go to the store keys the vocabulary names at the time of
// writing, also when its table changes between two contacts.
TEST(PersonWriteBack, StringFieldsFollowTheVocabularysStoreKeys)
{
    const MVPersonPtr person = MVPerson::init();
    person->setValue(QStringLiteral("太郎"), FieldId::FirstName);
    person->setValue(QStringLiteral("Morvane"), FieldId::Company);
    const auto written = [&]() -> QString {
        const StoreContact contact = person->contactFromCache();
        return contact.organizationName() + u'|' + contact.givenName();
    };
    const QHash<QString, QString> original = MVPerson::CNIdentifiers();
    EXPECT_EQ(written(), "Morvane|太郎");
    QHash<QString, QString> changed = original;
    changed.insert(FieldId::Company, ContactKeys::givenName);
    MVPerson::setCNIdentifiers(changed);
    const QString withChangedKeys = written();
    MVPerson::setCNIdentifiers(original);
    EXPECT_EQ(withChangedKeys, "|Morvane");
    EXPECT_EQ(written(), "Morvane|太郎");
}
