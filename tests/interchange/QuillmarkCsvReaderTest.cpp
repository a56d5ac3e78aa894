#include "interchange/QuillmarkCsvReader.h"
#include "model/ContactIdentifier.h"
#include "model/MVPerson.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A contact as "name|company|renmei|zip|state|street|phone|email|addresses".
QString summary(const ContactRecordPtr &contact)
{
    MVPerson &person = *contact->person;
    const LabeledValueRecordPtr address = person.labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    const LabeledValueRecordPtr phone = person.labeledValueForIdentifierAtIndex(FieldId::Phone, 0);
    const LabeledValueRecordPtr email = person.labeledValueForIdentifierAtIndex(FieldId::Email, 0);
    return QStringList{person.compositeName(), person.stringValueForIdentifier(FieldId::Company, 0),
        person.stringValueForIdentifier(FieldId::Renmei, 0), address ? address->address->zip : QString(),
        address ? address->address->state : QString(), address ? address->address->street : QString(),
        phone ? phone->stringValue : QString(), email ? email->stringValue : QString(),
        QString::number(person.addressValues()->size())}
        .join(u'|');
}

struct CsvRow {
    const char *name;
    QString text;
    QStringList contacts;
    bool headerFound = true;
};

class OwnCsvLayout : public testing::TestWithParam<CsvRow> { };

TEST_P(OwnCsvLayout, ReadsTheRecords)
{
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(GetParam().text);
    ASSERT_TRUE(result.contacts);
    QStringList read;
    for (const ContactRecordPtr &contact : std::as_const(*result.contacts))
        read.append(summary(contact));
    EXPECT_EQ(read, GetParam().contacts);
    EXPECT_EQ(result.headerFound, GetParam().headerFound);
}

INSTANTIATE_TEST_SUITE_P(Files, OwnCsvLayout,
    testing::Values(CsvRow{"ThreeColumnHeader", u"Name,ZIP,Phone\nAnn,100-0001,03-1111,extra\nBen\n"_s,
                        {u"Ann|||100-0001|||03-1111||1"_s, u"Ben||||||||0"_s}},
        CsvRow{"NoHeaderReadsTheFixedOrder", u"Ann,Ken,ACME,100-0001,東京都千代田区,1-1,,a@x.jp,03-1\n"_s,
            {u"Ann|ACME|Ken|100-0001|東京都千代田区|1-1|03-1|a@x.jp|1"_s}, false},
        // The quote closed on the next line joins the two; "Note" is no field of the contact.
        CsvRow{"QuotedFieldAcrossLines", u"Name,Street,Note\nAnn,\"1-1\nBuilding 2\",memo\nBen,2-2,x\n"_s,
            {u"Ann|||||1-1\nBuilding 2|||1"_s, u"Ben|||||2-2|||1"_s}},
        // The second quoted field joins the lines again: the first keeps its text.
        CsvRow{"TwoQuotedFieldsAcrossLines",
            u"Name,Street,Company\nAnn,\"1-1\nBuilding 2\",\"ACME\nWest\nWing\"\nBen\n"_s,
            {u"Ann|ACME\nWest\nWing||||1-1\nBuilding 2|||1"_s, u"Ben||||||||0"_s}},
        // Lines a quoted field takes in are joined by a line feed, whatever ended them.
        CsvRow{"QuotedFieldAcrossCrLfAndCr", u"Name,Street,Company\r\nAnn,\"1-1\r\nB\",\"X\rY\"\r\n"_s,
            {u"Ann|X\nY||||1-1\n\nB|||1"_s}},
        CsvRow{"QuotesWithoutCommaQuoteStay", u"Name,Company\n\"Ann\",ACME\n"_s, {u"\"Ann\"|ACME|||||||0"_s}},
        CsvRow{"CrLfAndEmptyFirstLines", u"\r\n\r\nName,Company\r\nAnn,ACME\r\n\r\nBen,\r\n"_s,
            {u"Ann|ACME|||||||0"_s, u"Ben||||||||0"_s}},
        // A stray quote never closed is an ordinary character: later records stay records.
        CsvRow{"UnclosedQuoteSwallowsNothing", u"Name,Street\nAnn,\"1-1\nBen,2-2\nCid,3-3\n"_s,
            {u"Ann|||||\"1-1|||1"_s, u"Ben|||||2-2|||1"_s, u"Cid|||||3-3|||1"_s}},
        // A quote left open runs to the next line holding a quote, the lines between taken in.
        CsvRow{"OpenQuoteRunsToTheNextQuotedLine", u"Name,Street,Company\nAnn,\"1-1\nBen,2-2\nCid,\"3-3\",X\nDan\n"_s,
            {u"Ann|3-3\"||||1-1\nBen,2-2\nCid,|||1"_s, u"Dan||||||||0"_s}},
        CsvRow{"UnicodeLineSeparatorsEndRecords",
            u"Name,Street\u2028Ann,\"1\u20292\"\u0085Ben,x\x0b"
            u"Cid\x0c"_s,
            {u"Ann|||||1\n2|||1"_s, u"Ben|||||x|||1"_s, u"Cid||||||||0"_s}},
        CsvRow{"LastLineWithoutLineEnd", u"Name,Street\nAnn,\"1\n2\"\nBen,\"x"_s,
            {u"Ann|||||1\n2|||1"_s, u"Ben|||||\"x|||1"_s}},
        CsvRow{"QuoteClosedAtTheEndOfTheText", u"Name,Street\nAnn,\"1\r\n2\""_s, {u"Ann|||||1\n\n2|||1"_s}},
        CsvRow{"EmptyRecordsMakeNoContact", u"Name,Street\n,\n,,\nAnn,\n"_s, {u"Ann||||||||0"_s}},
        CsvRow{"OnlyEmptyLines", u"\n\n"_s, {}},
        CsvRow{"LayoutGivesAnAddress", u"Name,layoutString\nAnn,2;rn:{{1.50,2.25},{100.00,50.00}};\n"_s,
            {u"Ann||||||||1"_s}}),
    [](const testing::TestParamInfo<CsvRow> &info) { return std::string(info.param.name); });

TEST(OwnCsvLayout, NullTextGivesNoTable)
{
    EXPECT_FALSE(QuillmarkCsvReader::contactsFromQuillmarkCSV(QString()).contacts);
}

TEST(OwnCsvLayout, LayoutLandsOnTheAddress)
{
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(
        u"Name,ZIP,layoutString\nAnn,100-0001,\"2;rn:{{1.50,2.25},{100.00,50.00}};\"\n"_s);
    ASSERT_EQ(result.contacts->size(), 1);
    const HagakiLayoutRecordPtr layout = result.contacts->first()->person->hagakiLayouts()->value(0);
    ASSERT_TRUE(layout);
    EXPECT_EQ(result.contacts->first()->person->layoutStringFromHagakiLayoutDict(layout.get()),
        u"2;rn:{{1.50,2.25},{100.00,50.00}};"_s);
}

// A read contact's labeled lists in one text: each record's keys, its
// labelIndex among them, field by field; then the postcard layouts.
QString describeLists(const MVPerson &person)
{
    QStringList described;
    for (const ContactIdentifier &identifier : {FieldId::Phone, FieldId::Email, FieldId::Address}) {
        const LabeledValueList *records = person.peekLabeledValues(identifier);
        if (!records) {
            described.append(identifier + u": none"_s);
            continue;
        }
        for (const LabeledValueRecordPtr &record : *records) {
            const QVariantMap map = record->toVariantMap();
            QStringList entries;
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                entries.append(it.key() + u'=' + it.value().toString());
            described.append(identifier + u": "_s + entries.join(u','));
        }
    }
    return described.join(u'\n');
}

// The contact of one record as it was made before the reader gave it its
// lists at once: each list set by a call of its own.
MVPersonPtr givenListByList(const QString &phone, const QString &email, const QString &zip, const QString &layout)
{
    const MVPersonPtr person = MVPerson::init();
    const auto oneValue = [](const QString &text) {
        auto record = std::make_shared<LabeledValueRecord>();
        record->label = u"home"_s;
        record->labelIndex = 0;
        record->value = text;
        record->stringValue = text;
        return LabeledValueList{record};
    };
    if (!email.isEmpty())
        person->setValue(oneValue(email), FieldId::Email);
    if (!phone.isEmpty())
        person->setValue(oneValue(phone), FieldId::Phone);
    if (!zip.isEmpty() || !layout.isEmpty()) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = u"home"_s;
        address->labelIndex = 0;
        address->address->zip = zip;
        person->setValue(LabeledValueList{address}, FieldId::Address);
        if (!layout.isEmpty())
            person->shareHagakiLayoutText(layout);
    }
    return person;
}

TEST(OwnCsvLayout, ListsMatchThoseSetOneByOne)
{
    const QString layout = u"2;rn:{{1.50,2.25},{100.00,50.00}};"_s;
    const QList<QStringList> rows{{u"Ann"_s, u"03-1"_s, u"a@x.jp"_s, u"100-0001"_s, layout},
        {u"Ben"_s, u"03-2"_s, QString(), QString(), QString()}, {u"Cid"_s, QString(), u"c@x.jp"_s, QString(), layout},
        {u"Dan"_s, QString(), QString(), u"100-0004"_s, QString()},
        {u"Eve"_s, u"03-5"_s, u"e@x.jp"_s, QString(), QString()}};
    QString text = u"Name,Phone,Email,ZIP,layoutString\n"_s;
    for (const QStringList &row : rows)
        text += row.mid(0, 4).join(u',') + u",\""_s + row.at(4) + u"\"\n"_s;
    const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(text);
    ASSERT_EQ(result.contacts->size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        MVPerson &read = *result.contacts->at(i)->person;
        const MVPersonPtr expected = givenListByList(row.at(1), row.at(2), row.at(3), row.at(4));
        EXPECT_EQ(describeLists(read).toStdString(), describeLists(*expected).toStdString()) << row.at(0).toStdString();
        for (const ContactIdentifier &identifier : {FieldId::Phone, FieldId::Email, FieldId::Address}) {
            const LabeledValueListPtr readList = read.labeledValues(identifier);
            const LabeledValueListPtr expectedList = expected->labeledValues(identifier);
            ASSERT_EQ(readList->size(), expectedList->size());
            for (qsizetype j = 0; j < readList->size(); ++j)
                EXPECT_TRUE(*readList->at(j) == *expectedList->at(j)) << identifier.toStdString();
        }
        ASSERT_EQ(read.hagakiLayouts()->size(), expected->hagakiLayouts()->size());
        for (qsizetype j = 0; j < read.hagakiLayouts()->size(); ++j) {
            EXPECT_EQ(read.hagakiLayouts()->at(j)->toVariantMap(), expected->hagakiLayouts()->at(j)->toVariantMap())
                << row.at(0).toStdString();
        }
    }
}

TEST(OwnCsvLayout, RecordsOutliveTheirContactAndChangeAlone)
{
    QuillmarkCsvReader::Result result
        = QuillmarkCsvReader::contactsFromQuillmarkCSV(u"Name,Phone,Email,ZIP\nAnn,03-1,a@x.jp,100-0001\n"_s);
    ASSERT_EQ(result.contacts->size(), 1);
    MVPerson &person = *result.contacts->first()->person;
    const LabeledValueListPtr phones = person.phoneValues();
    const LabeledValueRecordPtr email = person.emailValues()->first();
    const LabeledValueRecordPtr address = person.addressValues()->first();
    email->stringValue = u"b@x.jp"_s;
    address->address->street = u"1-1"_s;
    EXPECT_EQ(phones->first()->stringValue, u"03-1"_s);
    EXPECT_EQ(person.addressValues()->first()->address->zip, u"100-0001"_s);
    // A list replaced leaves the records held before as they were.
    person.setValue(LabeledValueList{}, FieldId::Email);
    EXPECT_TRUE(person.emailValues()->isEmpty());
    EXPECT_EQ(email->stringValue, u"b@x.jp"_s);
    result.contacts.reset();
    EXPECT_EQ(phones->first()->stringValue, u"03-1"_s);
    EXPECT_EQ(email->valueText(), u"a@x.jp"_s);
    EXPECT_EQ(address->address->street, u"1-1"_s);
    EXPECT_EQ(address->labelIndex, 0);
}

// A record's own texts are kept together; each still reads and changes as a
// text of its own, and outlives the table it was read into.
TEST(OwnCsvLayout, TextsOfARecordChangeApartAndOutliveTheTable)
{
    QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(
        u"Name,ZIP,State&City,Street,Phone,Name\n"
        "山田太郎1,100-0001,東京都千代田区,\"千代田1-1\n2階\",03-1234-1,山田花子\n"
        "山田太郎2,100-0001,東京都千代田区,千代田1-1,03-1234-2,\n"_s);
    ASSERT_EQ(result.contacts->size(), 2);
    // The values wait as texts until the contact's lists are asked for.
    const ReadLabeledValues *waiting = result.contacts->at(0)->person->pendingReadValues();
    ASSERT_NE(waiting, nullptr);
    EXPECT_EQ(waiting->street, u"千代田1-1\n2階"_s);
    EXPECT_EQ(waiting->phone, u"03-1234-1"_s);
    // A later column of a field wins over an earlier one, empty or not.
    EXPECT_EQ(summary(result.contacts->at(0)), u"山田花子|||100-0001|東京都千代田区|千代田1-1\n2階|03-1234-1||1"_s);
    EXPECT_EQ(summary(result.contacts->at(1)), u"No Name|||100-0001|東京都千代田区|千代田1-1|03-1234-2||1"_s);
    const LabeledValueRecordPtr address = result.contacts->at(0)->person->addressValues()->first();
    const LabeledValueRecordPtr phone = result.contacts->at(0)->person->phoneValues()->first();
    address->address->street.append(u"-3"_s);
    EXPECT_EQ(phone->stringValue, u"03-1234-1"_s);
    EXPECT_EQ(result.contacts->at(1)->person->addressValues()->first()->address->street, u"千代田1-1"_s);
    result.contacts.reset();
    phone->stringValue.append(u"0"_s);
    EXPECT_EQ(address->address->street, u"千代田1-1\n2階-3"_s);
    EXPECT_EQ(address->address->zip, u"100-0001"_s);
    EXPECT_EQ(phone->stringValue, u"03-1234-10"_s);
    EXPECT_EQ(phone->valueText(), u"03-1234-1"_s);
}

} // namespace
