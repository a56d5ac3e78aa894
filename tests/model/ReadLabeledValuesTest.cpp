#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/ReadLabeledValues.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString layoutText = u"2;rn:{{1.50,2.25},{100.00,50.00}};"_s;

const QList<ReadLabeledValues> givenValues{
    {u"03-1"_s, u"a@x.jp"_s, u"100-0001"_s, u"東京都千代田区"_s, u"千代田1-1\n2階"_s, layoutText},
    {u"03-2"_s, {}, {}, {}, {}, {}},
    {{}, u"c@x.jp"_s, {}, {}, {}, layoutText},
    {{}, {}, u"100-0004"_s, {}, {}, {}},
};

// Everything the contact holds of its labeled lists and layouts, and its
// card but for the identifier.
QString describe(MVPerson &person)
{
    QStringList described;
    for (const ContactIdentifier &field : {FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::URL}) {
        for (const LabeledValueRecordPtr &record : *person.labeledValues(field)) {
            const QVariantMap map = record->toVariantMap();
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                described.append(field + u' ' + it.key() + u'=' + it.value().toString());
        }
    }
    for (const HagakiLayoutRecordPtr &layout : *person.hagakiLayouts()) {
        const QVariantMap map = layout->toVariantMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            described.append(u"layout "_s + it.key() + u'=' + it.value().toString());
    }
    for (const QString &line : QString::fromUtf8(person.vCardData()).split(u"\r\n"_s)) {
        if (!line.startsWith(u"UID"_s))
            described.append(line);
    }
    return described.join(u'\n');
}

MVPersonPtr namedPerson()
{
    const MVPersonPtr person = MVPerson::init();
    NameRecord name;
    name.lastName = u"山田"_s;
    person->setValue(name, FieldId::Name);
    return person;
}

LabeledValueRecord workValue(const QString &text)
{
    LabeledValueRecord record;
    record.label = u"work"_s;
    record.value = text;
    record.stringValue = text;
    return record;
}

struct FirstAsk {
    const char *name;
    std::function<void(MVPerson &)> ask;
};

class ReadValuesWaiting : public testing::TestWithParam<FirstAsk> { };

// Whatever first reaches the lists or layouts of a contact holding a file's
// values, it finds and leaves the contact as if the lists had been given when
// the file was read.
TEST_P(ReadValuesWaiting, FirstAskSeesWhatGivingAtOnceMade)
{
    for (const ReadLabeledValues &values : givenValues) {
        const MVPersonPtr waiting = namedPerson();
        waiting->holdReadValues(values);
        ASSERT_NE(waiting->pendingReadValues(), nullptr);
        EXPECT_EQ(waiting->peekMadeLabeledValues(FieldId::Phone), nullptr);
        EXPECT_EQ(waiting->pendingReadValues()->street, values.street);
        const MVPersonPtr given = namedPerson();
        values.applyTo(*given);

        GetParam().ask(*waiting);
        GetParam().ask(*given);
        EXPECT_EQ(waiting->pendingReadValues(), nullptr);
        EXPECT_EQ(describe(*waiting).toStdString(), describe(*given).toStdString()) << values.phone.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Asks, ReadValuesWaiting,
    testing::Values(FirstAsk{"List", [](MVPerson &person) { (void)person.labeledValues(FieldId::Phone); }},
        FirstAsk{"HeldList", [](MVPerson &person) { (void)person.heldLabeledValues(FieldId::Address); }},
        FirstAsk{"PeekedList", [](MVPerson &person) { (void)person.peekLabeledValues(FieldId::Email); }},
        FirstAsk{"MadeList", [](MVPerson &person) { (void)person.madeLabeledValues(FieldId::Address); }},
        FirstAsk{"Layouts", [](MVPerson &person) { (void)person.hagakiLayouts(); }},
        FirstAsk{"LayoutValue", [](MVPerson &person) { (void)person.valueForIdentifier(FieldId::HagakiLayout); }},
        FirstAsk{"LayoutText", [](MVPerson &person) { person.shareHagakiLayoutText(u"1;;"_s); }},
        FirstAsk{"Card", [](MVPerson &person) { (void)person.vCardData(); }},
        FirstAsk{"NewPhoneList",
            [](MVPerson &person) {
                person.setValue(
                    LabeledValueList{std::make_shared<LabeledValueRecord>(workValue(u"06-9"_s))}, FieldId::Phone);
            }},
        FirstAsk{
            "AddedEmail", [](MVPerson &person) { person.addLabeledValue(workValue(u"w@x.jp"_s), FieldId::Email); }},
        FirstAsk{"NewUrls",
            [](MVPerson &person) {
                person.setUrlValues(std::make_shared<LabeledValueList>(
                    LabeledValueList{std::make_shared<LabeledValueRecord>(workValue(u"https://x.jp"_s))}));
            }},
        FirstAsk{"RemovedAddress",
            [](MVPerson &person) { person.deleteLabeledValueForIdentifierAtIndex(FieldId::Address, 0); }},
        FirstAsk{"ReplacedEmail",
            [](MVPerson &person) { person.replaceLabeledValueAtIndex(workValue(u"r@x.jp"_s), FieldId::Email, 0); }},
        FirstAsk{"Settled", [](MVPerson &person) { person.settleReadValues(); }}),
    [](const testing::TestParamInfo<FirstAsk> &info) { return info.param.name; });

TEST(ReadValuesHeld, OnlyByAContactWithoutListsOfItsOwnAndNeverEmpty)
{
    const MVPersonPtr empty = namedPerson();
    empty->holdReadValues({});
    EXPECT_EQ(empty->pendingReadValues(), nullptr);
    EXPECT_TRUE(empty->phoneValues()->isEmpty());

    // A contact whose phone list was made takes the values at once, beside it.
    const MVPersonPtr touched = namedPerson();
    touched->phoneValues()->append(std::make_shared<LabeledValueRecord>(workValue(u"06-9"_s)));
    touched->holdReadValues(givenValues.at(2));
    EXPECT_EQ(touched->pendingReadValues(), nullptr);
    ASSERT_NE(touched->peekMadeLabeledValues(FieldId::Email), nullptr);
    EXPECT_EQ(touched->peekMadeLabeledValues(FieldId::Email)->first()->stringValue, u"c@x.jp"_s);
    EXPECT_EQ(touched->phoneValues()->size(), 1);

    // Values held twice: the first are given before the second wait.
    const MVPersonPtr twice = namedPerson();
    twice->holdReadValues(givenValues.at(1));
    twice->holdReadValues(givenValues.at(2));
    EXPECT_EQ(twice->peekMadeLabeledValues(FieldId::Phone)->first()->stringValue, u"03-2"_s);
    EXPECT_EQ(twice->pendingReadValues(), nullptr);
}

// The lists the table lays rows out from, made without the contact, are
// those the contact makes.
TEST(ReadValuesHeld, ListsMadeApartEqualTheContactsOwn)
{
    for (const ReadLabeledValues &values : givenValues) {
        const MVPersonPtr person = namedPerson();
        person->holdReadValues(values);
        const ReadLabeledValues::Lists made = person->pendingReadValues()->madeLists();
        ASSERT_NE(person->pendingReadValues(), nullptr);
        for (const ContactIdentifier &field : {FieldId::Phone, FieldId::Email, FieldId::Address}) {
            const LabeledValueList &own = *person->madeLabeledValues(field);
            const auto apart = std::find_if(made.cbegin(), made.cend(),
                [&field](const LabeledFieldValues &list) { return list.identifier == field; });
            ASSERT_EQ(apart != made.cend() ? apart->values.size() : 0, own.size()) << field.toStdString();
            ASSERT_EQ(values.count(field), own.size());
            for (qsizetype i = 0; i < own.size(); ++i)
                EXPECT_TRUE(*apart->values.at(i) == *own.at(i)) << field.toStdString();
        }
    }
}

} // namespace
