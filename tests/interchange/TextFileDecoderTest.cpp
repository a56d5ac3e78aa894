#include "InterchangeTestContacts.h"
#include "common/LoggedMessages.h"
#include "common/TestEnvironment.h"
#include "interchange/MVvCard.h"
#include "interchange/TextFileDecoder.h"
#include "model/ContactIdentifier.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

QString encodingName(quint32 id)
{
    const TextEncodingTable::Encoding *encoding = TextEncodingTable::encoding(id);
    return encoding ? encoding->name : u"none"_s;
}

// Bytes of a fixed pseudo-random sequence; with `noNul`, none is zero.
QByteArray noise(int count, bool noNul)
{
    QByteArray bytes;
    quint32 state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245 + 12345;
        bytes += noNul ? char((state >> 16) % 255 + 1) : char(state >> 16);
    }
    return bytes;
}

TEST(ChosenEncoding, DecodesStrictlyAndNamesTheFirstBadByte)
{
    const QString path = TestEnvironment::dataPath(u"csv/thunderbird__shiftjis_addressbook.csv"_s);
    const TextFileDecoder::Result asUtf8 = TextFileDecoder::readTextFile(path, TextEncodingTable::UTF8);
    EXPECT_EQ(asUtf8.errorDescription,
        u"The file “thunderbird__shiftjis_addressbook.csv” can't be read as UTF-8: invalid data at byte 427."_s);
    const quint32 shiftJis = TextEncodingTable::idForCharset("Shift_JIS");
    const TextFileDecoder::Result asShiftJis = TextFileDecoder::readTextFile(path, shiftJis);
    EXPECT_TRUE(asShiftJis.text.contains(u"名無しの権兵衛"_s));
    EXPECT_EQ(TextFileDecoder::decode("\x87\x40\x87\x8A", shiftJis, u"x"_s).text, u"①㈱"_s);
    EXPECT_EQ(
        TextFileDecoder::readTextFile(path + u".missing"_s, shiftJis).errorDescription, u"No such file or directory"_s);
    // A bad byte is counted in the file as it stands, folds included.
    const QByteArray folded = "BEGIN:VCARD\r\nNOTE:a\r\n b\r\n c\xFF\r\nEND:VCARD\r\n";
    EXPECT_TRUE(TextFileDecoder::decode(folded, TextEncodingTable::UTF8, u"card.vcf"_s)
                    .errorDescription.endsWith(u"invalid data at byte 27."_s));
}

// ICU converts at most 2 GiB in one call, so long files are converted in
// pieces of 16 MiB; a character may start in one piece and end in the next.
TEST(ChosenEncoding, ReadsCharactersAcrossPiecesAndCountsBadBytesFromTheFileStart)
{
    const quint32 shiftJis = TextEncodingTable::idForCharset("Shift_JIS");
    const qsizetype piece = qsizetype(1) << 24;
    const QByteArray across = QByteArray(piece - 1, 'a') + "\x88\xc0";
    const TextFileDecoder::Result read = TextFileDecoder::decode(across, shiftJis, u"long.txt"_s);
    EXPECT_EQ(read.text.size(), piece);
    EXPECT_EQ(read.text.back(), u'安');
    const TextFileDecoder::Result bad
        = TextFileDecoder::decode(QByteArray(across + "\x82\x20"), shiftJis, u"long.txt"_s);
    EXPECT_TRUE(bad.errorDescription.endsWith(u"invalid data at byte 16777217."_s)) << qPrintable(bad.errorDescription);
}

TEST(AutomaticEncoding, PutsOneReplacementCharacterForOneBadByteAndLogsIt)
{
    QFile file(TestEnvironment::dataPath(u"vcard/aosp__v21_multiple_entry.vcf"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray cards = file.readAll().repeated(10);
    // The second byte of the first two-byte character.
    cards[47] = ' ';
    LoggedMessages warnings;
    const TextFileDecoder::Result result = TextFileDecoder::decode(cards, 0, u"cards.vcf"_s);
    EXPECT_EQ(encodingName(result.encoding), u"Shift_JIS"_s);
    EXPECT_EQ(result.text.count(QChar(0xFFFD)), 1);
    EXPECT_EQ(result.text.indexOf(QChar(0xFFFD)), 46);
    ASSERT_EQ(warnings.lines().size(), 1);
    EXPECT_TRUE(warnings.lines().first().contains(u"1 undecodable sequences replaced, the first at byte 46"_s))
        << qPrintable(warnings.lines().first());
}

struct RecognitionRow {
    const char *name;
    QByteArray bytes;
    QLocale::Language interface;
    QString encoding; // "none" for no text
    QString text;
};

class Recognition : public testing::TestWithParam<RecognitionRow> { };

TEST_P(Recognition, FindsTheEncoding)
{
    const RecognitionRow &row = GetParam();
    const QLocale previous;
    QLocale::setDefault(QLocale(row.interface));
    const TextFileDecoder::Result result = TextFileDecoder::decode(row.bytes, 0, u"file.txt"_s);
    QLocale::setDefault(previous);
    EXPECT_EQ(encodingName(result.encoding), row.encoding);
    EXPECT_EQ(result.text, row.text);
    EXPECT_EQ(
        result.errorDescription, row.encoding != u"none"_s ? QString() : u"The file “file.txt” is not a text file."_s);
}

const QByteArray shortShiftJis("\x88\xc0\x93\xa1\x97S\x89\xee\n");

INSTANTIATE_TEST_SUITE_P(Files, Recognition,
    testing::Values(RecognitionRow{"Empty", "", QLocale::English, u"UTF-8"_s, u""_s},
        RecognitionRow{"Utf8Mark", "\xEF\xBB\xBFNOTE:\xC3\xA9t\xC3\xA9", QLocale::English, u"UTF-8"_s, u"NOTE:été"_s},
        RecognitionRow{"Utf16Mark", QByteArray("\xFF\xFEN\0O\0", 6), QLocale::English, u"UTF-16"_s, u"NO"_s},
        RecognitionRow{"Utf16WithoutMark", QByteArray("B\0E\0G\0I\0N\0:\0V\0C\0A\0R\0D\0\r\0\n\0", 26),
            QLocale::English, u"UTF-16LE"_s, u"BEGIN:VCARD\r\n"_s},
        RecognitionRow{"DeclaredCharset", "N;CHARSET=SHIFT_JIS:" + shortShiftJis, QLocale::English, u"Shift_JIS"_s,
            u"N;CHARSET=SHIFT_JIS:安藤祐介\n"_s},
        RecognitionRow{
            "ShiftJisInAJapaneseInterface", shortShiftJis, QLocale::Japanese, u"Shift_JIS"_s, u"安藤祐介\n"_s},
        RecognitionRow{
            "Binary", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\x01\xF4", 18), QLocale::English, u"none"_s, u""_s},
        RecognitionRow{"BadOnMostLines", noise(4000, true), QLocale::English, u"none"_s, u""_s}),
    rowName);

// The one contact of a card read from bytes in an encoding (0 for "Automatic").
ContactRecordPtr cardContact(const QByteArray &bytes, quint32 encoding)
{
    const TextFileDecoder::Result read = TextFileDecoder::decode(bytes, encoding, u"card.vcf"_s);
    EXPECT_TRUE(read.ok()) << qPrintable(read.errorDescription);
    const ContactTablePtr contacts = MVvCard().contactsInContainer(
        MVvCard().containersFromVCards(read.text, read.charset(), nullptr)->constFirst());
    EXPECT_EQ(contacts->size(), 1);
    return contacts->isEmpty() ? nullptr : contacts->constFirst();
}

// Exporters fold at 75 octets even inside a character.
TEST(SplitCharacter, ReadsWholeFromBytes)
{
    const quint32 shiftJis = TextEncodingTable::idForCharset("Shift_JIS");
    for (const auto &[property, encoding, field, value] :
        {// "л" (D0 BB), "か" (E3 81 8B) and "𝄞" (F0 9D 84 9E), each cut after its lead byte or two.
            std::tuple{
                QByteArray("NOTE:\xD0\x9C\xD0\xB8\xD0\r\n \xBB\xD0\xB0 \xE3\x81\r\n\t\x8B \xF0\r\n \x9D\x84\x9E."), 0u,
                FieldId::Note, u"Мила か 𝄞."_s},
            {"NOTE:\xE3\x81\n \x8B\xF0\x9D\x84\n \x9E", TextEncodingTable::UTF8, FieldId::Note, u"か𝄞"_s},
            // "安藤" in Shift_JIS (88 C0 93 A1), cut between lead and trail byte.
            {"N;CHARSET=SHIFT_JIS:\x88\r\n \xC0\x93\xA1;;;;", 0u, FieldId::LastName, u"安藤"_s},
            {"N:\x88\xC0\x93\r\n \xA1;;;;", shiftJis, FieldId::LastName, u"安藤"_s}}) {
        const ContactRecordPtr contact
            = cardContact("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\n" + property + "\r\nEND:VCARD\r\n", encoding);
        ASSERT_TRUE(contact) << property.toStdString();
        EXPECT_EQ(contact->person->stringValueForIdentifier(field, 0), value) << property.toStdString();
    }
}

// Values in QUOTED-PRINTABLE or BASE64 that name no charset are in the file's;
// bad bytes are replaced and logged.
TEST(ValueCharset, IsTheFilesAndBadBytesAreReplacedAndLogged)
{
    for (const auto &[note, encoding, text, warnings] :
        {std::tuple{"NOTE;ENCODING=QUOTED-PRINTABLE:=80 =84=93", "windows-1252", u"€ „“"_s, 0},
            {"NOTE;ENCODING=BASE64:gCCEkw==", "windows-1252", u"€ „“"_s, 0},
            {"NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E2=82=AC", "windows-1252", u"€"_s, 0},
            {"NOTE;ENCODING=QUOTED-PRINTABLE:=B0=C2=FFa", "EUC-JP", u"安\uFFFDa"_s, 1}}) {
        LoggedMessages logged;
        const ContactRecordPtr contact
            = cardContact(QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Roe;Jane\r\n") + note + "\r\nEND:VCARD\r\n",
                TextEncodingTable::idForCharset(encoding));
        ASSERT_TRUE(contact) << note;
        EXPECT_EQ(contact->person->stringValueForIdentifier(FieldId::Note, 0), text) << note;
        EXPECT_EQ(logged.lines().size(), warnings) << note;
    }
}

// Noise after a card's first line is no contact, whatever it is read as.
TEST(ChosenEncoding, RandomBytesAfterBeginGiveNoContact)
{
    const QByteArray bytes = "BEGIN:VCARD\r\n" + noise(4096, false);
    for (const char *encoding : {"ISO-8859-1", "windows-1252", "Shift_JIS", "EUC-JP", "UTF-8"}) {
        const TextFileDecoder::Result read
            = TextFileDecoder::decode(bytes, TextEncodingTable::idForCharset(encoding), u"noise.vcf"_s);
        if (!read.ok())
            continue;
        const ContainerTablePtr containers
            = MVvCard().containersFromVCards(read.text, QString::fromLatin1(encoding), nullptr);
        EXPECT_TRUE(MVvCard().contactsInContainer(containers->constFirst())->isEmpty()) << encoding;
    }
}

} // namespace
