// The postcard layouts of contacts read from the own CSV layout: the same as
// those of a contact given its address and layout text one call after the
// other, whatever happens to the contact before they are first asked for.
#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"
#include "model/PersonDuplicate.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString layoutText = u"5;ra:{{10.00,20.00},{30.00,40.00}};"_s;

QString describeLayouts(const HagakiLayoutList &layouts)
{
    QStringList described;
    for (const HagakiLayoutRecordPtr &layout : layouts) {
        const QVariantMap map = layout->toVariantMap();
        QStringList entries;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            entries.append(it.key() + u'=' + it.value().toString());
        described.append(entries.join(u','));
    }
    return described.join(u" | "_s);
}

// Everything of the contact a layout takes part in, after what the row does
// to it: its layouts, a layout copy, a duplicate's layouts and its vCard.
QString describe(MVPerson &person)
{
    const HagakiLayoutRecordPtr first = person.hagakiLayoutForLabelIndex(0);
    const MVPersonPtr duplicate = PersonDuplicate::copyOf(person, PersonDuplicate::CopyLayouts::Yes);
    const vCardExportOptions options{
        vCardExportOption::Note, vCardExportOption::Renmei, vCardExportOption::HagakiLayout};
    QString card = MVvCard().vCardFromPerson(person.shared_from_this(), options, {});
    card.remove(QRegularExpression(u"UID:[^\r\n]*"_s));
    return describeLayouts(*person.hagakiLayouts()) + u"\nfirst: "_s + (first ? describeLayouts({first}) : u"none"_s)
        + u"\ncopy: "_s + describeLayouts(*duplicate->hagakiLayouts()) + u"\naddress 0 layout text: "_s
        + person.stringValueForIdentifier(FieldId::HagakiLayout, 0) + u'\n' + card;
}

LabeledValueRecord address(const QString &label, const QString &street)
{
    LabeledValueRecord record;
    record.label = label;
    record.address->street = street;
    return record;
}

struct LayoutStep {
    const char *name;
    std::function<void(MVPerson &)> apply;
};

class OwnCsvLayouts : public testing::TestWithParam<LayoutStep> { };

// The contact as the reader made it before its layouts were made lazily: an
// address, then the layout text applied to the first.
MVPersonPtr givenOneCallAfterTheOther(const QString &text)
{
    const MVPersonPtr person = MVPerson::init();
    NameRecord name;
    name.showAsPerson = true;
    name.lastName = u"Ann"_s;
    person->setValue(name, FieldId::Name);
    auto home = std::make_shared<LabeledValueRecord>(address(u"home"_s, QString()));
    home->labelIndex = 0;
    home->address->zip = u"100-0001"_s;
    person->setValue(LabeledValueList{home}, FieldId::Address);
    person->replaceLabeledValueAtIndex(text, FieldId::HagakiLayout, 0);
    return person;
}

TEST_P(OwnCsvLayouts, MatchTheLayoutsOfTheTextAppliedAtOnce)
{
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(
        u"Name,ZIP,layoutString\nAnn,100-0001,\""_s + layoutText + u"\"\nBen,100-0002,\""_s + layoutText + u"\"\n"_s);
    ASSERT_EQ(result.contacts->size(), 2);
    MVPerson &read = *result.contacts->first()->person;
    const MVPersonPtr expected = givenOneCallAfterTheOther(layoutText);
    GetParam().apply(read);
    GetParam().apply(*expected);
    EXPECT_EQ(describe(read).toStdString(), describe(*expected).toStdString());
    // The other contact of the same text keeps its own layout.
    const QString other = describe(*result.contacts->at(1)->person).section(u'\n', 0, 0);
    const QString expectedOther
        = u"Company=false,Renmei=true,Sender=true,labelIndex=0,receiverAddress={{10.00,20.00},{30.00,40.00}},"
          u"stringValue="_s
        + layoutText;
    EXPECT_EQ(other.toStdString(), expectedOther.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Steps, OwnCsvLayouts,
    testing::Values(LayoutStep{"AskedAtOnce", [](MVPerson &) {}},
        LayoutStep{"AddressesReplacedByTwo",
            [](MVPerson &person) {
                person.setValue(LabeledValueList{std::make_shared<LabeledValueRecord>(address(u"work"_s, u"1-1"_s)),
                                    std::make_shared<LabeledValueRecord>(address(u"other"_s, u"2-2"_s))},
                    FieldId::Address);
            }},
        LayoutStep{"AddressDeleted",
            [](MVPerson &person) { person.deleteLabeledValueForIdentifierAtIndex(FieldId::Address, 0); }},
        LayoutStep{"AddressRecordReplaced",
            [](MVPerson &person) {
                person.replaceLabeledValueAtIndex(address(u"work"_s, u"3-3"_s), FieldId::Address, 0);
            }},
        LayoutStep{"AddressAdded",
            [](MVPerson &person) { person.addLabeledValue(address(u"work"_s, u"4-4"_s), FieldId::Address); }},
        LayoutStep{"LayoutOfASecondAddressGiven",
            [](MVPerson &person) {
                person.replaceLabeledValueAtIndex(u"2;rn:{{1.00,2.00},{3.00,4.00}};"_s, FieldId::HagakiLayout, 1);
            }},
        LayoutStep{"LayoutTextReplaced",
            [](MVPerson &person) {
                person.replaceLabeledValueAtIndex(u"1;sa:{{5.00,6.00},{7.00,8.00}};"_s, FieldId::HagakiLayout, 0);
            }},
        LayoutStep{"LayoutListSet",
            [](MVPerson &person) {
                auto layout = std::make_shared<HagakiLayoutRecord>();
                layout->stringValue = u"4;"_s;
                person.setValue(HagakiLayoutList{layout}, FieldId::HagakiLayout);
            }},
        LayoutStep{"LiveLayoutChanged", [](MVPerson &person) { person.hagakiLayouts()->first()->company = true; }}),
    [](const testing::TestParamInfo<LayoutStep> &info) { return std::string(info.param.name); });

TEST(OwnCsvLayouts, ValueOfTheFieldHoldsTheLiveLayouts)
{
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(
        u"Name,layoutString\nAnn,\""_s + layoutText + u"\"\nBen,\""_s + layoutText + u"\"\n"_s);
    ASSERT_EQ(result.contacts->size(), 2);
    MVPerson &ann = *result.contacts->first()->person;
    const PersonValue value = ann.valueForIdentifier(FieldId::HagakiLayout);
    const auto *layouts = std::get_if<HagakiLayoutList>(&value);
    ASSERT_TRUE(layouts);
    ASSERT_EQ(layouts->size(), 1);
    layouts->first()->sender = false;
    EXPECT_FALSE(ann.hagakiLayouts()->first()->printsSender());
    EXPECT_TRUE(result.contacts->at(1)->person->hagakiLayouts()->first()->printsSender());
}

} // namespace
