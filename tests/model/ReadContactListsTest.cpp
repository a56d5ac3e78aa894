#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/StoreContactReader.h"

#include "PersonTestContacts.h"

#include <gtest/gtest.h>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString labeledFields[] = {FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::URL, FieldId::SocialNetwork,
    FieldId::InstantMessage, FieldId::Relationship, FieldId::Dates};

QStringList shown(const LabeledValueList &values)
{
    QStringList texts;
    for (const LabeledValueRecordPtr &record : values)
        texts.append(record->stringValue);
    return texts;
}

class ReadContactLists : public testing::TestWithParam<QString> { };

// The labeled lists of a contact read from the store are handed out as lists
// of their own: one replaced or changed by a holder leaves every other list
// as it was, and a list outlives its contact for as long as it is held.
TEST_P(ReadContactLists, StayApartAndAliveWhileHeld)
{
    const QString &changed = GetParam();
    MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    std::vector<LabeledValueListPtr> held;
    std::vector<std::weak_ptr<LabeledValueList>> watched;
    std::vector<QStringList> before;
    for (const QString &field : labeledFields) {
        held.push_back(person->labeledValues(field));
        ASSERT_FALSE(held.back()->isEmpty()) << field.toStdString();
        watched.push_back(held.back());
        before.push_back(shown(*held.back()));
    }

    auto replacement = std::make_shared<LabeledValueRecord>();
    replacement->value = u"new"_s;
    replacement->stringValue = u"new"_s;
    person->setValue(LabeledValueList{replacement}, changed);
    const std::size_t at = std::distance(std::begin(labeledFields), std::ranges::find(labeledFields, changed));
    auto added = std::make_shared<LabeledValueRecord>();
    added->stringValue = u"added"_s;
    held[at]->append(added);
    for (std::size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(labeledFields[i].toStdString());
        const LabeledValueListPtr now = person->labeledValues(labeledFields[i]);
        if (i == at) {
            EXPECT_NE(now, held[i]);
            EXPECT_EQ(now->size(), 1);
            EXPECT_EQ(shown(*held[i]), before[i] + QStringList{u"added"_s});
        } else {
            EXPECT_EQ(now, held[i]);
            EXPECT_EQ(shown(*held[i]), before[i]);
        }
    }

    person.reset();
    held[at].reset();
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (i == at)
            continue;
        EXPECT_FALSE(watched[i].expired());
        EXPECT_EQ(shown(*held[i]), before[i]);
    }
    held.clear();
    for (const auto &list : watched)
        EXPECT_TRUE(list.expired());
}

INSTANTIATE_TEST_SUITE_P(Fields, ReadContactLists, testing::ValuesIn(labeledFields));

// The strings and the phonetic name of a read contact are records of their
// own as well: a change to one leaves the other, and both outlive the
// contact while held.
TEST(ReadStringsAndPhoneticName, StayApartAndAliveWhileHeld)
{
    MVPersonPtr person = MVPerson::initWithCNContact(PersonTestContacts::fullContact());
    const StringValuesRecordPtr strings = person->stringValues();
    const PhoneticNameRecordPtr phonetic = person->phoneticNameValue();
    ASSERT_EQ(strings->value(FieldId::Company), u"Morvane"_s);
    ASSERT_EQ(phonetic->lastName, u"ヤマダ"_s);

    person->setValue(u"カトウ"_s, FieldId::PhoneticLastName);
    person->setValue(u"Other"_s, FieldId::Company);
    EXPECT_EQ(phonetic->lastName, u"カトウ"_s);
    EXPECT_EQ(phonetic->firstName, u"タロウ"_s);
    EXPECT_EQ(strings->value(FieldId::Company), u"Other"_s);
    EXPECT_EQ(strings->value(FieldId::Department), u"開発部"_s);

    person->deleteValueForIdentifier(FieldId::PhoneticName);
    EXPECT_EQ(phonetic->lastName, u"カトウ"_s);
    EXPECT_TRUE(person->phoneticNameValue()->lastName.isEmpty());
    const std::weak_ptr<StringValuesRecord> watched = strings;
    person.reset();
    EXPECT_EQ(strings->value(FieldId::Note), u"一行目\n二行目"_s);
    EXPECT_EQ(phonetic->middleName, u"エム"_s);
    EXPECT_FALSE(watched.expired());
}

// A contact with more than one value in some fields and none in others.
StoreContact contactOfSeveralValues()
{
    StoreContact contact = PersonTestContacts::fullContact();
    contact.setPhoneNumbers({{u"_$!<Home>!$_"_s, PersonTestContacts::phone(u"03-1111-1111"_s)},
        {u"_$!<Work>!$_"_s, PersonTestContacts::phone(u"03-2222-2222"_s)},
        {QString(), PersonTestContacts::phone(u"090-3"_s)}});
    contact.setEmailAddresses({{u"_$!<Work>!$_"_s, u"a@example.jp"_s}, {u"_$!<Home>!$_"_s, u"b@example.jp"_s}});
    contact.setUrlAddresses({});
    return contact;
}

// The records of a read contact are those the reader makes field by field,
// each on its own.
TEST(ReadContactRecords, MatchThoseReadFieldByField)
{
    using Read = LabeledValueList (*)(const StoreContact &);
    const std::array<std::pair<QString, Read>, 8> readers{{
        {FieldId::Phone, [](const StoreContact &contact) { return StoreContactReader::phoneValues(contact); }},
        {FieldId::Email, [](const StoreContact &contact) { return StoreContactReader::emailValues(contact); }},
        {FieldId::Address, [](const StoreContact &contact) { return StoreContactReader::addressValues(contact); }},
        {FieldId::URL, [](const StoreContact &contact) { return StoreContactReader::urlValues(contact); }},
        {FieldId::SocialNetwork, [](const StoreContact &contact) { return StoreContactReader::snsValues(contact); }},
        {FieldId::InstantMessage, [](const StoreContact &contact) { return StoreContactReader::imsValues(contact); }},
        {FieldId::Relationship,
            [](const StoreContact &contact) { return StoreContactReader::relationshipValues(contact); }},
        {FieldId::Dates, [](const StoreContact &contact) { return StoreContactReader::datesValues(contact); }},
    }};
    for (const StoreContact &contact : {PersonTestContacts::fullContact(), contactOfSeveralValues()}) {
        const MVPersonPtr person = MVPerson::initWithCNContact(contact);
        for (const auto &[field, read] : readers) {
            SCOPED_TRACE(field.toStdString());
            const LabeledValueList expected = read(contact);
            const LabeledValueList &records = *person->peekLabeledValues(field);
            ASSERT_EQ(records.size(), expected.size());
            for (qsizetype i = 0; i < records.size(); ++i) {
                EXPECT_TRUE(*records.at(i) == *expected.at(i)) << i;
                EXPECT_EQ(records.at(i)->toVariantMap(), expected.at(i)->toVariantMap()) << i;
            }
        }
    }
}

// Each record of a read contact is a record of its own: a change to one
// leaves the others, and one held outlives its list and its contact.
TEST(ReadContactRecords, StayApartAndAliveWhileHeld)
{
    MVPersonPtr person = MVPerson::initWithCNContact(contactOfSeveralValues());
    std::vector<LabeledValueRecordPtr> held;
    std::vector<QString> before;
    for (const QString &field : labeledFields) {
        for (const LabeledValueRecordPtr &record : std::as_const(*person->labeledValues(field))) {
            held.push_back(record);
            before.push_back(record->stringValue);
        }
    }
    ASSERT_GT(held.size(), 8U);
    held.front()->stringValue = u"changed"_s;
    person->setValue(LabeledValueList{}, FieldId::Email);
    person->deleteLabeledValueForIdentifierAtIndex(FieldId::Phone, 1);
    std::vector<std::weak_ptr<LabeledValueRecord>> watched(held.begin(), held.end());
    person.reset();
    EXPECT_EQ(held.front()->stringValue, u"changed"_s);
    for (std::size_t i = 1; i < held.size(); ++i)
        EXPECT_EQ(held[i]->stringValue, before[i]) << i;
    held.clear();
    for (const auto &record : watched)
        EXPECT_TRUE(record.expired());
}

} // namespace
