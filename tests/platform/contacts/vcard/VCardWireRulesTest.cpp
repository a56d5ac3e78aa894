#include "platform/contacts/vcard/VCardDecoding_p.h"
#include "platform/contacts/vcard/VCardEscaping_p.h"
#include "platform/contacts/vcard/VCardValues_p.h"

#include "VCardTestText.h"

#include <random>

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <QStringList>

namespace {

// QUOTED-PRINTABLE decodes bytes through the charset named, UTF-8 without
// one, Latin-1 when the bytes are no UTF-8; an unknown charset falls back to
// UTF-8 and says so.
TEST(VCardDecodingTest, QuotedPrintableDecodesBytesThroughTheCharset)
{
    const std::tuple<const char16_t *, const char16_t *, const char16_t *, bool> rows[] = {
        {u"=E6=9D=B1=E4=BA=AC", u"", u"東京", true}, {u"caf=E9", u"", u"café", true},
        {u"a=0D=0Ab", u"", u"a\r\nb", true}, {u"=93=8C=8B=9E=93=73", u"SHIFT_JIS", u"東京都", true},
        // "=8Fa" is 0x8F 0x61: a Shift_JIS trail byte written unescaped.
        {u"=8Fa=92=4A", u"Shift_JIS", u"渋谷", true}, {u"東=E4=BA=AC", u"UTF-8", u"東京", true},
        {u"a=ZZb=4", u"", u"a=ZZb=4", true}, {u"ab=", u"", u"ab", true}, {u"=C3=91", u"X-NO-SUCH-SET", u"Ñ", false}};
    for (const auto &[value, charset, expected, charsetKnown] : rows) {
        bool known = false;
        EXPECT_EQ(::text(VCardDecoding::decodeQuotedPrintableText(
                      QString::fromUtf16(value), QString::fromUtf16(charset), &known)),
            ::text(QString::fromUtf16(expected)));
        EXPECT_EQ(known, charsetKnown) << ::text(QString::fromUtf16(value));
    }
}

TEST(VCardEscapingTest, UnescapeGivesTheCharactersMeant)
{
    const std::pair<const char16_t *, const char16_t *> rows[] = {{u"a\\,b\\;c", u"a,b;c"}, {u"a\\nb\\Nc", u"a\nb\nc"},
        {u"C:\\\\dir", u"C:\\dir"}, {u"http\\://www.ibm.com", u"http://www.ibm.com"}, {u"\\\"AS IS\\\"", u"\"AS IS\""},
        {u"a\\tb", u"a\\tb"}, {u"a\\", u"a\\"}};
    for (const auto &[escaped, meant] : rows)
        EXPECT_EQ(::text(VCardEscaping::unescape(QString::fromUtf16(escaped))), ::text(QString::fromUtf16(meant)));
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
        // Appended, not "x" + …: GCC 12 flags that sum with a false -Wrestrict when optimising.
        std::string expected = "x";
        expected += encoded(value);
        ASSERT_EQ(plain, expected) << round;
    }
}

// ---- dates ------------------------------------------------------------------

// The date forms writers use, with the year left out by parameter or by
// dashes; impossible dates and text are no dates.
TEST(VCardDateTest, ParsesTheFormsWritersUse)
{
    const auto date = [](const char16_t *text, const char16_t *omittedYear = u"") -> QString {
        const std::optional<StoreDateComponents> parsed
            = VCardValues::parseDate(QString::fromUtf16(text), QString::fromUtf16(omittedYear));
        const auto part
            = [](const std::optional<int> &value) { return value ? QString::number(*value) : QStringLiteral("-"); };
        return parsed ? QString(part(parsed->year) + u'/' + part(parsed->month) + u'/' + part(parsed->day))
                      : QStringLiteral("none");
    };
    const QStringList parsed{date(u"1980-03-22"), date(u"19800322"), date(u"2012-06-06T00:00:00Z"),
        date(u"1604-04-15", u"1604"), date(u"--0415"), date(u"--04-15"), date(u"--04"), date(u"---15"),
        date(u"1980-03"), date(u"1980"), date(u"1981-02-29"), date(u"1980-13-01"), date(u"next Tuesday"), date(u"")};
    EXPECT_EQ(parsed,
        QStringList({"1980/3/22", "1980/3/22", "2012/6/6", "-/4/15", "-/4/15", "-/4/15", "-/4/-", "-/-/15", "1980/3/-",
            "1980/-/-", "none", "none", "none", "none"}));
}

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
