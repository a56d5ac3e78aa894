#include "PostalTestFiles.h"

#include "interchange/PostalData.h"
#include "interchange/PostalDatabase.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace PostalTestFiles;
using namespace Qt::Literals::StringLiterals;

namespace {

// Repetitive text compresses far below a third of its size, so the inflate
// buffer (one and a half times the input) has to grow many times.
TEST(InflateGzipDataTest, InflatesWhateverHeaderTheStreamHasAndAnEmptyInputAsItIs)
{
    QByteArray text;
    for (int line = 0; line < 4000; ++line)
        text += "13101,\"100  \",\"" + QByteArray::number(1000000 + line) + "\",\"x\"\r\n";
    EXPECT_EQ(InflateGzipData(compress(text, Stream::Gzip)), text);
    EXPECT_EQ(InflateGzipData(compress(text, Stream::Zlib)), text);
    EXPECT_EQ(InflateGzipData(QByteArray()), QByteArray());
}

TEST(DecodeWindows31JTest, DecodesTheVendorExtensionsAndRejectsBrokenBytes)
{
    // "①" and "髙" exist only in the vendor extensions of Shift_JIS.
    const QString text = u"①髙ﾁﾖﾀﾞ千代田\r\n"_s;
    EXPECT_EQ(DecodeWindows31J(encodeWindows31J(text)), text);
    EXPECT_FALSE(DecodeWindows31J("\x82\x20").has_value());
    EXPECT_FALSE(DecodeWindows31J("abc\x85\x40").has_value());
}

TEST(ReformatPostalTextTest, KeepsTheSearchColumnsOfAreaAndOfficeLines)
{
    const auto line = [](const QString &table, int index) {
        return QString(tableText(table).split(u"\r\n"_s).at(index) + u"\r\n");
    };
    EXPECT_EQ(ReformatPostalText(line(u"ken_all.csv"_s, 1), PostalTable::KenAll),
        u"K,\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",\n");
    EXPECT_EQ(ReformatPostalText(line(u"jigyosyo.csv"_s, 2), PostalTable::Jigyosyo),
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
    const QString folder = writeTables(u"database-both"_s);
    const PostalDatabase database = PostalDatabase::fromFiles(folder + u"/ken_all.gzip", folder + u"/jigyosyo.gzip");
    EXPECT_EQ(std::pair(database.areaText().count(u'\n'), database.officeText().count(u'\n')),
        (std::pair<qsizetype, qsizetype>(6, 3)));
    EXPECT_EQ(database.skippedLines(), 0);
    EXPECT_GE(database.memoryBytes(), (database.areaText().size() + database.officeText().size()) * 2);
}

// Each row spoils the area table in one way; the office table stays readable.
TEST(PostalDatabaseTest, ABrokenTableLeavesAnEmptyTextAtItsPosition)
{
    const QByteArray areas = encodeWindows31J(tableText(u"ken_all.csv"_s));
    const QByteArray stream = compress(areas, Stream::Gzip);
    const std::pair<const char *, std::optional<QByteArray>> rows[] = {{"missing", std::nullopt},
        {"truncated", stream.first(stream.size() - 12)}, {"corrupt", QByteArray("\x1f\x8b\x08\x00garbage", 12)},
        // 0x85 0x40 is a code Windows-31J leaves unassigned.
        {"notShiftJis", compress(areas + "\x85\x40\r\n", Stream::Gzip)}};
    for (const auto &[name, contents] : rows) {
        const QString folder = writeTables(QString::fromLatin1(name));
        QFile::remove(folder + u"/ken_all.gzip");
        if (contents)
            writeFile(folder, u"ken_all.gzip"_s, *contents);
        const PostalDatabase database
            = PostalDatabase::fromFiles(folder + u"/ken_all.gzip", folder + u"/jigyosyo.gzip");
        EXPECT_TRUE(database.areaText().isEmpty()) << name;
        EXPECT_EQ(database.officeText().count(u'\n'), 3) << name;
    }
}

} // namespace
