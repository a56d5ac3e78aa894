#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContactFormatter.h"
#include "platform/contacts/StorePostalAddressFormatter.h"
#include "platform/contacts/StoreUserDefaults.h"

#include <gtest/gtest.h>

TEST(StorePhoneNumber, EmptyTextMakesNoNumberAndOtherTextIsKeptVerbatim)
{
    EXPECT_FALSE(StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("")));
    EXPECT_EQ(StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral(" +81 (3) 1234-5678 "))->stringValue(),
        QStringLiteral(" +81 (3) 1234-5678 "));
}

// Family name first for names in CJK scripts, else the user's choice.
TEST(StoreContactFormatter, NameOrderFollowsTheScriptOfTheName)
{
    using Order = StoreContactFormatter::DisplayNameOrder;
    const Order userDefault
        = StoreUserDefaults::displayNameOrder() == 2 ? Order::FamilyNameFirst : Order::GivenNameFirst;
    const std::tuple<const char *, const char *, bool> rows[] = {{"山田", "太郎", true}, {"", "はなこ", true},
        {"김", "민수", true}, {"Smith", "漢", true}, {"Łukasiewicz", "Ünal", false}, {"", "", false},
        // Characters beyond the BMP count by their script: U+20BB7 is Han, U+1F600 an emoji.
        {"\xF0\xA0\xAE\xB7", "", true}, {"Smith", "\xF0\x9F\x98\x80", false}};
    for (const auto &[family, given, familyFirstByScript] : rows) {
        StoreContact contact;
        contact.setFamilyName(QString::fromUtf8(family));
        contact.setGivenName(QString::fromUtf8(given));
        EXPECT_EQ(StoreContactFormatter::nameOrderForContact(contact),
            familyFirstByScript ? Order::FamilyNameFirst : userDefault)
            << family << given;
    }
}

TEST(StoreUserDefaults, SortOrderAndCountryFollowTheLocale)
{
    using Order = StoreUserDefaults::SortOrder;
    for (const auto &[name, order, country] : {std::tuple{"ja_JP", Order::FamilyName, "JP"},
             std::tuple{"hu_HU", Order::FamilyName, "HU"}, std::tuple{"en_GB", Order::GivenName, "GB"}}) {
        const QLocale locale(QString::fromLatin1(name));
        EXPECT_EQ(StoreUserDefaults::sortOrderForLocale(locale), order) << name;
        EXPECT_EQ(StoreUserDefaults::countryCodeForLocale(locale), QString::fromLatin1(country));
    }
}

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

} // namespace

TEST_F(PostalAddressFormatter, LinesFollowTheCountryAndEmptyPartsDropOut)
{
    StorePostalAddress address{.street = QStringLiteral("千代田1-1"),
        .city = QStringLiteral("千代田区"),
        .state = QStringLiteral("東京都"),
        .postalCode = QStringLiteral("100-0001"),
        .isoCountryCode = QStringLiteral("jp")};
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address),
        QStringLiteral("〒100-0001\n東京都千代田区\n千代田1-1"));
    address.postalCode.clear();
    EXPECT_EQ(
        StorePostalAddressFormatter::stringFromPostalAddress(address), QStringLiteral("東京都千代田区\n千代田1-1"));

    const StorePostalAddress american{.street = QStringLiteral("1 Main St\nApt 2"),
        .city = QStringLiteral("Springfield"),
        .postalCode = QStringLiteral("12345"),
        .country = QStringLiteral("USA"),
        .isoCountryCode = QStringLiteral("US")};
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(american),
        QStringLiteral("1 Main St\nApt 2\nSpringfield 12345\nUSA"));
}

// Templates come from data files and from the user's country table, so the
// formatter must take whatever text they hold: braces that name no field stay
// literal, blanks left around empty parts collapse, and a line that holds
// nothing of the address is dropped.
TEST_F(PostalAddressFormatter, FillsTheTemplateAsWritten)
{
    // Template, street, city, state, and the text expected.
    const std::array<const char *, 5> rows[] = {{"{street}  \t {city}", "A", "B", "", "A B"},
        {"{street}\t{city}", "A", "B", "", "A\tB"}, {"{street}", "1  Main", "", "", "1 Main"},
        {"[{street}]", "  A  ", "", "", "[A]"}, {"{{street}}", "A", "", "", "{A}"},
        {"{street {city}", "A", "B", "", "{street B"}, {"{city2}{city}", "", "B", "", "{city2}B"},
        {"{foo}{street}", "A", "", "", "A"}, {"Attn: {street}\n{city}", "", "B", "", "B"},
        {"{street\n{city}", "A", "B", "", "B"}, {"{state}\u3000{city}", "", "B", "", "B"},
        {"{state}\u3000{city}", "", "B", "S", "S\u3000B"}, {"{state}\n\n{city}\n", "", "B", "S", "S\nB"},
        {"{street}\n{city}", "1 Main\nApt 2", "B", "", "1 Main\nApt 2\nB"}, {"{state} {city}", "", "", "", ""}};
    for (const auto &[format, street, city, state, expected] : rows) {
        const QString text = QString::fromUtf8(format);
        StorePostalAddressFormatter::setFormatProvider([text](const QString &) { return text; });
        const StorePostalAddress address{.street = QString::fromUtf8(street),
            .city = QString::fromUtf8(city),
            .state = QString::fromUtf8(state),
            .isoCountryCode = QStringLiteral("ZZ")};
        EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), QString::fromUtf8(expected)) << format;
    }
}

struct TrimCase {
    const char16_t *street;
    const char16_t *city;
    const char16_t *expected; // of "{street} {city}\n{city}"
};

class PostalAddressParts : public PostalAddressFormatter, public testing::WithParamInterface<TrimCase> { };

// Each part loses the white space at its ends, whatever its script, before
// it fills its placeholder; what lies inside a part stays, surrogate pairs and
// line breaks included.
TEST_P(PostalAddressParts, AreTrimmedAsQtTrimsText)
{
    StorePostalAddressFormatter::setFormatProvider(
        [](const QString &) { return QStringLiteral("{street} {city}\n{city}"); });
    const StorePostalAddress address{.street = QString::fromUtf16(GetParam().street),
        .city = QString::fromUtf16(GetParam().city),
        .isoCountryCode = QStringLiteral("ZZ")};
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), QString::fromUtf16(GetParam().expected));
}

// No-break, em, hair and ideographic spaces and NEL are white space to Qt.
INSTANTIATE_TEST_SUITE_P(WhiteSpace, PostalAddressParts,
    testing::Values(TrimCase{u"\u3000丸の内1-1\u3000", u"千代田区", u"丸の内1-1 千代田区\n千代田区"},
        TrimCase{u"\u00a0A\u2003", u"\u0085B\u200a", u"A B\nB"}, TrimCase{u" \t \u3000", u"B", u"B\nB"},
        TrimCase{u"\U0001F3E0 1", u"\U0001F600", u"\U0001F3E0 1 \U0001F600\n\U0001F600"},
        TrimCase{u"1 Main\nApt 2 ", u"", u"1 Main\nApt 2"}, TrimCase{u"", u"", u""},
        TrimCase{u"A\t\tB", u"\u3000", u"A B"}));

// Each placeholder takes its own part of the address, however many parts a
// template names and in whatever order; a name of no part takes nothing.
TEST_F(PostalAddressFormatter, EveryPartFillsItsOwnPlaceholder)
{
    StorePostalAddressFormatter::setFormatProvider([](const QString &) {
        return QStringLiteral("{ISOCountryCode}|{country}|{postalCode}|{state}\n{subAdministrativeArea}|{city}|"
                              "{subLocality}|{street}|{Street}|{iso}");
    });
    const StorePostalAddress address{.street = QStringLiteral("1"),
        .subLocality = QStringLiteral("2"),
        .city = QStringLiteral("3"),
        .subAdministrativeArea = QStringLiteral("4"),
        .state = QStringLiteral("5"),
        .postalCode = QStringLiteral("6"),
        .country = QStringLiteral("7"),
        .isoCountryCode = QStringLiteral("ZZ")};
    EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), QStringLiteral("ZZ|7|6|5\n4|3|2|1||"));
}

// The provider is asked for the country code in capitals, and its template
// replaces the built-in one. The formatter remembers the template it used
// last; a provider that answers differently from one call to the next must
// still be followed at once.
TEST_F(PostalAddressFormatter, FollowsEachChangeOfTemplate)
{
    const StorePostalAddress address{
        .street = QStringLiteral("A"), .city = QStringLiteral("B"), .isoCountryCode = QStringLiteral("zz")};
    const std::pair<QString, QString> rows[]
        = {{"{street} {city}", "A B"}, {"{city}\n{street}", "B\nA"}, {"{street} {city}", "A B"}, {QString(), "A\nB"}};
    for (const auto &[format, expected] : rows) {
        StorePostalAddressFormatter::setFormatProvider(
            [format = format](const QString &code) { return code == QStringLiteral("ZZ") ? format : QString(); });
        EXPECT_EQ(StorePostalAddressFormatter::stringFromPostalAddress(address), expected) << qPrintable(format);
    }
}
