#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContactFormatter.h"
#include "platform/contacts/StorePostalAddressFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <gtest/gtest.h>

TEST(StorePhoneNumber, EmptyTextMakesNoNumberAndOtherTextIsKeptVerbatim)
{
    EXPECT_FALSE(StorePhoneNumber::phoneNumberWithStringValue(QString()));
    EXPECT_FALSE(StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("")));
    const auto number = StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral(" +81 (3) 1234-5678 "));
    ASSERT_TRUE(number);
    EXPECT_EQ(number->stringValue(), QStringLiteral(" +81 (3) 1234-5678 "));
}

namespace {

struct NameCase {
    const char *family;
    const char *given;
    bool familyFirstByScript;
};

class NameOrder : public testing::TestWithParam<NameCase> { };

} // namespace

TEST_P(NameOrder, FollowsTheScriptOfTheName)
{
    StoreContact contact;
    contact.setFamilyName(QString::fromUtf8(GetParam().family));
    contact.setGivenName(QString::fromUtf8(GetParam().given));
    const auto userDefault = StoreUserDefaults::displayNameOrder() == 2
        ? StoreContactFormatter::DisplayNameOrder::FamilyNameFirst
        : StoreContactFormatter::DisplayNameOrder::GivenNameFirst;
    EXPECT_EQ(StoreContactFormatter::nameOrderForContact(contact),
        GetParam().familyFirstByScript ? StoreContactFormatter::DisplayNameOrder::FamilyNameFirst : userDefault);
}

INSTANTIATE_TEST_SUITE_P(Names, NameOrder,
    testing::Values(NameCase{"山田", "太郎", true}, NameCase{"", "はなこ", true}, NameCase{"ヤマダ", "", true},
        NameCase{"김", "민수", true}, NameCase{"Smith", "漢", true}, NameCase{"Smith", "John", false},
        NameCase{"Łukasiewicz", "Ünal", false}, NameCase{"", "", false}));

namespace {

struct LocaleCase {
    const char *locale;
    StoreUserDefaults::SortOrder order;
    const char *country;
};

class UserDefaultsByLocale : public testing::TestWithParam<LocaleCase> { };

} // namespace

TEST_P(UserDefaultsByLocale, SortOrderAndCountry)
{
    const QLocale locale(QString::fromLatin1(GetParam().locale));
    EXPECT_EQ(StoreUserDefaults::sortOrderForLocale(locale), GetParam().order);
    EXPECT_EQ(StoreUserDefaults::countryCodeForLocale(locale), QString::fromLatin1(GetParam().country));
}

INSTANTIATE_TEST_SUITE_P(Locales, UserDefaultsByLocale,
    testing::Values(LocaleCase{"ja_JP", StoreUserDefaults::SortOrder::FamilyName, "JP"},
        LocaleCase{"hu_HU", StoreUserDefaults::SortOrder::FamilyName, "HU"},
        LocaleCase{"en_GB", StoreUserDefaults::SortOrder::GivenName, "GB"}));

TEST(StoreContact, ValuesOfUnfetchedKeysAreNotHandedOut)
{
    StoreContact contact;
    EXPECT_TRUE(contact.isKeyAvailable(QStringLiteral("note")));
    EXPECT_FALSE(contact.setStringForKey(QStringLiteral("phoneNumbers"), QStringLiteral("x")));
    EXPECT_TRUE(contact.setStringForKey(QStringLiteral("departmentName"), QStringLiteral("Printing")));
    EXPECT_EQ(contact.departmentName(), QStringLiteral("Printing"));
    EXPECT_FALSE(contact.isKeyAvailable(QStringLiteral("noSuchKey")));
}

// The constants are looked up by where their text lies; a key spelled out
// elsewhere must still be found, and a near miss not.
TEST(ContactKeys, AKeyIsFoundByItsTextInEitherForm)
{
    const QStringList &keys = ContactKeys::allContactKeys();
    for (int i = 0; i < keys.size(); ++i) {
        const QByteArray copy = keys.at(i).toLatin1();
        EXPECT_EQ(ContactKeys::indexOfContactKey(keys.at(i)), i);
        EXPECT_EQ(ContactKeys::indexOfContactKey(QLatin1StringView(copy)), i);
        EXPECT_EQ(ContactKeys::indexOfContactKey(QLatin1StringView(copy.first(copy.size() - 1))), -1);
    }
    EXPECT_EQ(ContactKeys::indexOfContactKey(ContactKeys::note), keys.indexOf(QStringLiteral("note")));
    EXPECT_EQ(ContactKeys::indexOfContactKey(QLatin1StringView("Note")), -1);
}

TEST(ContactLabels, KnownLabelsReadAsWordsAndOthersStayAsTheyAre)
{
    EXPECT_EQ(ContactLabels::localizedStringForLabel(ContactLabels::phoneNumberHomeFax), QStringLiteral("home fax"));
    EXPECT_EQ(
        ContactLabels::localizedStringForLabel(QStringLiteral("_$!<Cottage>!$_")), QStringLiteral("_$!<Cottage>!$_"));
    EXPECT_EQ(ContactLabels::localizedStringForLabel(QStringLiteral("Twitter")), QStringLiteral("Twitter"));
}

namespace {

class PostalAddressFormatter : public testing::Test {
protected:
    void TearDown() override { StorePostalAddressFormatter::setFormatProvider({}); }
};

StorePostalAddress tokyoAddress()
{
    StorePostalAddress address;
    address.street = QStringLiteral("千代田1-1");
    address.city = QStringLiteral("千代田区");
    address.state = QStringLiteral("東京都");
    address.postalCode = QStringLiteral("100-0001");
    address.isoCountryCode = QStringLiteral("jp");
    return address;
}

} // namespace

TEST_F(PostalAddressFormatter, LinesFollowTheCountryAndEmptyPartsDropOut)
{
    StorePostalAddress address = tokyoAddress();
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address),
        QStringLiteral("〒100-0001\n東京都千代田区\n千代田1-1"));
    address.postalCode.clear();
    EXPECT_EQ(
        StorePostalAddressFormatter::stringFromPostalAddress(address), QStringLiteral("東京都千代田区\n千代田1-1"));

    StorePostalAddress american;
    american.street = QStringLiteral("1 Main St\nApt 2");
    american.city = QStringLiteral("Springfield");
    american.postalCode = QStringLiteral("12345");
    american.country = QStringLiteral("USA");
    american.isoCountryCode = QStringLiteral("US");
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(american),
        QStringLiteral("1 Main St\nApt 2\nSpringfield 12345\nUSA"));
}

TEST_F(PostalAddressFormatter, ProviderReplacesTheBuiltInOrder)
{
    StorePostalAddressFormatter::setFormatProvider([](const QString &code) {
        return code == QStringLiteral("JP") ? QStringLiteral("{street} {city}") : QString();
    });
    EXPECT_EQ(
        StorePostalAddressFormatter::stringFromPostalAddress(tokyoAddress()), QStringLiteral("千代田1-1 千代田区"));
    EXPECT_EQ(StorePostalAddressFormatter::formatForCountry(QStringLiteral("de")),
        QStringLiteral("{street}\n{postalCode} {city}\n{country}"));
}

namespace {

struct TemplateCase {
    const char *name;
    const char *format;
    const char *street;
    const char *city;
    const char *state;
    const char *expected;
};

class PostalAddressTemplateText : public testing::TestWithParam<TemplateCase> {
protected:
    void TearDown() override { StorePostalAddressFormatter::setFormatProvider({}); }
};

} // namespace

// Templates come from data files and from the user's country table, so the
// formatter must take whatever text they hold: braces that name no field stay
// literal, blanks left around empty parts collapse, and a line that holds
// nothing of the address is dropped.
TEST_P(PostalAddressTemplateText, FillsTheTemplateAsWritten)
{
    const QString format = QString::fromUtf8(GetParam().format);
    StorePostalAddressFormatter::setFormatProvider([format](const QString &) { return format; });
    StorePostalAddress address;
    address.street = QString::fromUtf8(GetParam().street);
    address.city = QString::fromUtf8(GetParam().city);
    address.state = QString::fromUtf8(GetParam().state);
    address.isoCountryCode = QStringLiteral("ZZ");
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), QString::fromUtf8(GetParam().expected));
}

// The formatter remembers the template it used last; a provider that answers
// differently from one call to the next must still be followed at once.
TEST_F(PostalAddressTemplateText, FollowsEachChangeOfTemplate)
{
    StorePostalAddress address;
    address.street = QStringLiteral("A");
    address.city = QStringLiteral("B");
    address.isoCountryCode = QStringLiteral("ZZ");
    const QStringList formats{QStringLiteral("{street} {city}"), QStringLiteral("{city}\n{street}"),
        QStringLiteral("{street} {city}"), QString()};
    const QStringList expected{
        QStringLiteral("A B"), QStringLiteral("B\nA"), QStringLiteral("A B"), QStringLiteral("A\nB")};
    for (qsizetype i = 0; i < formats.size(); ++i) {
        const QString format = formats.at(i);
        StorePostalAddressFormatter::setFormatProvider([format](const QString &) { return format; });
        EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), expected.at(i)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(StorePostalAddressFormatter, PostalAddressTemplateText,
    testing::Values(TemplateCase{"BlankRunsCollapse", "{street}  \t {city}", "A", "B", "", "A B"},
        TemplateCase{"OneTabStays", "{street}\t{city}", "A", "B", "", "A\tB"},
        TemplateCase{"BlankRunInsideAValue", "{street}", "1  Main", "", "", "1 Main"},
        TemplateCase{"ValuesAreTrimmed", "[{street}]", "  A  ", "", "", "[A]"},
        TemplateCase{"OuterBlanksGo", "  {city}  ", "", "B", "", "B"},
        TemplateCase{"DoubledBracesKeepOne", "{{street}}", "A", "", "", "{A}"},
        TemplateCase{"UnclosedBraceIsText", "{street {city}", "A", "B", "", "{street B"},
        TemplateCase{"EmptyBracesAreText", "{} {city}", "", "B", "", "{} B"},
        TemplateCase{"DigitInBracesIsText", "{city2}{city}", "", "B", "", "{city2}B"},
        TemplateCase{"UnknownKeyIsEmpty", "{foo}{street}", "A", "", "", "A"},
        TemplateCase{"KeysAreCaseSensitive", "{STREET}{city}", "A", "B", "", "B"},
        TemplateCase{"LineOfOnlyTextDropped", "Attn: {street}\n{city}", "", "B", "", "B"},
        TemplateCase{"LineWithoutKeysDropped", "{street\n{city}", "A", "B", "", "B"},
        TemplateCase{"IdeographicSpaceTrimmed", "{state}\u3000{city}", "", "B", "", "B"},
        TemplateCase{"IdeographicSpaceKept", "{state}\u3000{city}", "", "B", "S", "S\u3000B"},
        TemplateCase{"EmptyLinesDropped", "{state}\n\n{city}\n", "", "B", "S", "S\nB"},
        TemplateCase{"StreetLinesKept", "{street}\n{city}", "1 Main\nApt 2", "B", "", "1 Main\nApt 2\nB"},
        TemplateCase{"NothingLeft", "{state} {city}", "", "", "", ""}),
    [](const testing::TestParamInfo<TemplateCase> &info) { return std::string(info.param.name); });
