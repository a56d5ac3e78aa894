#include "common/TestEnvironment.h"
#include "interchange/ImportFileKind.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray utf16(const QString &text, QStringConverter::Encoding encoding, bool withMark)
{
    QStringEncoder encoder(encoding, withMark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

struct HeadRow {
    const char *name;
    QByteArray head;
    bool vCard;
};

class ImportFileHead : public testing::TestWithParam<HeadRow> { };

TEST_P(ImportFileHead, BeginsWithACardOrNot)
{
    EXPECT_EQ(ImportFileKind::beginsWithVCard(GetParam().head), GetParam().vCard);
}

const QString card = u"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:山田\r\nEND:VCARD\r\n"_s;

INSTANTIATE_TEST_SUITE_P(Rows, ImportFileHead,
    testing::Values(HeadRow{"Utf8", card.toUtf8(), true}, HeadRow{"Utf8WithMark", "\xEF\xBB\xBF" + card.toUtf8(), true},
        HeadRow{"Utf16LeWithMark", utf16(card, QStringConverter::Utf16LE, true), true},
        HeadRow{"Utf16BeWithMark", utf16(card, QStringConverter::Utf16BE, true), true},
        HeadRow{"Utf16LeWithoutMark", utf16(u"\r\n"_s + card, QStringConverter::Utf16LE, false), true},
        HeadRow{"Utf16BeWhiteSpaceFirst", utf16(u" \t\n"_s + card, QStringConverter::Utf16BE, true), true},
        HeadRow{"WhiteSpaceFirst", "\r\n\r\n  \t" + card.toUtf8(), true},
        HeadRow{"MarkThenWhiteSpace", "\xEF\xBB\xBF\n begin:vCard\r\n", true},
        HeadRow{"Csv", "Name,ZIP,Street\n山田太郎,100-0001,千代田1-1\n", false},
        HeadRow{"CardAfterAHeaderLine", "Exported\r\nBEGIN:VCARD\r\n", false}, HeadRow{"CutShort", "BEGIN:VCAR", false},
        HeadRow{"LongerWord", "BEGIN:VCARDS\n", false}, HeadRow{"NothingAfter", "BEGIN:VCARD", true},
        HeadRow{"WhiteSpaceOnly", " \r\n", false}, HeadRow{"Empty", "", false}),
    [](const testing::TestParamInfo<HeadRow> &info) { return std::string(info.param.name); });

// The content decides for a regular file; anything else, and a file that
// doesn't begin with a card, takes the caller's fallback without blocking.
TEST(ImportFileKind, FileContentDecidesWhereItCanAndTheFallbackElsewhere)
{
    const QDir folder(TestEnvironment::makeScratchFolder(u"file-kind"_s));
    const auto write = [&folder](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    using Kind = ImportFileKind::Kind;
    EXPECT_EQ(ImportFileKind::ofFile(write(u"phone.txt"_s, card.toUtf8()), Kind::Csv), Kind::VCard);
    EXPECT_EQ(ImportFileKind::ofFile(write(u"list.vcf"_s, "Name\nAnn\n"), Kind::Csv), Kind::Csv);
    EXPECT_EQ(ImportFileKind::ofFile(write(u"empty.txt"_s, {}), Kind::Undecided), Kind::Undecided);
    const QString fifo = folder.filePath(u"pipe.txt"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ImportFileKind::ofFile(fifo, Kind::Csv), Kind::Csv);
    ASSERT_TRUE(folder.mkdir(u"folder.vcf"_s));
    EXPECT_EQ(ImportFileKind::ofFile(folder.filePath(u"folder.vcf"_s), Kind::VCard), Kind::VCard);
    EXPECT_EQ(ImportFileKind::ofFile(folder.filePath(u"missing.txt"_s), Kind::Csv), Kind::Csv);

    EXPECT_EQ(ImportFileKind::ofExtension(u"a/B.VCF"_s), Kind::VCard);
    EXPECT_EQ(ImportFileKind::ofExtension(u"b.vcard"_s), Kind::VCard);
    EXPECT_EQ(ImportFileKind::ofExtension(u"c.Txt"_s), Kind::Csv);
    EXPECT_EQ(ImportFileKind::ofExtension(u"d.csv"_s), Kind::Csv);
    EXPECT_EQ(ImportFileKind::ofExtension(u"e.fifo"_s), Kind::Undecided);
}

} // namespace
