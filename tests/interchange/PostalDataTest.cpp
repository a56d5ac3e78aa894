#include "PostalTestFiles.h"

#include "common/TestEnvironment.h"
#include "interchange/PostalData.h"
#include "interchange/PostalDatabase.h"

#include <gtest/gtest.h>

#include <QFile>

using PostalTestFiles::Stream;

namespace {

// Repetitive text compresses far below a third of its size, so the inflate
// buffer (one and a half times the input) has to grow many times.
QByteArray repetitiveText()
{
    QByteArray text;
    for (int line = 0; line < 4000; ++line) {
        text += "13101,\"100  \",\"" + QByteArray::number(1000000 + line) + "\",\"x\"\r\n";
    }
    return text;
}

class InflateStreamTest : public testing::TestWithParam<Stream> { };

TEST_P(InflateStreamTest, InflatesWhateverHeaderTheStreamHas)
{
    const QByteArray text = repetitiveText();
    const std::optional<QByteArray> inflated = InflateGzipData(PostalTestFiles::compress(text, GetParam()));
    ASSERT_TRUE(inflated.has_value());
    EXPECT_EQ(*inflated, text);
}

INSTANTIATE_TEST_SUITE_P(Headers, InflateStreamTest, testing::Values(Stream::Gzip, Stream::Zlib));

TEST(InflateGzipDataTest, ReturnsAnEmptyInputAsItIs)
{
    const std::optional<QByteArray> inflated = InflateGzipData(QByteArray());
    ASSERT_TRUE(inflated.has_value());
    EXPECT_TRUE(inflated->isEmpty());
}

TEST(DecodeWindows31JTest, DecodesTheVendorExtensionsAndRejectsBrokenBytes)
{
    // "①" and "髙" exist only in the vendor extensions of Shift_JIS.
    const QString text = QStringLiteral("①髙ﾁﾖﾀﾞ千代田\r\n");
    EXPECT_EQ(DecodeWindows31J(PostalTestFiles::encodeWindows31J(text)), text);
    EXPECT_FALSE(DecodeWindows31J("\x82\x20").has_value());
    EXPECT_FALSE(DecodeWindows31J("abc\x85\x40").has_value());
}

TEST(ReformatPostalTextTest, KeepsTheSearchColumnsOfAreaAndOfficeLines)
{
    EXPECT_EQ(ReformatPostalText(
                  u"13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\","
                  u"0,0,0,0,0,0\r\n",
                  PostalTable::KenAll),
        u"K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",\n");
    EXPECT_EQ(ReformatPostalText(u"27128,\"\",\"大阪城天守閣\",\"大阪府\",\"大阪市中央区\",\"\","
                                 u"\"大阪城１－１\",\"5408799\",\"540  \",\"大阪東\",0,0,0\r\n",
                  PostalTable::Jigyosyo),
        u"J,\"\",\"大阪城天守閣\",\"大阪府\",\"大阪市中央区\",\"\",\"大阪城１－１\",\"5408799\",\n");
}

TEST(ReformatPostalTextTest, SkipsAndCountsLinesItCannotUse)
{
    qsizetype skipped = -1;
    const QString kept
        = ReformatPostalText(u"1,\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"\r\n" // 8 columns: one short
                             u"\r\n" // blank
                             u"1,\"2\",\"1000001\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\"\r\n" // exactly 9
                             u"1,\"2\",\"1000002\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",0", // no line feed
            PostalTable::KenAll, &skipped);
    EXPECT_EQ(kept, u"K,\"1000001\",\"4\",\"5\",\"6\",\"7\",\"8\",\"9\",\n");
    EXPECT_EQ(skipped, 3);
    EXPECT_TRUE(ReformatPostalText(u"", PostalTable::Jigyosyo).isEmpty());
}

TEST(PostalDatabaseTest, ReadsBothTablesIntoTheirPositions)
{
    const QString folder = PostalTestFiles::writeTables(QStringLiteral("database-both"));
    const PostalDatabase database = PostalDatabase::fromFiles(folder + u"/ken_all.gzip", folder + u"/jigyosyo.gzip");
    EXPECT_EQ(database.areaText().count(u'\n'), 6);
    EXPECT_TRUE(database.areaText().startsWith(u"K,\"1000000\""));
    EXPECT_EQ(database.officeText().count(u'\n'), 3);
    EXPECT_TRUE(database.officeText().startsWith(u"J,\"ﾆﾂﾎﾟﾝﾕｳｾｲ"));
    EXPECT_EQ(database.skippedLines(), 0);
    EXPECT_GE(database.memoryBytes(), (database.areaText().size() + database.officeText().size()) * 2);
}

// Each row spoils the area table in one way; the office table stays readable.
struct BrokenTableRow {
    const char *name;
    QByteArray (*contents)();
};

class PostalDatabaseBrokenTableTest : public testing::TestWithParam<BrokenTableRow> { };

TEST_P(PostalDatabaseBrokenTableTest, LeavesAnEmptyTextAtItsPosition)
{
    const QString folder = PostalTestFiles::writeTables(QString::fromLatin1(GetParam().name));
    QFile::remove(folder + u"/ken_all.gzip");
    if (GetParam().contents != nullptr) {
        (void)PostalTestFiles::writeFile(folder, QStringLiteral("ken_all.gzip"), GetParam().contents());
    }
    const PostalDatabase database = PostalDatabase::fromFiles(folder + u"/ken_all.gzip", folder + u"/jigyosyo.gzip");
    EXPECT_TRUE(database.areaText().isEmpty());
    EXPECT_EQ(database.officeText().count(u'\n'), 3);
}

INSTANTIATE_TEST_SUITE_P(Files, PostalDatabaseBrokenTableTest,
    testing::Values(BrokenTableRow{"missing", nullptr},
        BrokenTableRow{"truncated",
            [] {
                const QByteArray stream = PostalTestFiles::compress(
                    PostalTestFiles::encodeWindows31J(PostalTestFiles::kenAllText()), Stream::Gzip);
                return stream.first(stream.size() - 12);
            }},
        BrokenTableRow{"corrupt", [] { return QByteArray("\x1f\x8b\x08\x00garbage", 12); }},
        BrokenTableRow{"notShiftJis",
            [] {
                // 0x85 0x40 is a code Windows-31J leaves unassigned.
                return PostalTestFiles::compress(
                    PostalTestFiles::encodeWindows31J(PostalTestFiles::kenAllText()) + "\x85\x40\r\n", Stream::Gzip);
            }}),
    [](const testing::TestParamInfo<BrokenTableRow> &info) { return std::string(info.param.name); });

} // namespace
