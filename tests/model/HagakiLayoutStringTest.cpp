#include "model/HagakiLayoutString.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Frames set out of order: the text has its own.
const HagakiLayoutFields fullLayout{.sender = true,
    .company = true,
    .renmei = true,
    .receiverAddress = QRectF(10, 20, 30, 40),
    .receiverName = QRectF(-1.5, 2, -3, 4),
    .senderAddress = QRectF(5.5, 6, 7, 8.25),
    .senderName = QRectF(7, 8, 9, 10)};
const QString fullText = "7;ra:{{10.00,20.00},{30.00,40.00}};rn:{{-1.50,2.00},{-3.00,4.00}};"
                         "sa:{{5.50,6.00},{7.00,8.25}};sn:{{7.00,8.00},{9.00,10.00}};";

// The first four numbers of a text as they were first read, by a regular
// expression and QString::toDouble, with a spelled-out infinity or NaN read as
// what it spells; none when there are fewer than four.
std::optional<QRectF> referenceNumbers(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"([-+]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][-+]?\d+)?|[-+]?(?:infinity|inf|nan))"),
        QRegularExpression::CaseInsensitiveOption);
    std::array<double, 4> values{};
    auto match = number.globalMatch(text);
    for (double &value : values) {
        if (!match.hasNext())
            return std::nullopt;
        const QString found = match.next().captured().toLower();
        if (found.contains(u"nan"))
            value = std::numeric_limits<double>::quiet_NaN();
        else if (found.contains(u"inf"))
            value = found.startsWith(u'-') ? -std::numeric_limits<double>::infinity()
                                           : std::numeric_limits<double>::infinity();
        else
            value = found.toDouble();
    }
    return QRectF(values[0], values[1], values[2], values[3]);
}

// The frame's text as those numbers were first written, with two decimals:
// the reader that replaced them must agree on any text. Empty for no frame
// or for one with a number out of range or too long to be written so.
QString referenceFrameText(const QString &text)
{
    const std::optional<QRectF> frame = referenceNumbers(text);
    if (!frame)
        return {};
    const std::array<double, 4> values{frame->x(), frame->y(), frame->width(), frame->height()};
    QString written = "{{";
    for (size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i]))
            return {};
        std::array<char, 64> buffer{};
        const auto result
            = std::to_chars(buffer.data(), buffer.data() + buffer.size(), values[i], std::chars_format::fixed, 2);
        if (result.ec != std::errc())
            return {};
        written += QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
        written += i == 1 ? "},{" : (i == 3 ? "}}" : ",");
    }
    return written;
}

// A frame as the layouts store it, read and written again: frames of older
// files and of other programs are written in the form of our own.
QString rewritten(const QString &frame)
{
    return HagakiLayoutString::frameText(HagakiLayoutString::frameFromString(frame));
}

class LayoutStringUnderLocale : public testing::Test {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        std::setlocale(LC_NUMERIC, m_numeric.c_str());
    }
    std::string m_numeric = std::setlocale(LC_NUMERIC, nullptr);
};

// The flags add up (sender 1, company 2, joint names 4) before the frames,
// which follow in their own order whatever order they were set in. Files
// written on a desktop of decimal commas must read on every other one.
TEST_F(LayoutStringUnderLocale, FlagsThenFramesInTheirOrderWithAPointAsDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // where the system has the locale
    EXPECT_EQ(HagakiLayoutString::fromLayout({}), "0;");
    EXPECT_EQ(HagakiLayoutString::fromLayout(fullLayout), fullText);
    EXPECT_EQ(HagakiLayoutString::fromLayout(
                  {.sender = true, .company = false, .renmei = true, .receiverAddress = QRectF(10, 20, 30, 40)}),
        "5;ra:{{10.00,20.00},{30.00,40.00}};");
    EXPECT_EQ(rewritten("{{1.5, 2}, {3, 4}}"), "{{1.50,2.00},{3.00,4.00}}");
}

TEST(LayoutStringRects, ReadTheFirstFourNumbersInEitherForm)
{
    EXPECT_EQ(HagakiLayoutString::frameFromString(u"{{10, 20}, {30, 40}}"), QRectF(10, 20, 30, 40));
    EXPECT_EQ(HagakiLayoutString::frameFromString(u"{{10,20},{30,40}}"), QRectF(10, 20, 30, 40));
    EXPECT_EQ(HagakiLayoutString::frameFromString(u"{{10, 20}}"), std::nullopt);
    EXPECT_EQ(HagakiLayoutString::frameFromString(u"garbage"), std::nullopt);
    EXPECT_EQ(rewritten("{{1,2},{3,4},{5,6}}"), "{{1.00,2.00},{3.00,4.00}}");
}

// A frame with a number out of range, as typed, imported or written by
// earlier versions ("inf"): no number can stand for it, so it is dropped whole
// on writing and on reading, and never read with its numbers moved a place.
class OutOfRangeFrame : public testing::TestWithParam<const char *> { };

TEST_P(OutOfRangeFrame, IsDroppedWholeOnWritingAndOnReading)
{
    const QString frame = QString::fromLatin1(GetParam());
    EXPECT_EQ(HagakiLayoutString::fromLayout(
                  {.sender = true, .receiverAddress = QRectF(1, 2, 3, 4), .receiverName = referenceNumbers(frame)}),
        "1;ra:{{1.00,2.00},{3.00,4.00}};");
    EXPECT_EQ(HagakiLayoutString::frameFromString(frame), std::nullopt);
    EXPECT_EQ(rewritten(frame), "");

    HagakiLayoutFields read;
    HagakiLayoutString::parse("1;ra:{{1,2},{3,4}};rn:" + frame + ";", read);
    EXPECT_TRUE(read.printsSender());
    EXPECT_EQ(read.receiverAddress, QRectF(1, 2, 3, 4));
    EXPECT_FALSE(read.receiverName);
}

INSTANTIATE_TEST_SUITE_P(Rows, OutOfRangeFrame,
    testing::Values("{{1e400,2},{3,4}}", "{{2.00,-inf},{3.00,4.00}}", "{{1,-1E999},{3,4}}", "{{1,2},{3,NaN}}",
        "{{1.00,2.00},{3.00,Infinity}}"));

// A number of more digits than a frame is written with ("1e100" has a
// hundred and one before the point) has no text to go back to the file as:
// such a frame is dropped as one out of range is, never written back as zero.
INSTANTIATE_TEST_SUITE_P(TooLong, OutOfRangeFrame,
    testing::Values("{{1e100,20},{30,40}}", "{{1,2},{3,-1e300}}", "{{1,1.7e308},{3,4}}",
        "{{1,2},{1000000000000000000000000000000000000000000000000000000000000000,4}}"));

// Up to the longest text the stored form takes, a frame is kept and written
// back digit for digit.
TEST(LayoutStringRects, KeepLargeNumbersThatTheStoredFormWrites)
{
    // 2^195 and 2^170: a double holds each exactly, so its text is its digits.
    const QString frame = "{{-50216813883093446110686315385661331328818843555712276103168.00,1.00},"
                          "{1496577676626844588240573268701473812127674924007424.00,4.00}}";
    ASSERT_TRUE(HagakiLayoutString::frameFromString(frame));
    EXPECT_EQ(rewritten(frame), frame);
    HagakiLayoutFields layout;
    HagakiLayoutString::parse("0;sn:" + frame + ";", layout);
    EXPECT_EQ(HagakiLayoutString::fromLayout(layout), "0;sn:" + frame + ";");
}

// Any text reads as the regular expression read it, frames already written
// with two decimals and those that only look so alike. Whatever is written
// parses back.
TEST(LayoutStringRects, ReadAsTheRegularExpressionReadThemAndWrittenFramesParseBack)
{
    std::mt19937 random(20250101);
    const auto draw = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const QString alphabet = QStringLiteral("0123456789012345678901234567890.....--++eeEE{},, x１٣");
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int size = draw(0, 40);
        for (int i = 0; i < size; ++i)
            text += alphabet.at(draw(0, int(alphabet.size()) - 1));
        if (round % 50 == 0)
            text.insert(size / 2, QString(draw(0, 400), QChar(u'0' + round % 10)));
        ASSERT_EQ(rewritten(text), referenceFrameText(text)) << text.toStdString();
    }
    const auto number = [&draw] {
        QString text = draw(0, 3) == 0 ? QStringLiteral("-") : QString();
        for (int digits = draw(1, 11); digits > 0; --digits)
            text += QChar(u'0' + draw(0, 9));
        text += u'.';
        for (int decimals = draw(0, 3) == 0 ? draw(1, 4) : 2; decimals > 0; --decimals)
            text += QChar(u'0' + draw(0, 9));
        return text;
    };
    std::vector<QString> frames{"{{-0.00,0.00},{999999999.99,-999999999.99}}", "{{0.05,00.50},{1.00,2.00}}",
        "{{1234567890.12,1.00},{2.00,3.00}}", "{{1.00,2.00},{3.00,4.00}};", " {{1.00,2.00},{3.00,4.00}}",
        "{{1.00,2.00},{3.00,4.00}", "{{1.00,2.00}{3.00,4.00}}"};
    for (int round = 0; round < 5000; ++round)
        frames.push_back("{{" + number() + "," + number() + "},{" + number() + "," + number() + "}}");
    const QString keys[] = {"ra", "rn", "sa", "sn"};
    for (size_t i = 0; i < frames.size(); ++i) {
        const QString &frame = frames[i];
        const QString expected = referenceFrameText(frame);
        ASSERT_EQ(rewritten(frame), expected) << frame.toStdString();
        const int flags = int(i / 4 % 8);
        HagakiLayoutFields layout{.sender = (flags & 1) != 0, .company = (flags & 2) != 0, .renmei = (flags & 4) != 0};
        *std::array{&layout.receiverAddress, &layout.receiverName, &layout.senderAddress, &layout.senderName}[i % 4]
            = HagakiLayoutString::frameFromString(frame);
        const QString written = HagakiLayoutString::fromLayout(layout);
        ASSERT_EQ(written, QString::number(flags) + u';' + keys[i % 4] + u':' + expected + u';') << frame.toStdString();
        HagakiLayoutFields parsed;
        HagakiLayoutString::parse(written, parsed);
        ASSERT_EQ(HagakiLayoutString::fromLayout(parsed), written);
    }
}

// Flags as three characters ("-" never set), then the four frames.
QString describe(const HagakiLayoutFields &layout)
{
    QString text;
    for (const std::optional<bool> &flag : {layout.sender, layout.company, layout.renmei})
        text += flag ? (*flag ? u'1' : u'0') : u'-';
    return text + " ra:" + HagakiLayoutString::frameText(layout.receiverAddress)
        + " rn:" + HagakiLayoutString::frameText(layout.receiverName)
        + " sa:" + HagakiLayoutString::frameText(layout.senderAddress)
        + " sn:" + HagakiLayoutString::frameText(layout.senderName);
}

struct ParseRow {
    const char *name;
    const char *before; // parsed first into a new layout
    const char *text;
    const char *expected;
};

class LayoutStringParser : public testing::TestWithParam<ParseRow> { };

TEST_P(LayoutStringParser, SetsFlagsAndTheFramesItNamesAndKeepsTheRest)
{
    HagakiLayoutFields layout;
    HagakiLayoutString::parse(QString::fromUtf8(GetParam().before), layout);
    HagakiLayoutString::parse(QString::fromUtf8(GetParam().text), layout);
    EXPECT_EQ(describe(layout), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, LayoutStringParser,
    testing::Values(ParseRow{"FlagsOnly", "0;rn:{{1,1},{1,1}}", "3;", "110 ra: rn:{{1.00,1.00},{1.00,1.00}} sa: sn:"},
        ParseRow{"OneFrame", "0;rn:{{1,1},{1,1}}", "1;ra:{{10, 20}, {30, 40}};",
            "100 ra:{{10.00,20.00},{30.00,40.00}} rn:{{1.00,1.00},{1.00,1.00}} sa: sn:"},
        ParseRow{"NoFlags", "1;", "ra:{{1,2},{3,4}};", "000 ra:{{1.00,2.00},{3.00,4.00}} rn: sa: sn:"},
        ParseRow{"NegativeSizesStayAsRead", "", "0;sn:{{-1.5,2},{-3,-0.25}};",
            "000 ra: rn: sa: sn:{{-1.50,2.00},{-3.00,-0.25}}"},
        // A frame of fewer than four numbers was never placed: it is no frame
        // of zero size, and the frame before it stays.
        ParseRow{"ShortFrameIsNoFrame", "0;ra:{{1,2},{3,4}}", "1;ra:{{150, 80}};rn:none;",
            "100 ra:{{1.00,2.00},{3.00,4.00}} rn: sa: sn:"},
        ParseRow{"FlagsWithoutSeparator", "", "4", "001 ra: rn: sa: sn:"},
        ParseRow{"EmptyChangesNothing", "", "", "--- ra: rn: sa: sn:"},
        ParseRow{"KeyWithoutFrameOrUnknown", "0;sn:{{1,2},{3,4}}", "2;sn;xx:{{9,9},{9,9}};",
            "010 ra: rn: sa: sn:{{1.00,2.00},{3.00,4.00}}"},
        // "{{5,6}" is all of ra's frame, too short to be one.
        ParseRow{"FrameEndsAtAColonEmptyFrameClears", "0;rn:{{1,2},{3,4}}",
            " 6 ;ra:{{5,6}:x},{7,8}};rn:;sa:{{1,1},{1,1}}:;sn", "011 ra: rn: sa:{{1.00,1.00},{1.00,1.00}} sn:"}),
    [](const testing::TestParamInfo<ParseRow> &info) { return std::string(info.param.name); });

} // namespace
