#include "model/ContactRecord.h"
#include "model/MVPerson.h"
#include "model/SubContactRecord.h"
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
    const LabeledValueRecord::AccountParts parts = record.accountParts();
    const QString &part = key == u"urlString"_s ? static_cast<const QString &>(parts.urlString)
                                                : static_cast<const QString &>(parts.userIdentifier);
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

// The contact keeps its flags and orderings in the room its name leaves at
// its end: replacing the name, through the contact or the live name, leaves
// them as they were, and the name as given.
TEST(PersonName, ReplacingItLeavesTheContactsFlagsBesideIt)
{
    const MVPersonPtr person = MVPerson::init();
    person->setCreated(false);
    person->setChanged(true);
    person->setDefaultNameOrdering(2);
    person->setDefaultCountryCode(u"jp"_s);
    const auto expectFlags = [&person](bool showAsPerson, int nameOrdering) {
        EXPECT_FALSE(person->created());
        EXPECT_TRUE(person->changed());
        EXPECT_EQ(person->defaultNameOrdering(), 2);
        EXPECT_EQ(person->defaultCountryCode(), u"jp"_s);
        EXPECT_EQ(person->showAsPerson(), showAsPerson);
        EXPECT_EQ(person->nameOrdering(), nameOrdering);
    };

    NameRecord given;
    given.lastName = u"山田"_s;
    given.setMiddleName(u"M"_s);
    given.nameOrdering = 1;
    given.showAsPerson = false;
    person->setValue(given, FieldId::Name);
    expectFlags(false, 1);
    EXPECT_EQ(person->heldNameValue()->lastName, u"山田"_s);
    EXPECT_EQ(person->heldNameValue()->middleName(), u"M"_s);
    EXPECT_EQ(person->heldNameValue()->nameOrdering, 1);
    EXPECT_FALSE(person->heldNameValue()->showAsPerson);

    const NameRecordPtr live = person->nameValue();
    *live = NameRecord();
    expectFlags(false, 1);
    EXPECT_TRUE(person->heldNameValue()->lastName.isNull());
    EXPECT_TRUE(person->heldNameValue()->middleName().isNull());
    EXPECT_TRUE(person->heldNameValue()->showAsPerson);
    person->setNameOrdering(2);
    person->setShowAsPerson(true);
    *live = given;
    expectFlags(true, 2);
    EXPECT_EQ(*person->heldNameValue(), given);
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

// What a label holds: nothing, the null text, the empty text, or a text.
enum class Label { Absent, Null, Empty, Text };

OptionalText labelOf(Label held)
{
    switch (held) {
    case Label::Absent:
        return std::nullopt;
    case Label::Null:
        return QString();
    case Label::Empty:
        return u""_s;
    case Label::Text:
        return u"_$!<Home>!$_"_s;
    }
    return {};
}

class Labels : public testing::TestWithParam<Label> { };

// A label kept in the room of its text alone still tells absent, null, empty
// and text apart, through copies, moves and the dictionary form.
TEST_P(Labels, KeepAbsentNullEmptyAndTextApart)
{
    const Label held = GetParam();
    LabeledValueRecord record;
    record.value = u"090-1234-5678"_s;
    record.label = labelOf(held);

    EXPECT_EQ(record.label.has_value(), held != Label::Absent);
    EXPECT_EQ(record.label == std::nullopt, held == Label::Absent);
    EXPECT_EQ(record.label.value_or(u"none"_s), held == Label::Absent ? u"none"_s : *labelOf(held));
    if (held != Label::Absent) {
        EXPECT_EQ(record.label->isNull(), held == Label::Null);
    }
    const std::optional<QString> asOptional = record.label;
    EXPECT_EQ(asOptional.has_value(), held != Label::Absent);
    for (const Label other : {Label::Absent, Label::Null, Label::Empty, Label::Text}) {
        const bool sameText = other != Label::Absent && held != Label::Absent && *labelOf(other) == *labelOf(held);
        EXPECT_EQ(record.label == labelOf(other), other == held || sameText);
    }

    const QVariantMap map = record.toVariantMap();
    EXPECT_EQ(map.contains(u"label"_s), held != Label::Absent);
    EXPECT_EQ(LabeledValueRecord::fromVariantMap(map).label.has_value(), held != Label::Absent);

    LabeledValueRecord copy = record;
    EXPECT_EQ(copy, record);
    *copy.label = u"changed"_s;
    EXPECT_TRUE(copy.label.has_value());
    EXPECT_EQ(record.label, labelOf(held));
    LabeledValueRecord moved = std::move(copy);
    EXPECT_EQ(moved.label, u"changed"_s);
    moved.label.reset();
    EXPECT_FALSE(moved.label.has_value());
    EXPECT_EQ(moved.labelText(), QString());
}

INSTANTIATE_TEST_SUITE_P(Held, Labels, testing::Values(Label::Absent, Label::Null, Label::Empty, Label::Text));

// The store's object a value keeps comes back as the one of its kind alone,
// is copied deeply, and is given up by a move.
template <typename T> class StoreObjects : public testing::Test {
protected:
    static T object();
};
template <> StoreAddressExtras StoreObjects<StoreAddressExtras>::object()
{
    return StoreAddressExtras{u"一番町"_s, u"千代田郡"_s};
}
template <> StoreContactRelation StoreObjects<StoreContactRelation>::object()
{
    return StoreContactRelation{u"次郎"_s};
}
template <> StoreSocialProfile StoreObjects<StoreSocialProfile>::object()
{
    return StoreSocialProfile{u"https://example.jp/taro"_s, u"taro"_s, u"12345"_s, u"Example"_s};
}
template <> StoreInstantMessageAddress StoreObjects<StoreInstantMessageAddress>::object()
{
    return StoreInstantMessageAddress{u"taro"_s, u"Skype"_s};
}

using StoreObjectKinds
    = testing::Types<StoreAddressExtras, StoreContactRelation, StoreSocialProfile, StoreInstantMessageAddress>;
TYPED_TEST_SUITE(StoreObjects, StoreObjectKinds);

TYPED_TEST(StoreObjects, AreHeldAloneCopiedDeeplyAndGivenUpByAMove)
{
    LabeledValueRecord record;
    EXPECT_TRUE(record.storeObject.isEmpty());
    record.holdStoreObject(TestFixture::object());
    ASSERT_NE(record.heldStoreObject<TypeParam>(), nullptr);
    EXPECT_EQ(*record.heldStoreObject<TypeParam>(), TestFixture::object());
    const int others = int(record.heldStoreObject<StoreAddressExtras>() != nullptr)
        + int(record.heldStoreObject<StoreContactRelation>() != nullptr)
        + int(record.heldStoreObject<StoreSocialProfile>() != nullptr)
        + int(record.heldStoreObject<StoreInstantMessageAddress>() != nullptr);
    EXPECT_EQ(others, 1);

    LabeledValueRecord copy = record;
    EXPECT_EQ(copy, record);
    EXPECT_NE(copy.heldStoreObject<TypeParam>(), record.heldStoreObject<TypeParam>());
    copy.holdStoreObject(StoreContactRelation{u"other"_s});
    EXPECT_EQ(*record.heldStoreObject<TypeParam>(), TestFixture::object());
    EXPECT_EQ(copy == record, false);
    copy = record;
    EXPECT_EQ(copy, record);

    LabeledValueRecord moved = std::move(copy);
    EXPECT_EQ(*moved.heldStoreObject<TypeParam>(), TestFixture::object());
    EXPECT_TRUE(copy.storeObject.isEmpty());
    moved.storeObject.reset();
    EXPECT_EQ(moved.heldStoreObject<TypeParam>(), nullptr);
}

// A contact row is known behind any record without a table of virtual
// functions; assigning another record's values keeps what it is, and copies
// of its rarely held fields are deep.
TEST(RowKinds, AContactRowIsKnownBehindAnyRecordAndKeepsItsKindThroughAssignments)
{
    const MVPersonPtr person = MVPerson::init();
    const auto contact = std::make_shared<ContactRecord>(person, person->uniqueIdValue(), 0);
    contact->setUniqueId2(u"company-key"_s);
    contact->isNew = true;
    const PersonRecordPtr asAny = contact;
    EXPECT_EQ(ContactRecord::from(asAny.get()), contact.get());
    EXPECT_NE(ContactRecord::from(ContactRecord::makeWithPerson(person).get()), nullptr);
    EXPECT_NE(ContactRecord::from(std::make_shared<ContactRecord>().get()), nullptr);
    const auto row = std::make_shared<SubContactRecord>(person, person->uniqueIdValue(), 1);
    EXPECT_EQ(ContactRecord::from(row.get()), nullptr);
    EXPECT_EQ(ContactRecord::from(std::make_shared<PersonRecord>().get()), nullptr);
    EXPECT_EQ(ContactRecord::from(nullptr), nullptr);

    static_cast<PersonRecord &>(*contact) = *row;
    EXPECT_EQ(ContactRecord::from(contact.get()), contact.get());
    EXPECT_EQ(contact->labelIndex, 1);
    EXPECT_TRUE(contact->isNew);
    EXPECT_EQ(contact->uniqueId2(), u"company-key"_s);

    ContactRecord copy = *contact;
    EXPECT_EQ(ContactRecord::from(&copy), &copy);
    copy.setUniqueId2(u"other"_s);
    copy.setCnContact(StoreContact());
    EXPECT_EQ(contact->uniqueId2(), u"company-key"_s);
    EXPECT_FALSE(contact->cnContact().has_value());
    EXPECT_TRUE(copy.cnContact().has_value());
    copy.setUniqueId2(QString());
    EXPECT_TRUE(copy.uniqueId2().isEmpty());
    EXPECT_TRUE(ContactRecord().uniqueId2().isNull());
}

} // namespace
