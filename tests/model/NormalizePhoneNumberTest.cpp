#include "model/NormalizePhoneNumber.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using LayoutFunction = QString (NormalizePhoneNumber::*)() const;

struct LayoutCase {
    const char *name;
    const char16_t *input;
    LayoutFunction layout;
    const char16_t *expected;
};

[[nodiscard]] QString laidOut(const QString &input, LayoutFunction layout)
{
    NormalizePhoneNumber normalizer;
    normalizer.setPhoneNumber(input);
    return (normalizer.*layout)();
}

class NormalizePhoneNumberLayout : public testing::TestWithParam<LayoutCase> { };

TEST_P(NormalizePhoneNumberLayout, LaysOutTheNumber)
{
    const LayoutCase &row = GetParam();
    EXPECT_EQ(laidOut(QString::fromUtf16(row.input), row.layout), QString::fromUtf16(row.expected));
}

constexpr LayoutFunction kFourFour = &NormalizePhoneNumber::fourPlusFour;
constexpr LayoutFunction kThreeFour = &NormalizePhoneNumber::threePlusFour;
constexpr LayoutFunction kTwoFour = &NormalizePhoneNumber::twoPlusFour;
constexpr LayoutFunction kQuadTwo = &NormalizePhoneNumber::quadTwo;

// The patterns the command's menu titles promise, each layout's shorter rows,
// extensions, separators of every width, and numbers that cleaning would spoil
// (given back exactly as written).
INSTANTIATE_TEST_SUITE_P(Rows, NormalizePhoneNumberLayout,
    testing::Values(LayoutCase{"fourPlusFour10", u"1234567890", kFourFour, u"(12) 3456-7890"},
        LayoutCase{"threePlusFour10", u"1234567890", kThreeFour, u"(123) 456-7890"},
        LayoutCase{"twoPlusFour10", u"1234567890", kTwoFour, u"(1234) 56-7890"},
        LayoutCase{"quadTwo10", u"1234567890", kQuadTwo, u"(12) 34 56 78 90"},
        LayoutCase{"twoPlusFour6", u"123456", kTwoFour, u"(12) 3456"},
        LayoutCase{"fourPlusFour5", u"12345", kFourFour, u"(1) 2345"},
        LayoutCase{"fourDigitsUnchanged", u"1234", kQuadTwo, u"1234"}, LayoutCase{"empty", u"", kFourFour, u""},
        LayoutCase{"extDot", u"03-1234-5678 ext.12", kFourFour, u"(03) 1234-5678 x12"},
        LayoutCase{"fullWidthExt", u"０３－１２３４－５６７８　ｅｘｔ１２", kFourFour, u"(03) 1234-5678 x12"},
        LayoutCase{"withCode", u"+81 3 1234 5678 x99", kFourFour, u"+81 (3) 1234-5678 x99"},
        LayoutCase{"markerWithoutDigit", u"0312345678x", kFourFour, u"(03) 1234-5678"},
        LayoutCase{"dotAndSlash", u"089/1234.5678", kFourFour, u"(089) 1234-5678"},
        LayoutCase{"fullWidthPlus", u"＋８１　９０　１２３４　５６７８", kFourFour, u"+81 (90) 1234-5678"},
        LayoutCase{"hyphenAndMinusSign", u"03\u20101234\u22125678", kFourFour, u"(03) 1234-5678"},
        LayoutCase{"noBreakSpace", u"01\u00A023\u00A045\u00A067\u00A089", kQuadTwo, u"(01) 23 45 67 89"},
        LayoutCase{"hashSuffix", u"+1 555 0100 #2", kThreeFour, u"+1 555 0100 #2"},
        LayoutCase{"twoNumbers", u"03-1234-5678 or 03-1234-5679", kFourFour, u"03-1234-5678 or 03-1234-5679"},
        LayoutCase{"scheme", u"tel:0312345678", kFourFour, u"tel:0312345678"},
        LayoutCase{"arabicIndicDigits", u"٠٣١٢٣٤٥٦٧٨", kFourFour, u"٠٣١٢٣٤٥٦٧٨"},
        LayoutCase{"frInternational", u"+33 1 23 45 67 89", kQuadTwo, u"+33 (1) 23 45 67 89"}),
    [](const testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

[[nodiscard]] NormalizePhoneNumber normalizerWithTable(const QString &csv)
{
    NormalizePhoneNumber normalizer;
    normalizer.setCountryNumbers(NormalizePhoneNumber::arrayFromCountryNumbersString(csv));
    return normalizer;
}

} // namespace

// An unknown code lays out the whole number with its plus; of two matching
// codes the shortest wins; the header, blank lines and a line of another
// field count match nothing.
TEST(NormalizePhoneNumberCountryCode, FollowsTheTable)
{
    NormalizePhoneNumber normalizer = normalizerWithTable(
        QStringLiteral("99,Header,見出し,行\n1242,Bahamas,バハマ,カリブ\n1,United States,アメリカ合衆国,北アメリカ\n"
                       "7,Russia,ロシア,東ヨーロッパ\n"
                       "81,Japan,日本,東アジア\r\n\r\n44,United Kingdom,Great Britain,イギリス,北ヨーロッパ\n"));
    const std::pair<const char *, const char *> numbers[] = {{"+99 1234 5678", "(+99) 1234-5678"},
        {"+81 3 1234 5678", "+81 (3) 1234-5678"}, {"+44 20 7946 0958", "(+4420) 7946-0958"}};
    for (const auto &[number, laidOut] : numbers) {
        normalizer.setPhoneNumber(QString::fromUtf8(number));
        EXPECT_EQ(normalizer.fourPlusFour(), QString::fromUtf8(laidOut));
    }
    EXPECT_EQ(normalizer.countryNumber(QStringLiteral("+1 242 555 0100")), QStringLiteral("1"));
    EXPECT_EQ(normalizer.countryNumber(QStringLiteral("+7")), QString());
    EXPECT_EQ(normalizer.countryNumber(QStringLiteral("+74")), QStringLiteral("7"));
    EXPECT_EQ(normalizer.countryNumber(QStringLiteral("0312345678")), QString());
    EXPECT_EQ(normalizer.countryNumber(QStringLiteral("+x1234")), QString());
}

TEST(NormalizePhoneNumberCountryCode, ShippedTableKnowsTheCommonCodes)
{
    NormalizePhoneNumber normalizer;
    normalizer.setPhoneNumber(QStringLiteral("0"));
    for (const char *code : {"1", "7", "33", "44", "49", "81", "86", "352", "886", "800", "979"})
        EXPECT_EQ(normalizer.countryNumber(QLatin1Char('+') + QLatin1String(code) + "123456789"), QLatin1String(code));
}
