#include "common/TestEnvironment.h"
#include "InterchangeTestContacts.h"
#include "interchange/ImportFileReader.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString writeFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "can't write " << qPrintable(path);
    return path;
}

// A phone's Shift_JIS card that declares its charset is read whole with
// "Automatic"; the same bytes picked as UTF-8 name their first bad byte.
TEST(ImportFileReader, ReadsAPhoneCardRecognisedAndRefusesItAsUtf8)
{
    const QString path = TestEnvironment::dataPath(u"vcard/aosp__v21_japanese_1.vcf"_s);
    const TextFileDecoder::Result read = ImportFileReader::readText(path, TextEncodingTable::Automatic);
    ASSERT_TRUE(read.ok()) << qPrintable(read.errorDescription);
    EXPECT_EQ(read.charset(), u"Shift_JIS"_s);
    const ContactTablePtr contacts = ImportFileReader::contactsFromVCardText(read);
    ASSERT_EQ(contacts->size(), 1);
    EXPECT_EQ(contacts->first()->person->compositeName(), u"安藤ロイド"_s);
    const TextFileDecoder::Result asUtf8 = ImportFileReader::readText(path, TextEncodingTable::UTF8);
    EXPECT_TRUE(asUtf8.errorDescription.contains(u"invalid data at byte"_s)) << qPrintable(asUtf8.errorDescription);
}

// QUOTED-PRINTABLE without a CHARSET is in the encoding the user picked.
TEST(ImportFileReader, HandsTheChosenCharsetToTheReader)
{
    const QString folder = TestEnvironment::makeScratchFolder(u"charset"_s);
    const QString path = writeFile(folder, u"euro.vcf"_s,
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Roe;Jane\r\nNOTE;ENCODING=QUOTED-PRINTABLE:=80 \x80\r\nEND:VCARD\r\n");
    const TextFileDecoder::Result read
        = ImportFileReader::readText(path, TextEncodingTable::idForCharset("windows-1252"));
    ASSERT_TRUE(read.ok()) << qPrintable(read.errorDescription);
    const ContactTablePtr contacts = ImportFileReader::contactsFromVCardText(read);
    ASSERT_EQ(contacts->size(), 1);
    EXPECT_EQ(contacts->first()->person->stringValueForIdentifier(FieldId::Note, 0), u"€ €"_s);
}

TEST(ImportFileReader, StoppedReaderGivesNoTableAndNoCardAnEmptyOne)
{
    TextFileDecoder::Result read;
    read.text = u"BEGIN:VCARD\r\nN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:B\r\nEND:VCARD\r\n"_s;
    EXPECT_EQ(ImportFileReader::contactsFromVCardText(read, [](bool *stop, quint64) { *stop = true; }), nullptr);
    read.text = u"no card here"_s;
    const ContactTablePtr none = ImportFileReader::contactsFromVCardText(read);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->isEmpty());
}

struct RefusedRow {
    const char *name;
    std::function<QString(const QString &folder)> make;
    quint32 encoding;
    QString description;
};

class RefusedFile : public testing::TestWithParam<RefusedRow> { };

TEST_P(RefusedFile, AlertsWithItsReason)
{
    const QString folder = TestEnvironment::makeScratchFolder(QString::fromLatin1(GetParam().name));
    const TextFileDecoder::Result read = ImportFileReader::readText(GetParam().make(folder), GetParam().encoding);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.errorDescription, GetParam().description);
}

const quint32 western = TextEncodingTable::idForCharset("windows-1252");

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile,
    testing::Values(RefusedRow{"Fifo",
                        [](const QString &folder) {
                            const QString path = QDir(folder).filePath(u"pipe.vcf"_s);
                            EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                            return path;
                        },
                        TextEncodingTable::Automatic, u"“pipe.vcf” is not a regular file."_s},
        RefusedRow{"Folder",
            [](const QString &folder) {
                EXPECT_TRUE(QDir(folder).mkdir(u"cards.vcf"_s));
                return QDir(folder).filePath(u"cards.vcf"_s);
            },
            TextEncodingTable::Automatic, u"“cards.vcf” is not a regular file."_s},
        // Refused from its size alone: reading it would need gigabytes.
        RefusedRow{"SparseOverTheLimit",
            [](const QString &folder) {
                const QString path = writeFile(folder, u"huge.vcf"_s, "BEGIN:VCARD\r\n");
                QFile file(path);
                EXPECT_TRUE(file.resize(ImportFileReader::maximumBytes + 1));
                return path;
            },
            TextEncodingTable::Automatic, u"“huge.vcf” is too large to import (129 MB; at most 128 MB)."_s},
        RefusedRow{"BinaryAutomatic",
            [](const QString &folder) {
                return writeFile(folder, u"image.vcf"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
            },
            TextEncodingTable::Automatic, u"The file “image.vcf” is not a text file."_s},
        RefusedRow{"BinaryPickedAsWestern",
            [](const QString &folder) {
                return writeFile(folder, u"image.vcf"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
            },
            western, u"The file “image.vcf” is not a text file."_s},
        RefusedRow{"ControlCharacterPickedAsWestern",
            [](const QString &folder) { return writeFile(folder, u"bell.csv"_s, "Name\r\nAnn\x07\r\n"); }, western,
            u"The file “bell.csv” is not a text file."_s}),
    [](const testing::TestParamInfo<RefusedRow> &info) { return std::string(info.param.name); });

TEST(ImportFileReader, TabsAndLineEndsPickedAsWesternAreText)
{
    const QString folder = TestEnvironment::makeScratchFolder(u"tabs"_s);
    const TextFileDecoder::Result read
        = ImportFileReader::readText(writeFile(folder, u"tabs.txt"_s, "Name\tZIP\r\nAnn\t\x80\n"), western);
    ASSERT_TRUE(read.ok()) << qPrintable(read.errorDescription);
    EXPECT_EQ(read.text, u"Name\tZIP\r\nAnn\t€\n"_s);
}

} // namespace

namespace {

// What the export writes, read back as an import reads a file: through the
// decoder, whose joined continuation lines must still give every address
// its own postcard layout.
TEST(ImportFileReader, ExportedCardReadsBackWithEveryLayout)
{
    const MVPersonPtr person = InterchangeTestContacts::fullPerson();
    const QString card = MVvCard().vCardFromPerson(person, {u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s, u"Photo"_s}, {});
    const TextFileDecoder::Result read
        = TextFileDecoder::decode(card.toUtf8(), TextEncodingTable::Automatic, u"export.vcf"_s);
    ASSERT_TRUE(read.ok());
    const ContactTablePtr contacts = ImportFileReader::contactsFromVCardText(read);
    ASSERT_EQ(contacts->size(), 1);
    MVPerson &again = *contacts->first()->person;
    EXPECT_EQ(InterchangeTestContacts::layoutStrings(again), InterchangeTestContacts::layoutStrings(*person));
    EXPECT_EQ(again.stringValueForIdentifier(FieldId::Renmei, 0), person->stringValueForIdentifier(FieldId::Renmei, 0));
}

} // namespace
