#include "model/MVPerson.h"
#include "model/StringValuesRecord.h"

#include "PersonTestContacts.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a string field holds: nothing, the empty text, or a text.
enum class Held { Absent, Empty, Text };

struct StringEntryRow {
    const char *identifier;
    Held held;
};

std::optional<QString> textOf(Held held)
{
    if (held == Held::Absent)
        return std::nullopt;
    return held == Held::Empty ? QString(u""_s) : QString(u"株式会社 Morvane"_s);
}

class StringEntries : public testing::TestWithParam<StringEntryRow> { };

// Each entry is kept on its own: an absent one stays absent, the empty text
// stays present, and the dictionary form and copies carry exactly that.
TEST_P(StringEntries, KeepAbsentEmptyAndTextApartThroughCopiesAndDictionaries)
{
    const QString identifier = QString::fromLatin1(GetParam().identifier);
    const std::optional<QString> text = textOf(GetParam().held);
    StringValuesRecord values;
    values.setEntry(u"Note"_s, u"beside"_s);
    ASSERT_TRUE(values.setEntry(identifier, text));

    EXPECT_EQ(values.entry(identifier), text);
    EXPECT_EQ(values.value(identifier), text.value_or(QString()));
    const QVariantMap map = values.toVariantMap();
    EXPECT_EQ(map.contains(identifier), text.has_value());
    const StringValuesRecord decoded = StringValuesRecord::fromVariantMap(map);
    EXPECT_EQ(decoded, values);
    EXPECT_EQ(decoded.entry(identifier), text);

    StringValuesRecord copy = values;
    EXPECT_EQ(copy, values);
    copy.setEntry(identifier, u"changed"_s);
    EXPECT_EQ(values.entry(identifier), text);
    copy.setEntry(identifier, std::nullopt);
    EXPECT_FALSE(copy.entry(identifier).has_value());
    EXPECT_EQ(copy == values, !text.has_value());
    EXPECT_EQ(copy.value(u"Note"_s), identifier == u"Note"_s ? QString() : u"beside"_s);
}

std::vector<StringEntryRow> stringEntryRows()
{
    std::vector<StringEntryRow> rows;
    for (const char *identifier :
        {"Company", "Department", "Job Title", "Nickname", "Title", "Suffix", "Note", "Renmei"}) {
        for (const Held held : {Held::Absent, Held::Empty, Held::Text})
            rows.push_back({identifier, held});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Fields, StringEntries, testing::ValuesIn(stringEntryRows()));

class ProfileParts : public testing::TestWithParam<std::tuple<const char *, Held>> { };

// The social profile's own parts read back as they were given, null apart
// from empty, and a record given none of them makes no account group.
TEST_P(ProfileParts, ComeBackAsGivenAndMakeNoGroupWhenAbsent)
{
    const QString key = QString::fromLatin1(std::get<0>(GetParam()));
    const Held held = std::get<1>(GetParam());
    QVariantMap map{{u"value"_s, u"taro"_s}};
    if (held != Held::Absent)
        map.insert(key, *textOf(held));
    const LabeledValueRecord record = LabeledValueRecord::fromVariantMap(map);
    const QString &part = key == u"urlString"_s ? static_cast<const QString &>(record.accountParts().urlString)
                                                : static_cast<const QString &>(record.accountParts().userIdentifier);
    EXPECT_EQ(part.isNull(), held == Held::Absent);
    EXPECT_EQ(part, textOf(held).value_or(QString()));
    EXPECT_EQ(record.account.isHeld(), held != Held::Absent);
    EXPECT_EQ(record.toVariantMap().contains(key), held == Held::Text);

    LabeledValueRecord copy = record;
    copy.account->urlString = u"https://example.jp/other"_s;
    copy.account->userIdentifier = u"other"_s;
    EXPECT_EQ(part, textOf(held).value_or(QString()));
    EXPECT_FALSE(copy == record);
}

INSTANTIATE_TEST_SUITE_P(Keys, ProfileParts,
    testing::Combine(
        testing::Values("urlString", "userIdentifier"), testing::Values(Held::Absent, Held::Empty, Held::Text)));

// The store contact a record is filled from is dropped with the room it took,
// and what the record took from it, the photo above all, stays.
TEST(AttachedStoreContact, GoesWithoutTakingThePhotoOrTheCompanyKey)
{
    const StoreContact stored = PersonTestContacts::fullContact();
    const MVPersonPtr person = MVPerson::initWithCNContact(stored);
    EXPECT_FALSE(person->cnContact().has_value());
    EXPECT_EQ(person->imageData(), stored.imageData());
    EXPECT_TRUE(person->holdsPhoto());

    person->setUniqueId2(u"company-key"_s);
    person->setCnContact(stored);
    ASSERT_TRUE(person->cnContact().has_value());
    EXPECT_EQ(person->cnContact()->organizationName(), stored.organizationName());
    person->setCnContact(std::nullopt);
    EXPECT_FALSE(person->cnContact().has_value());
    EXPECT_EQ(person->imageData(), stored.imageData());
    EXPECT_EQ(person->uniqueId2(), u"company-key"_s);

    const MVPersonPtr bare = MVPerson::init();
    bare->setCnContact(stored);
    EXPECT_EQ(bare->cnContact()->organizationName(), stored.organizationName());
    bare->setCnContact(std::nullopt);
    EXPECT_FALSE(bare->cnContact().has_value());
    EXPECT_TRUE(bare->imageData().isNull());
    EXPECT_TRUE(bare->uniqueId2().isNull());
}

// The name lives inside its contact: the live name handed out keeps the
// contact alive while it is held, and edits through it are the contact's.
TEST(PersonName, TheLiveNameIsTheContactsOwnAndOutlivesItsOtherHolders)
{
    std::weak_ptr<MVPerson> watched;
    NameRecordPtr name;
    {
        const MVPersonPtr person = MVPerson::init();
        watched = person;
        EXPECT_FALSE(person->holdsNameValue());
        EXPECT_EQ(person->heldNameValue(), nullptr);
        name = person->nameValue();
        EXPECT_TRUE(person->holdsNameValue());
        EXPECT_EQ(person->heldNameValue(), name.get());
        name->firstName = u"花子"_s;
        EXPECT_EQ(std::get<QString>(person->valueForIdentifier(FieldId::FirstName)), u"花子"_s);

        NameRecord given;
        given.lastName = u"山田"_s;
        person->setValue(given, FieldId::Name);
        given.lastName = u"changed"_s;
        EXPECT_EQ(person->nameValue()->lastName, u"山田"_s);
        NameRecord copy = *person->nameValue();
        copy.lastName = u"other"_s;
        EXPECT_EQ(person->heldNameValue()->lastName, u"山田"_s);
    }
    ASSERT_FALSE(watched.expired());
    EXPECT_EQ(name->lastName, u"山田"_s);
    name.reset();
    EXPECT_TRUE(watched.expired());

    MVPerson onTheStack;
    onTheStack.nameValue()->lastName = u"田中"_s;
    EXPECT_EQ(onTheStack.nameValue()->lastName, u"田中"_s);
}

struct DisplayNameRow {
    bool company;
    const char *changed; // the name part or company text given after the first display name
    const char *expected;
};

class DisplayName : public testing::TestWithParam<DisplayNameRow> { };

// "compositeName" is the display name as the contact stands now, also after
// its live records were changed behind the getter.
TEST_P(DisplayName, IsWorkedOutFromTheContactAsItStands)
{
    StoreContact contact;
    contact.setGivenName(u"太郎"_s);
    if (GetParam().company) {
        contact.setContactType(StoreContact::ContactType::Organization);
        contact.setOrganizationName(u"Morvane"_s);
    }
    const MVPersonPtr person = MVPerson::initWithCNContact(contact);
    const QString changed = QString::fromUtf8(GetParam().changed);
    if (GetParam().company)
        person->stringValues()->company = changed;
    else
        person->nameValue()->firstName = changed;
    EXPECT_EQ(
        std::get<QString>(person->valueForIdentifier(u"compositeName"_s)), QString::fromUtf8(GetParam().expected));
    EXPECT_EQ(person->compositeName(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Kinds, DisplayName,
    testing::Values(DisplayNameRow{false, "次郎", "次郎"}, DisplayNameRow{false, "", "No Name"},
        DisplayNameRow{true, "Quill", "Quill"}, DisplayNameRow{true, "", "No Name"}));

// A record without an identifier takes one from its display name once that
// was worked out, and from the program's name before.
TEST(PersonIdentity, WithoutAnIdentifierComesFromTheDisplayNameOnceItWasWorkedOut)
{
    MVPerson unnamed;
    EXPECT_TRUE(unnamed.uniqueId().startsWith(u"MorvaneSoftware+"_s));
    MVPerson named;
    named.setValue(u"山田"_s, FieldId::LastName);
    EXPECT_EQ(named.compositeName(), u"山田"_s);
    EXPECT_TRUE(named.uniqueId().startsWith(u"山田+"_s)) << qPrintable(named.uniqueId());
}

} // namespace
