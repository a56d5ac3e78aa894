#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;
using namespace InterchangeTestContacts;

namespace {

QList<SubContactRecordPtr> rowsOf(const MVPersonPtr &person, qint64 count)
{
    QList<SubContactRecordPtr> rows;
    for (qint64 k = 0; k < count; ++k)
        rows.append(std::make_shared<SubContactRecord>(SubContactRecord{person, person->uniqueId(), k}));
    return rows;
}

ContactTablePtr read(const QString &text)
{
    const ContactTablePtr contacts = MVvCard().contactsFromCSV(text);
    EXPECT_TRUE(contacts);
    return contacts;
}

// Single fields fill the first row only; later rows show the next phone,
// e-mail and address (a mobile phone under Other Phone) with the name parts
// again. A contact record is whole on one line. Weekdays follow the locale.
TEST(MVvCardCsv, ContactOfThreeRowsFillsSingleFieldsOnlyOnTheFirstAndARecordFillsOneLine)
{
    const MVPersonPtr person = fullPerson();
    const auto written = [](const auto &rows) {
        static const QRegularExpression weekday(u"(\\d\\d\\.\\d\\d)\\([^)]*\\)"_s);
        return MVvCard().csvFromSubContacts(rows).replace(weekday, u"\\1(day)"_s).toStdString();
    };
    EXPECT_EQ(written(rowsOf(person, 3)), dataText(u"exports/full_person_rows.csv"_s).toStdString());
    EXPECT_EQ(written(ContactTable{contactOf(person)}), dataText(u"exports/full_person_record.csv"_s).toStdString());
}

TEST(MVvCardCsv, ContactsOfEachLabelACompanyAndANamelessOneRoundTrip)
{
    ContactTable contacts;
    for (const auto &[label, name] : {std::pair{u"home"_s, u"Ann"_s}, {u"work"_s, u"Ben"_s}, {u"other"_s, u"Cid"_s}})
        contacts.append(contactOf(personWithLabel(label, name)));
    // Ann also holds a value of each other label: one row fills every column.
    for (const QString &label : {u"work"_s, u"other"_s}) {
        contacts.at(0)->person->addLabeledValue(labeled(label, label + u" phone"), FieldId::Phone);
        contacts.at(0)->person->addLabeledValue(labeled(label, label + u"@example.com"), FieldId::Email);
        contacts.at(0)->person->addLabeledValue(
            address(label, u"1"_s, u"S"_s, u"C"_s, label + u" street", u"0;"_s), FieldId::Address);
    }
    contacts.at(0)->person->setValue(u"Ann & Co."_s, FieldId::Company);
    contacts.at(1)->person->setValue(u"line\nbreak\ttab \\ back, \"quoted\""_s, FieldId::Note);
    contacts.at(2)->person->setValue(StoreDateComponents{1999, 12, 31}, FieldId::Birthday);
    LabeledValueRecord profile = labeled(u"LinkedIn"_s, u"cid-family"_s);
    contacts.at(2)->person->addLabeledValue(profile, FieldId::SocialNetwork);
    // A company, and a contact without a name.
    const MVPersonPtr company = MVPerson::init();
    NameRecord name;
    name.showAsPerson = false;
    company->setValue(name, FieldId::Name);
    company->setValue(u"Quill Works"_s, FieldId::Company);
    const MVPersonPtr nameless = MVPerson::init();
    nameless->addLabeledValue(labeled(u"home"_s, u"03-0000-0000"_s), FieldId::Phone);
    contacts += ContactTable{contactOf(company), contactOf(nameless)};

    const ContactTablePtr back = read(MVvCard().csvFromSubContacts(contacts));
    ASSERT_EQ(back->size(), 5);
    for (qsizetype i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        expectSameValues(*contacts.at(i)->person, *back->at(i)->person);
        EXPECT_EQ(back->at(i)->person->compositeName(), contacts.at(i)->person->compositeName());
    }
}

// Each contact's name as shown, then its values.
std::string contactsListing(const ContactTablePtr &contacts)
{
    QStringList shown;
    for (const ContactRecordPtr &contact : *contacts)
        shown.append(contact->person->compositeName() + u'\n' + listing(*contact->person));
    return shown.join(u"\n\n"_s).toStdString();
}

// A foreign header maps the words it knows; rows that map to nothing give no
// contact; escapes are undone only in the own layout.
TEST(MVvCardCsv, TextReadsAsTheseContacts)
{
    for (const auto &[text, contacts] :
        {std::pair{u"Name,Company\nHanako Sato,Acme\n"_s, "Hanako Sato\nLastName=Hanako Sato\nCompany=Acme"},
            {u"Display Name,Primary Email,Fax Number,Home ZipCode,Home City,Business Phone\n"
             u"Ann Family,ann@example.com,123,100-0001,Tokyo,03-1\n,,555,,,\n\n"_s,
                "Ann Family\nLastName=Ann Family\nEmail=other|ann@example.com|||||ann\nPhone=work|03-1\n"
                "Address=home||100-0001||Tokyo"},
            {u"Name,Note\nAnn,a\\nb\\tc\\\\n\n"_s, "Ann\nLastName=Ann\nNote=a\nb\tc\\n"},
            {u"Full Name,Note\nAnn,a\\nb\n"_s, "Ann\nLastName=Ann\nNote=a\\nb"},
            {u"1,1,1,1,1@host.invalid\n2,2,2\n"_s, ""}, {u"\nAnn,Ben\n"_s, ""}, {u""_s, ""}})
        EXPECT_EQ(contactsListing(read(text)), contacts);
    EXPECT_FALSE(MVvCard().contactsFromCSV(QString()));
}

TEST(MVvCardCsv, BirthdaysAreReadByTheirLeadingDate)
{
    for (const auto &[cell, date] :
        {std::pair<QString, std::optional<StoreDateComponents>>{u"1980.02.29(Fri)"_s, StoreDateComponents{1980, 2, 29}},
            {u"2001.07.04 Mi."_s, StoreDateComponents{2001, 7, 4}}, {u"1980.02.30"_s, std::nullopt},
            {u"4 July 2001"_s, std::nullopt}}) {
        const ContactTablePtr back = read(u"Name,Birthday\nAnn,"_s + cell + u'\n');
        ASSERT_EQ(back->size(), 1);
        const PersonValue value = back->constFirst()->person->valueForIdentifier(FieldId::Birthday);
        const auto *birthday = std::get_if<BirthdayRecord>(&value);
        ASSERT_TRUE(birthday);
        EXPECT_EQ(birthday->value, date) << qPrintable(cell);
    }
}

TEST(MVvCardCsv, HeaderWordsMapInTheirOrder)
{
    EXPECT_EQ(MVvCard::detectType(u"Job Title"_s), u"Job Title"_s);
    EXPECT_EQ(MVvCard::detectType(u"title"_s), u"Title"_s);
    EXPECT_EQ(MVvCard::detectType(u"Organization"_s), QString());
    EXPECT_EQ(MVvCard::detectLabel(u"Mobile Phone"_s), u"mobile"_s);
    EXPECT_EQ(MVvCard::detectLabel(u"Phone"_s), u"other"_s);
    EXPECT_EQ(MVvCard::detectAddressType(u"Home Address"_s), u"Street"_s);
}

TEST(MVvCardCsv, RowCopyQuotesValuesWithSpacesAndNotes)
{
    const MVPersonPtr person = fullPerson();
    const auto row = std::make_shared<SubContactRecord>(SubContactRecord{person, person->uniqueId(), 0});
    const QString copied = MVvCard().csvStringFromContact(
        row, {u"Name"_s, u"Company"_s, u"Phone"_s, u"ZIP"_s, u"Note"_s, u"Job Title"_s}, u", "_s);
    const QString name = u'"' + person->compositeName() + u'"';
    EXPECT_EQ(copied,
        name
            + u", \"Quill, Inc.\", home:03-1234-5678, 100-0001, "
              u"\"C:\\\\notes\\\\n, first line\\nsecond; \"\"line\"\"\", Manager"_s);
    const auto second = std::make_shared<SubContactRecord>(SubContactRecord{person, person->uniqueId(), 1});
    EXPECT_EQ(MVvCard().csvStringFromContact(second, {u"Name"_s, u"Company"_s, u"Phone"_s}, u"\t"_s),
        name + u"\t\twork:03-8765-4321"_s);
}

// The Address Detail view's cells show each part of the row's own address
// without its label; a copy carries the same, quoted and escaped as any value.
struct AddressPartCopyRow {
    const char *name;
    qint64 labelIndex;
    QString separator;
    QString copied;
};

class AddressPartCopy : public testing::TestWithParam<AddressPartCopyRow> { };

TEST_P(AddressPartCopy, CarriesThePartsOfTheRowsAddress)
{
    const MVPersonPtr person = fullPerson();
    person->replaceLabeledValueAtIndex(
        address(u"other"_s, u"060-0001"_s, u"北海道"_s, u"札幌市"_s, u"North 1\nBlock 7"_s, u"7;"_s), FieldId::Address,
        2);
    const auto row
        = std::make_shared<SubContactRecord>(SubContactRecord{person, person->uniqueId(), GetParam().labelIndex});
    EXPECT_EQ(
        MVvCard().csvStringFromContact(row,
            {FieldId::ZIP, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country}, GetParam().separator),
        GetParam().copied);
}

INSTANTIATE_TEST_SUITE_P(Rows, AddressPartCopy,
    testing::Values(AddressPartCopyRow{"FirstRowTabs", 0, u"\t"_s, u"100-0001\t東京都\t千代田区\t千代田1-1\tJapan"_s},
        AddressPartCopyRow{"SecondRowCsv", 1, u", "_s, u"530-0001, 大阪府, 大阪市北区, 梅田2-2, Japan"_s},
        AddressPartCopyRow{"SpacedStreet", 2, u", "_s, u"060-0001, 北海道, 札幌市, \"North 1\\nBlock 7\", Japan"_s},
        AddressPartCopyRow{"NoAddressThere", 3, u"\t"_s, u"\t\t\t\t"_s}),
    [](const testing::TestParamInfo<AddressPartCopyRow> &info) { return std::string(info.param.name); });

} // namespace
