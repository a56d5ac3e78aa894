#include "model/AddressText.h"
#include "model/MVPerson.h"
#include "model/StoreContactReader.h"
#include "platform/contacts/StorePostalAddressFormatter.h"

#include "PersonTestContacts.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct AddressCase {
    const char *isoCode;
    const char *street;
    const char *city;
    const char *state;
    const char *zip;
    const char *country;
    // The one-line text with option 0, 1 (country), 2 (postal code), 3 (both).
    std::array<const char *, 4> expected;
};

LabeledValueRecord addressOf(const AddressCase &c)
{
    LabeledValueRecord address;
    address.address->isoCountryCode = QString::fromUtf8(c.isoCode);
    address.address->street = QString::fromUtf8(c.street);
    address.address->city = QString::fromUtf8(c.city);
    address.address->state = QString::fromUtf8(c.state);
    address.address->zip = QString::fromUtf8(c.zip);
    address.address->country = QString::fromUtf8(c.country);
    return address;
}

class OneLineAddress : public testing::TestWithParam<AddressCase> { };

TEST_P(OneLineAddress, FollowsTheCountryOrderForEachOption)
{
    for (int option = 0; option < 4; ++option) {
        LabeledValueRecord address = addressOf(GetParam());
        EXPECT_EQ(MVPerson::addressFromLabeledValue(&address, option), QString::fromUtf8(GetParam().expected[option]))
            << "option " << option;
    }
}

TEST_P(OneLineAddress, RangesPointAtTheFieldsOfTheFullText)
{
    LabeledValueRecord address = addressOf(GetParam());
    const QString text = MVPerson::addressFromLabeledValue(&address, 3);
    for (const AddressRangeEntry &entry : MVPerson::rangeTableFromAddressDictionary(&address))
        EXPECT_EQ(text.mid(entry.location, entry.length), entry.value) << qPrintable(entry.identifier);
}

INSTANTIATE_TEST_SUITE_P(Countries, OneLineAddress,
    testing::Values(AddressCase{"JP", "千代田1-1", "千代田区", "東京都", "100-8111", "日本",
                        {"東京都 千代田区 千代田1-1 ", "東京都 千代田区 千代田1-1 日本 ",
                            "100-8111 東京都 千代田区 千代田1-1 ", "100-8111 東京都 千代田区 千代田1-1 日本 "}},
        AddressCase{"GB", "10 Downing Street", "London", "", "SW1A 2AA", "United Kingdom",
            {"10 Downing Street London ", "10 Downing Street London United Kingdom ",
                "10 Downing Street SW1A 2AA London ", "10 Downing Street SW1A 2AA London United Kingdom "}},
        // Empty parts leave no space behind; a street of several lines keeps them.
        AddressCase{"JP", "丸の内1-1\n丸の内ビル", "", "東京都", "", "",
            {"東京都 丸の内1-1\n丸の内ビル ", "東京都 丸の内1-1\n丸の内ビル ", "東京都 丸の内1-1\n丸の内ビル ",
                "東京都 丸の内1-1\n丸の内ビル "}},
        AddressCase{"ZZ", "", "", "", "", "", {"", "", "", ""}},
        // A code the table does not know: the default order.
        AddressCase{"ZZ", "1 Main St", "Springfield", "IL", "62701", "Nowhere",
            {"1 Main St Springfield IL ", "1 Main St Springfield IL Nowhere ", "1 Main St Springfield IL 62701 ",
                "1 Main St Springfield IL 62701 Nowhere "}}));

// Codes are predicted from upper-case names, codes, three-letter codes and
// local names; an address without code takes the one of its country name.
TEST(AddressCountry, PredictsCodesFromNamesCodesAndAlpha3)
{
    QStringList codes;
    for (const char *name : {"JAPAN", "JP", "JPN", "日本", "FRANÇAISE", "Japan", "ATLANTIS"})
        codes.append(MVPerson::predictCountryCode(QString::fromUtf8(name)));
    EXPECT_EQ(codes, QStringList({"JP", "JP", "JP", "JP", "FR", "", ""}));

    AddressCase withoutCode{"", "丸の内1-9-1", "千代田区", "東京都", "100-0005", "日本", {}};
    LabeledValueRecord address = addressOf(withoutCode);
    EXPECT_EQ(AddressText::countryCodeOfAddress(address), "JP");
    EXPECT_EQ(MVPerson::addressFromLabeledValue(&address, 3), "100-0005 東京都 千代田区 丸の内1-9-1 日本 ");
    address.address->country = "germany";
    EXPECT_EQ(AddressText::countryCodeOfAddress(address), "DE");
}

const QByteArray formatJson = R"({"AddressFormat":[
    {"CountryCode":"JP","Country":"JAPAN","Alpha3":"JPN","formatString":"ZIP State City Street Country"},
    {"CountryCode":"DE","Country":"GERMANY","Alpha3":"DEU","formatString":"Street\u200E ZIP  City\nState Country"},
    {"CountryCode":"XKX","Country":"NOWHERE","Alpha3":"XKX","formatString":"City Street"}]})";

TEST(AddressCountry, NamesInTheUsersLanguageComeFromTheLocaleData)
{
    const AddressFormatTable japanese = AddressFormatTable::fromJson(formatJson, "ja", "JP");
    EXPECT_EQ(japanese.rowsByCode().value("DE")->localizedCountry, QString("ドイツ"));
    EXPECT_EQ(japanese.rowsByCode().value("DE")->language, QString("ja"));
    EXPECT_EQ(japanese.predictCountryCode("ドイツ"), "DE");
    // Consecutive separators give an empty token, which matches no field.
    EXPECT_EQ(japanese.rowsByCode().value("DE")->order, QStringList({"Street", "ZIP", "", "City", "State", "Country"}));

    const AddressFormatTable english = AddressFormatTable::fromJson(formatJson, "en", "US");
    EXPECT_FALSE(english.rowsByCode().value("DE")->localizedCountry.has_value());
    EXPECT_EQ(english.predictCountryCode("ドイツ"), "");
}

// Rows are found by their code in any letter case, the default order stands
// for unknown codes, and a merge replaces rows by code without adding any.
TEST(AddressOrder, RowsAreFoundByTheirCodeInAnyLetterCaseAndAfterMerges)
{
    EXPECT_EQ(
        MVPerson::orderOfaddressFormats("jp", ""), QStringList({"jp", "ZIP", "State", "City", "Street", "Country"}));
    EXPECT_EQ(MVPerson::orderOfaddressFormats("", ""), QStringList({"", "Street", "City", "State", "ZIP", "Country"}));
    AddressFormatTable table = AddressFormatTable::fromJson(formatJson, "en", "US");
    const AddressFormatRowPtr japan = table.rowsByCode().value("JP");
    for (const QString &code : {u"JP"_s, u"jp"_s, u"jP"_s})
        EXPECT_EQ(table.rowForCode(code), japan) << qPrintable(code);
    EXPECT_EQ(table.rowForCode(u"xkx"_s), table.rowsByCode().value("XKX"));
    for (const QString &code : {u"J"_s, u"JPN"_s, u"ＪＰ"_s, u"ｊｐ"_s, QString()})
        EXPECT_EQ(table.rowForCode(code), nullptr) << qPrintable(code);
    EXPECT_EQ(table.fieldOrder(u"xx"_s), AddressFormatTable::defaultOrder());

    AddressFormatRow merged;
    merged.countryCode = "JP";
    merged.country = "JAPAN";
    merged.formatString = "Street City";
    AddressFormatRow atlantis;
    atlantis.countryCode = "AT";
    atlantis.formatString = "City Street";
    table.mergeRows({merged, atlantis}, "ja", "JP");
    ASSERT_EQ(table.rows().size(), 3);
    EXPECT_EQ(table.rows().first(), table.rowsByCode().value("JP"));
    EXPECT_EQ(table.rowForCode(u"jp"_s), table.rowsByCode().value("JP"));
    EXPECT_EQ(table.fieldOrder(u"jp"_s), QStringList({"Street", "City"}));
    EXPECT_EQ(table.rowsByCode().value("JP")->localizedCountry, QString("日本"));
    EXPECT_EQ(table.orderOfaddressFormats("AT"), QStringList({"AT", "City", "Street"}));
}

TEST(AddressRanges, AnEmptyCityHasAZeroLengthRangeWhereTheStateBegins)
{
    LabeledValueRecord address = addressOf({"US", "1 Main St", "", "CA", "94000", "USA", {}});
    ASSERT_EQ(MVPerson::addressFromLabeledValue(&address, 3), "1 Main St CA 94000 USA ");
    const QList<AddressRangeEntry> expected{{"Street", "1 Main St ", 0, 10}, {"City", "", 10, 0},
        {"State", "CA ", 10, 3}, {"ZIP", "94000 ", 13, 6}, {"Country", "USA ", 19, 4}};
    EXPECT_EQ(MVPerson::rangeTableFromAddressDictionary(&address), expected);
    EXPECT_TRUE(MVPerson::rangeTableFromAddressDictionary(nullptr).isEmpty());
}

TEST(AddressUpdate, SetsNoLabelAndTheDisplayText)
{
    LabeledValueRecord address = addressOf({"JP", "千代田1-1", "千代田区", "東京都", "100-0001", "", {}});
    MVPerson::updateAddressValue(&address, 1);
    EXPECT_EQ(address.labelText() + u'|' + address.stringValue, "No label|東京都 千代田区 千代田1-1 ");
    LabeledValueRecord empty;
    empty.label = "home";
    MVPerson::updateAddressValue(&empty, 3);
    EXPECT_EQ(empty.labelText() + u'|' + empty.stringValue, "home|");
    MVPerson::updateAddressValue(nullptr, 3);
}

// The mailing form of a record read from the store follows the record's parts
// once they differ from the store's address it still holds.
TEST(AddressUpdate, MailingFormFollowsPartsChangedAfterReading)
{
    const StorePostalAddress held = PersonTestContacts::tokyoAddress();
    StoreContact contact;
    contact.setPostalAddresses({StoreLabeledValue<StorePostalAddress>(u"home"_s, held)});
    const LabeledValueList read = StoreContactReader::addressValues(contact);
    ASSERT_EQ(read.size(), 1);
    LabeledValueRecord &address = *read.first();
    // Whichever template the formatter has for the country.
    const auto expectFormatted = [&](int option, StorePostalAddress postal) {
        MVPerson::updateAddressValue(&address, option);
        EXPECT_EQ(
            AddressText::mailingForm(address, option), StorePostalAddressFormatter::stringFromPostalAddress(postal));
    };
    expectFormatted(3, held);
    EXPECT_TRUE(AddressText::mailingForm(address, 3).contains("日本"));
    StorePostalAddress changed = held;
    changed.country.clear();
    expectFormatted(0, changed);
    address.address->city = changed.city = "港区";
    changed.country = held.country;
    expectFormatted(3, changed);
    EXPECT_TRUE(AddressText::mailingForm(address, 3).contains("港区"));
    address.address->isoCountryCode.clear();
    address.address->country.clear();
    MVPerson::updateAddressValue(&address, 3);
    EXPECT_FALSE(AddressText::mailingForm(address, 3).contains("日本"));
}

} // namespace

// A text made where another country was the default one matches in that
// country's order; an order no country has, or other parts, don't.
TEST(AddressText, MatchesItsPartsInTheOrderOfAnyCountry)
{
    LabeledValueRecord address = addressOf({"JP", "1-2-3 Ginza", "Chuo-ku", "Tokyo", "104-0061", "", {}});
    AddressText::updateAddressValue(&address, AddressText::IncludeCountryAndZIP);
    const std::pair<const char *, bool> rows[] = {{"104-0061 Tokyo Chuo-ku 1-2-3 Ginza ", true},
        {"1-2-3 Ginza Chuo-ku Tokyo 104-0061 ", true}, {"1-2-3 Ginza 104-0061 Chuo-ku Tokyo ", true},
        {"Tokyo Chuo-ku 1-2-3 Ginza 104-0061 ", true}, {"Chuo-ku 1-2-3 Ginza Tokyo 104-0061 ", false},
        {"1-2-3 Ginza Chuo-ku Tokyo 104-0062 ", false}, {"1-2-3 Ginza Chuo-ku Tokyo ", false}};
    for (const auto &[text, matches] : rows)
        EXPECT_EQ(AddressText::isTextInAnyKnownOrder(address, QString::fromUtf8(text)), matches) << text;
}
