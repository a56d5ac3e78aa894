#include "model/HagakiLayoutRecord.h"
#include "model/HagakiLayoutString.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

HagakiLayoutFields fullLayout()
{
    HagakiLayoutFields layout;
    // Keys set out of order: the text has its own.
    layout.senderName = "{{7, 8}, {9, 10}}";
    layout.receiverAddress = "{{10, 20}, {30, 40}}";
    layout.senderAddress = "{{5.5,6},{7,8.25}}";
    layout.receiverName = "{{-1.5, 2}, {-3, 4}}";
    layout.renmei = true;
    layout.company = true;
    layout.sender = true;
    return layout;
}

const QString fullText = "7;ra:{{10.00,20.00},{30.00,40.00}};rn:{{-1.50,2.00},{-3.00,4.00}};"
                         "sa:{{5.50,6.00},{7.00,8.25}};sn:{{7.00,8.00},{9.00,10.00}};";

// The flags add up (sender 1, company 2, joint names 4) before the frames,
// which follow in their own order whatever order they were set in.
TEST(LayoutStringWriter, FlagsThenFramesInTheirOrder)
{
    EXPECT_EQ(HagakiLayoutString::fromLayout({}), "0;");
    EXPECT_EQ(HagakiLayoutString::fromLayout(fullLayout()), fullText);
    HagakiLayoutFields layout;
    layout.sender = true;
    layout.company = false;
    layout.renmei = true;
    layout.receiverAddress = "{{10, 20}, {30, 40}}";
    EXPECT_EQ(HagakiLayoutString::fromLayout(layout), "5;ra:{{10.00,20.00},{30.00,40.00}};");
}

class LayoutStringUnderLocale : public testing::TestWithParam<std::pair<QLocale::Language, const char *>> {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::system());
        std::setlocale(LC_NUMERIC, m_numeric.c_str());
    }
    std::string m_numeric = std::setlocale(LC_NUMERIC, nullptr);
};

// Files written on a German or French desktop must read on every other one.
TEST_P(LayoutStringUnderLocale, WritesAPointAsDecimalSeparator)
{
    QLocale::setDefault(QLocale(GetParam().first));
    std::setlocale(LC_NUMERIC, GetParam().second); // where the system has the locale
    EXPECT_EQ(HagakiLayoutString::fromLayout(fullLayout()), fullText);
    EXPECT_EQ(HagakiLayoutString::normarizeRect("{{1.5, 2}, {3, 4}}"), "{{1.50,2.00},{3.00,4.00}}");
}

INSTANTIATE_TEST_SUITE_P(DecimalComma, LayoutStringUnderLocale,
    testing::Values(std::pair{QLocale::German, "de_DE.UTF-8"}, std::pair{QLocale::French, "fr_FR.UTF-8"}));

TEST(LayoutStringRects, ReadTheFirstFourNumbersInEitherForm)
{
    EXPECT_EQ(HagakiLayoutString::rectFromString("{{10, 20}, {30, 40}}"), QRectF(10, 20, 30, 40));
    EXPECT_EQ(HagakiLayoutString::rectFromString("{{10,20},{30,40}}"), QRectF(10, 20, 30, 40));
    EXPECT_EQ(HagakiLayoutString::rectFromString("{{10, 20}}"), QRectF(10, 20, 0, 0));
    EXPECT_EQ(HagakiLayoutString::rectFromString("garbage"), QRectF());
    EXPECT_EQ(HagakiLayoutString::normarizeRect("{{1,2},{3,4},{5,6}}"), "{{1.00,2.00},{3.00,4.00}}");
    EXPECT_EQ(HagakiLayoutString::normarizeRect("{{0, 0}, {-12.345, -0.5}}"), "{{0.00,0.00},{-12.35,-0.50}}");
}

// Frames as people and other programs have written them: every number is
// read the way QString reads it, "." as decimal point, whatever the locale.
class UnusualFrameNumbers : public testing::TestWithParam<std::pair<const char *, const char *>> { };

TEST_P(UnusualFrameNumbers, AreRewrittenWithTwoDecimals)
{
    EXPECT_EQ(HagakiLayoutString::normarizeRect(QString::fromUtf8(GetParam().first)), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Rows, UnusualFrameNumbers,
    testing::Values(std::pair{"{{+5,.5},{1.,-.25}}", "{{5.00,0.50},{1.00,-0.25}}"},
        std::pair{"{{1e2,2.5E-1},{1e+1,7e}}", "{{100.00,0.25},{10.00,7.00}}"},
        std::pair{"{{-0,-0.001},{0.005,0.015}}", "{{-0.00,-0.00},{0.01,0.01}}"},
        std::pair{"{{1e-999,1e-310},{2,3}}", "{{0.00,0.00},{2.00,3.00}}"},
        // A number of more than 61 digits is written as 0.
        std::pair{"{{1e62,1e300},{2.5,00012}}", "{{0.00,0.00},{2.50,12.00}}"},
        std::pair{"{{１２,٣,4},{5,6}}", "{{4.00,5.00},{6.00,0.00}}"},
        std::pair{"{{1-2},{3e-x4}}", "{{1.00,-2.00},{3.00,4.00}}"},
        std::pair{"x{{1.2.3,4}}", "{{1.20,0.30},{4.00,0.00}}"}, std::pair{"", "{{0.00,0.00},{0.00,0.00}}"}));

// A frame with a number out of range, as typed, imported or written by
// earlier versions ("inf"): no number can stand for it, so it is dropped whole
// on writing and on reading, and never read with its numbers moved a place.
class OutOfRangeFrame : public testing::TestWithParam<const char *> { };

TEST_P(OutOfRangeFrame, IsDroppedWholeOnWritingAndOnReading)
{
    const QString frame = QString::fromLatin1(GetParam());
    HagakiLayoutFields written;
    written.sender = true;
    written.receiverAddress = "{{1,2},{3,4}}";
    written.receiverName = frame;
    EXPECT_EQ(HagakiLayoutString::fromLayout(written), "1;ra:{{1.00,2.00},{3.00,4.00}};");
    EXPECT_EQ(HagakiLayoutString::normarizeRect(frame), "");

    HagakiLayoutFields read;
    HagakiLayoutString::parse("1;ra:{{1,2},{3,4}};rn:" + frame + ";", read);
    EXPECT_TRUE(read.printsSender());
    EXPECT_EQ(read.receiverAddress, "{{1,2},{3,4}}");
    EXPECT_EQ(read.receiverName, "");
}

INSTANTIATE_TEST_SUITE_P(Rows, OutOfRangeFrame,
    testing::Values("{{1e400,2},{3,4}}", "{{inf,2.00},{3.00,4.00}}", "{{2.00,-inf},{3.00,4.00}}", "{{1,-1E999},{3,4}}",
        "{{1,2},{3,NaN}}", "{{1.00,2.00},{3.00,Infinity}}"));

// The numbers of a frame as they were first read, by a regular expression and
// QString::toDouble: the reader that replaced it must agree on any text.
QString referenceNormalizedRect(const QString &rectText)
{
    static const QRegularExpression number(QStringLiteral(R"([-+]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][-+]?\d+)?)"));
    std::array<double, 4> values{};
    auto match = number.globalMatch(rectText);
    for (double &value : values) {
        if (!match.hasNext())
            break;
        value = match.next().captured().toDouble();
        if (!std::isfinite(value))
            return {};
    }
    QString text = "{{";
    for (int i = 0; i < 4; ++i) {
        std::array<char, 64> buffer{};
        const auto result = std::to_chars(
            buffer.data(), buffer.data() + buffer.size(), values[size_t(i)], std::chars_format::fixed, 2);
        text += result.ec == std::errc() ? QString::fromLatin1(buffer.data(), result.ptr - buffer.data())
                                         : QStringLiteral("0.00");
        text += i == 1 ? "},{" : (i == 3 ? "}}" : ",");
    }
    return text;
}

TEST(LayoutStringRects, AnyTextReadsAsTheRegularExpressionReadIt)
{
    std::mt19937 random(20250101);
    const QString alphabet = QStringLiteral("0123456789012345678901234567890.....--++eeEE{},, x１٣");
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> longRun(0, 400);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int size = length(random);
        for (int i = 0; i < size; ++i)
            text += alphabet.at(pick(random));
        if (round % 50 == 0)
            text.insert(size / 2, QString(longRun(random), QChar(u'0' + round % 10)));
        ASSERT_EQ(HagakiLayoutString::normarizeRect(text), referenceNormalizedRect(text)) << text.toStdString();
    }
}

// Frames already written with two decimals are taken as they stand; those
// that only look so must still be read and written again.
TEST(LayoutStringRects, WrittenFramesAndNearMissesReadAsTheRegularExpressionReadThem)
{
    std::mt19937 random(20250102);
    std::uniform_int_distribution<int> digitCount(1, 11);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> coin(0, 3);
    const auto number = [&] {
        QString text = coin(random) == 0 ? QStringLiteral("-") : QString();
        const int digits = digitCount(random);
        for (int i = 0; i < digits; ++i)
            text += QChar(u'0' + digit(random));
        text += u'.';
        const int decimals = coin(random) == 0 ? 1 + coin(random) : 2;
        for (int i = 0; i < decimals; ++i)
            text += QChar(u'0' + digit(random));
        return text;
    };
    std::vector<QString> frames{"{{-0.00,0.00},{999999999.99,-999999999.99}}", "{{0.05,00.50},{1.00,2.00}}",
        "{{1234567890.12,1.00},{2.00,3.00}}", "{{1.00,2.00},{3.00,4.00}};", " {{1.00,2.00},{3.00,4.00}}",
        "{{1.00,2.00},{3.00,4.00}", "{{1.00,2.00}{3.00,4.00}}"};
    for (int round = 0; round < 5000; ++round)
        frames.push_back("{{" + number() + "," + number() + "},{" + number() + "," + number() + "}}");
    for (const QString &frame : frames) {
        ASSERT_EQ(HagakiLayoutString::normarizeRect(frame), referenceNormalizedRect(frame)) << frame.toStdString();
        HagakiLayoutFields layout;
        layout.senderName = frame;
        ASSERT_EQ(HagakiLayoutString::fromLayout(layout), "0;sn:" + referenceNormalizedRect(frame) + ";")
            << frame.toStdString();
    }
}

TEST(LayoutStringParser, ReadsFlagsAndFramesAndKeepsTheRest)
{
    HagakiLayoutFields layout;
    layout.receiverName = "{{1,1},{1,1}}";
    HagakiLayoutString::parse("3;", layout);
    EXPECT_TRUE(layout.printsSender());
    EXPECT_TRUE(layout.printsCompany());
    ASSERT_TRUE(layout.renmei.has_value());
    EXPECT_FALSE(*layout.renmei);
    EXPECT_EQ(layout.receiverName, "{{1,1},{1,1}}");

    HagakiLayoutString::parse("1;ra:{{10, 20}, {30, 40}};", layout);
    EXPECT_EQ(layout.receiverAddress, "{{10, 20}, {30, 40}}");
    EXPECT_EQ(layout.receiverName, "{{1,1},{1,1}}");
}

TEST(LayoutStringParser, PartialStrings)
{
    HagakiLayoutFields noFlags;
    noFlags.sender = true;
    HagakiLayoutString::parse("ra:{{1,2},{3,4}};", noFlags);
    EXPECT_FALSE(noFlags.printsSender());
    EXPECT_EQ(noFlags.receiverAddress, "{{1,2},{3,4}}");

    HagakiLayoutFields single;
    HagakiLayoutString::parse("4", single);
    EXPECT_TRUE(single.printsRenmei());
    EXPECT_FALSE(single.printsSender());

    HagakiLayoutFields untouched;
    untouched.company = true;
    HagakiLayoutString::parse("", untouched);
    EXPECT_TRUE(untouched.printsCompany());
    EXPECT_FALSE(untouched.sender.has_value());

    HagakiLayoutFields keyWithoutFrame;
    keyWithoutFrame.senderName = "{{1,2},{3,4}}";
    HagakiLayoutString::parse("2;sn;xx:{{9,9},{9,9}};", keyWithoutFrame);
    EXPECT_EQ(keyWithoutFrame.senderName, "{{1,2},{3,4}}");
    EXPECT_TRUE(keyWithoutFrame.printsCompany());
}

TEST(LayoutStringParser, AFrameEndsAtAFurtherColonAndAnEmptyFrameClearsIt)
{
    HagakiLayoutFields layout;
    layout.receiverName = "{{1,2},{3,4}}";
    HagakiLayoutString::parse(" 6 ;ra:{{5,6}:x},{7,8}};rn:;sa:{{1,1},{1,1}}:;sn", layout);
    HagakiLayoutFields expected;
    expected.sender = false;
    expected.company = true;
    expected.renmei = true;
    expected.receiverAddress = "{{5,6}";
    expected.senderAddress = "{{1,1},{1,1}}";
    EXPECT_EQ(layout, expected);
}

TEST(LayoutStringRoundTrip, WriteParseWriteGivesTheSameText)
{
    std::mt19937 random(20240315);
    std::uniform_int_distribution<int> hundredths(-200000, 200000);
    std::uniform_int_distribution<int> flags(0, 7);
    std::bernoulli_distribution present(0.7);
    const auto frame = [&] {
        QString text = "{{";
        for (int i = 0; i < 4; ++i) {
            text += QString::number(hundredths(random) / 100.0, 'f', 2);
            text += i == 1 ? "}, {" : (i == 3 ? "}}" : ", ");
        }
        return text;
    };
    for (int round = 0; round < 500; ++round) {
        HagakiLayoutFields layout;
        const int bits = flags(random);
        layout.sender = (bits & 1) != 0;
        layout.company = (bits & 2) != 0;
        layout.renmei = (bits & 4) != 0;
        for (HeapString *rect :
            {&layout.receiverAddress, &layout.receiverName, &layout.senderAddress, &layout.senderName}) {
            if (present(random))
                *rect = frame();
        }
        const QString written = HagakiLayoutString::fromLayout(layout);
        HagakiLayoutFields parsed;
        HagakiLayoutString::parse(written, parsed);
        ASSERT_EQ(HagakiLayoutString::fromLayout(parsed), written);
    }
}

TEST(LayoutRecord, DictionaryFormKeepsTheExactKeys)
{
    HagakiLayoutRecord record;
    record.labelIndex = 2;
    record.label = "home";
    record.sender = true;
    record.receiverAddress = "{{1,2},{3,4}}";
    record.stringValue = "1;ra:{{1.00,2.00},{3.00,4.00}};";
    const QVariantMap map = record.toVariantMap();
    EXPECT_EQ(map.value("labelIndex").toLongLong(), 2);
    EXPECT_EQ(map.value("Sender").toBool(), true);
    EXPECT_FALSE(map.contains("Company"));
    EXPECT_EQ(map.value("receiverAddress").toString(), "{{1,2},{3,4}}");
    EXPECT_EQ(HagakiLayoutRecord::fromVariantMap(map), record);
}

} // namespace
