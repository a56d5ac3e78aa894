#include "platform/contacts/vcard/VCardDecoding_p.h"
#include "platform/contacts/vcard/VCardEscaping_p.h"
#include "platform/contacts/vcard/VCardFolding_p.h"
#include "platform/contacts/vcard/VCardValues_p.h"

#include "VCardTestText.h"

#include <random>

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace {

// ---- QUOTED-PRINTABLE and charsets ---------------------------------------

struct QuotedPrintableRow {
    const char *name;
    const char16_t *value;
    const char16_t *charset;
    const char16_t *expected;
    bool charsetKnown = true;
};

class QuotedPrintableTest : public testing::TestWithParam<QuotedPrintableRow> { };

TEST_P(QuotedPrintableTest, DecodesBytesThroughTheCharset)
{
    bool known = false;
    const QString decoded = VCardDecoding::decodeQuotedPrintableText(
        QString::fromUtf16(GetParam().value), QString::fromUtf16(GetParam().charset), &known);
    EXPECT_EQ(::text(decoded), ::text(QString::fromUtf16(GetParam().expected)));
    EXPECT_EQ(known, GetParam().charsetKnown);
}

INSTANTIATE_TEST_SUITE_P(Rows, QuotedPrintableTest,
    testing::Values(QuotedPrintableRow{"Utf8", u"=C3=91=20=C3=91", u"UTF-8", u"Ñ Ñ"},
        QuotedPrintableRow{"NoCharsetIsUtf8", u"=E6=9D=B1=E4=BA=AC", u"", u"東京"},
        QuotedPrintableRow{"NoCharsetNotUtf8IsLatin1", u"caf=E9", u"", u"café"},
        QuotedPrintableRow{"CrLf", u"a=0D=0Ab", u"", u"a\r\nb"},
        QuotedPrintableRow{"ShiftJis", u"=93=8C=8B=9E=93=73", u"SHIFT_JIS", u"東京都"},
        // "=8Fa" is 0x8F 0x61: a Shift_JIS trail byte written unescaped.
        QuotedPrintableRow{"ShiftJisUnescapedTrailByte", u"=8Fa=92=4A", u"Shift_JIS", u"渋谷"},
        QuotedPrintableRow{"Latin1Charset", u"M=FCller", u"ISO-8859-1", u"Müller"},
        QuotedPrintableRow{"RawCharactersStay", u"東=E4=BA=AC", u"UTF-8", u"東京"},
        QuotedPrintableRow{"BrokenEscapeStays", u"a=ZZb=4", u"", u"a=ZZb=4"},
        QuotedPrintableRow{"TrailingEqualsDropped", u"ab=", u"", u"ab"},
        QuotedPrintableRow{"UnknownCharsetFallsBackToUtf8", u"=C3=91", u"X-NO-SUCH-SET", u"Ñ", false}),
    [](const testing::TestParamInfo<QuotedPrintableRow> &info) { return std::string(info.param.name); });

// ---- escaping ---------------------------------------------------------------

struct EscapeRow {
    const char *name;
    const char16_t *escaped;
    const char16_t *text;
};

class UnescapeTest : public testing::TestWithParam<EscapeRow> { };

TEST_P(UnescapeTest, GivesTheCharactersMeant)
{
    EXPECT_EQ(::text(VCardEscaping::unescape(QString::fromUtf16(GetParam().escaped))),
        ::text(QString::fromUtf16(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(Rows, UnescapeTest,
    testing::Values(EscapeRow{"Plain", u"abc", u"abc"}, EscapeRow{"Separators", u"a\\,b\\;c", u"a,b;c"},
        EscapeRow{"LineEnds", u"a\\nb\\Nc", u"a\nb\nc"}, EscapeRow{"Backslash", u"C:\\\\dir", u"C:\\dir"},
        EscapeRow{"ColonOfOldWriters", u"http\\://www.ibm.com", u"http://www.ibm.com"},
        EscapeRow{"Quote", u"\\\"AS IS\\\"", u"\"AS IS\""}, EscapeRow{"UnknownEscapeStays", u"a\\tb", u"a\\tb"},
        EscapeRow{"TrailingBackslash", u"a\\", u"a\\"}),
    [](const testing::TestParamInfo<EscapeRow> &info) { return std::string(info.param.name); });

TEST(VCardEscapingTest, SplitsAtUnescapedSeparatorsOnly)
{
    VCardEscaping::Components parts;
    VCardEscaping::split(u"Gump Shrimp Co.;Sales Dept.\\;Manager;;Fish\\\\;x", u';', parts);
    QStringList texts;
    for (QStringView part : parts)
        texts.append(part.toString());
    EXPECT_EQ(text(texts), text(QStringList({"Gump Shrimp Co.", "Sales Dept.\\;Manager", "", "Fish\\\\", "x"})));
}

// The writer encodes and escapes in one pass; what it writes must be what
// escaping the text and then encoding it with Qt's stateless encoder gives,
// unpaired surrogates (written as U+FFFD) included.
TEST(VCardEscapingTest, WritesWhatQtsEncoderWritesForAnyText)
{
    const auto encoded = [](const QString &text) {
        QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        return QByteArray(encoder.encode(text)).toStdString();
    };
    const QString alphabet = QStringLiteral("ab ,;\\\r\n\t~\u00e9\u00ff\u0800\u6771\uffff\U0001F600") + QChar(0xD800)
        + QChar(0xDC00) + QChar(0xDBFF);
    std::mt19937 random(7);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 20000; ++round) {
        QString value;
        for (int i = length(random); i > 0; --i)
            value += alphabet.at(pick(random));
        QString escapedText = value;
        escapedText.replace(QStringLiteral("\\"), QStringLiteral("\\\\"))
            .replace(u',', QStringLiteral("\\,"))
            .replace(u';', QStringLiteral("\\;"))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))
            .replace(u'\r', QStringLiteral("\\n"))
            .replace(u'\n', QStringLiteral("\\n"));
        std::string escaped;
        VCardEscaping::appendEscapedUtf8(escaped, value);
        ASSERT_EQ(escaped, encoded(escapedText)) << round;
        std::string plain = "x";
        VCardEscaping::appendUtf8(plain, value);
        ASSERT_EQ(plain, "x" + encoded(value)) << round;
    }
}

// ---- folding ----------------------------------------------------------------

QList<QByteArray> physicalLines(const std::string &out)
{
    QList<QByteArray> lines = QByteArray::fromStdString(out).split('\n');
    EXPECT_TRUE(lines.takeLast().isEmpty());
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

TEST(VCardFoldingTest, FoldsAtSeventyFiveOctetsNeverInsideUtf8)
{
    // 3-octet characters after an odd ASCII prefix put a sequence across every
    // 75-octet mark.
    const QString line = QStringLiteral("NOTE:") + QString(100, QChar(0x6771)) + QStringLiteral("x");
    std::string out;
    VCardFolding::appendFoldedLine(out, line.toStdString());
    const QList<QByteArray> lines = physicalLines(out);
    ASSERT_GT(lines.size(), 4);
    QByteArray unfolded;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines.at(i).size(), 75) << i;
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)utf8.decode(lines.at(i));
        EXPECT_FALSE(utf8.hasError()) << "line " << i << " splits a UTF-8 sequence";
        if (i > 0) {
            EXPECT_TRUE(lines.at(i).startsWith(' '));
            unfolded += lines.at(i).sliced(1);
        } else {
            unfolded += lines.at(i);
        }
    }
    EXPECT_EQ(unfolded.toStdString(), line.toStdString());

    std::string whole;
    VCardFolding::appendFoldedLine(whole, std::string(75, 'a'));
    EXPECT_EQ(whole, std::string(75, 'a') + "\r\n");
}

// ---- dates ------------------------------------------------------------------

struct DateRow {
    const char *name;
    const char16_t *text;
    const char16_t *omittedYear;
    int year, month, day; // 0: absent; all -1: not a date
};

class DateTest : public testing::TestWithParam<DateRow> { };

TEST_P(DateTest, ParsesTheFormsWritersUse)
{
    const DateRow &row = GetParam();
    const std::optional<StoreDateComponents> date
        = VCardValues::parseDate(QString::fromUtf16(row.text), QString::fromUtf16(row.omittedYear));
    if (row.year < 0) {
        EXPECT_FALSE(date);
        return;
    }
    ASSERT_TRUE(date);
    const auto part = [](int value) { return value ? std::optional<int>(value) : std::nullopt; };
    EXPECT_EQ(date->year, part(row.year));
    EXPECT_EQ(date->month, part(row.month));
    EXPECT_EQ(date->day, part(row.day));
}

INSTANTIATE_TEST_SUITE_P(Rows, DateTest,
    testing::Values(DateRow{"Dashed", u"1980-03-22", u"", 1980, 3, 22}, DateRow{"Basic", u"19800322", u"", 1980, 3, 22},
        DateRow{"WithTime", u"2012-06-06T00:00:00Z", u"", 2012, 6, 6},
        DateRow{"YearOmittedByParameter", u"1604-04-15", u"1604", 0, 4, 15},
        DateRow{"NoYear40", u"--0415", u"", 0, 4, 15}, DateRow{"NoYearDashed", u"--04-15", u"", 0, 4, 15},
        DateRow{"MonthOnly", u"--04", u"", 0, 4, 0}, DateRow{"DayOnly", u"---15", u"", 0, 0, 15},
        DateRow{"YearAndMonth", u"1980-03", u"", 1980, 3, 0}, DateRow{"YearOnly", u"1980", u"", 1980, 0, 0},
        DateRow{"NoSuchDay", u"1981-02-29", u"", -1, -1, -1}, DateRow{"MonthThirteen", u"1980-13-01", u"", -1, -1, -1},
        DateRow{"Text", u"next Tuesday", u"", -1, -1, -1}, DateRow{"Empty", u"", u"", -1, -1, -1}),
    [](const testing::TestParamInfo<DateRow> &info) { return std::string(info.param.name); });

TEST(VCardDateFormatTest, WritesWhatTheReaderReadsBack)
{
    const QList<StoreDateComponents> dates{{1980, 3, 22}, {std::nullopt, 2, 29}, {1980, 3, std::nullopt},
        {1980, std::nullopt, std::nullopt}, {std::nullopt, 4, std::nullopt}, {std::nullopt, std::nullopt, 15}};
    for (const StoreDateComponents &date : dates) {
        bool omitted = false;
        const std::string text = VCardValues::formatDate(date, &omitted);
        const std::optional<StoreDateComponents> back
            = VCardValues::parseDate(QString::fromStdString(text), omitted ? u"1604" : u"");
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(*back, date) << text;
    }
}

} // namespace
