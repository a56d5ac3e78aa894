// The readers handed a text no one reads after them give its memory back as
// they go; what they read must be what they read from a text they borrow.
#include "InterchangeTestContacts.h"

#include "common/ResidentPages.h"
#include "common/TestEnvironment.h"
#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"
#include "interchange/TextFileDecoder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Texts past a mebibyte and a quarter: the readers give memory back a
// mebibyte at a time.
constexpr qsizetype largeUnits = qsizetype(5) << 17;

enum class Reader { VCard, Csv, OwnCsv };

ContactTablePtr readBorrowed(Reader reader, const QString &text)
{
    if (reader == Reader::VCard) {
        const ContainerTablePtr containers = MVvCard().containersFromVCards(text, QString(), nullptr);
        return containers ? MVvCard().contactsInContainer(containers->constFirst()) : nullptr;
    }
    return reader == Reader::Csv ? MVvCard().contactsFromCSV(text)
                                 : QuillmarkCsvReader::contactsFromQuillmarkCSV(text).contacts;
}

ContactTablePtr readOnce(Reader reader, QString &&text, const vCardProgressHandler &handler = nullptr)
{
    if (reader == Reader::VCard) {
        const ContainerTablePtr containers = MVvCard().containersFromVCards(std::move(text), QString(), handler);
        return containers ? MVvCard().contactsInContainer(containers->constFirst()) : nullptr;
    }
    return reader == Reader::Csv ? MVvCard().contactsFromCSV(std::move(text))
                                 : QuillmarkCsvReader::contactsFromQuillmarkCSV(std::move(text)).contacts;
}

// The text again and again past the size at which memory is given back, in
// a string of its own (a copy would share the text, and a shared text is
// only read).
QString repeatedPastGivingBack(const QString &text)
{
    const QString repeated = text.repeated(largeUnits / std::max<qsizetype>(text.size(), 1) + 1);
    return QString(repeated.constData(), repeated.size());
}

struct SampleFile {
    Reader reader;
    QString path; // under tests/data or tests/fuzz/corpus
    bool fuzzCorpus = false;
};

QString sampleText(const SampleFile &file)
{
    if (!file.fuzzCorpus)
        return TextFileDecoder::readTextFile(TestEnvironment::dataPath(file.path), 0).text;
    QFile corpus(QString::fromUtf8(QUILLMARK_FUZZ_CORPUS) + u'/' + file.path);
    EXPECT_TRUE(corpus.open(QIODevice::ReadOnly)) << qPrintable(file.path);
    return QString::fromUtf8(corpus.readAll());
}

std::vector<SampleFile> sampleFiles()
{
    std::vector<SampleFile> files;
    for (const auto &[reader, folder] : {std::pair{Reader::VCard, u"vcard"_s}, std::pair{Reader::Csv, u"csv"_s}}) {
        const QDir data(TestEnvironment::dataPath(folder));
        for (const QString &name : data.entryList({u"*.vcf"_s, u"*.csv"_s}, QDir::Files, QDir::Name))
            files.push_back({reader, folder + u'/' + name});
    }
    const QDir own(QString::fromUtf8(QUILLMARK_FUZZ_CORPUS) + u"/owncsv"_s);
    for (const QString &name : own.entryList(QDir::Files, QDir::Name))
        files.push_back({Reader::OwnCsv, u"owncsv/"_s + name, true});
    return files;
}

std::string sampleName(const testing::TestParamInfo<SampleFile> &info)
{
    std::string name = info.param.path.toStdString();
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class ReadOnceReaders : public testing::TestWithParam<SampleFile> { };

// Every value of every contact, in the same order, as from the borrowed text.
TEST_P(ReadOnceReaders, ReadWhatTheyReadFromABorrowedText)
{
    const QString text = repeatedPastGivingBack(sampleText(GetParam()));
    const ContactTablePtr borrowed = readBorrowed(GetParam().reader, text);
    const ContactTablePtr once = readOnce(GetParam().reader, QString(text.constData(), text.size()));
    ASSERT_TRUE(borrowed);
    ASSERT_TRUE(once);
    ASSERT_EQ(once->size(), borrowed->size());
    for (qsizetype i = 0; i < once->size(); ++i) {
        ASSERT_EQ(InterchangeTestContacts::listing(*once->at(i)->person),
            InterchangeTestContacts::listing(*borrowed->at(i)->person))
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ReadOnceReaders, testing::ValuesIn(sampleFiles()), sampleName);

// By its last card, the vCard reader holds none of the first mebibytes of
// the text it was handed.
TEST(ReadOnceVCards, HoldNoTextOfTheCardsRead)
{
#if defined(Q_OS_LINUX)
    QString text;
    for (int i = 0; text.size() < 4 * largeUnits; ++i)
        text += u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Family%1;Given;;;\r\nTEL:090-%1\r\nEND:VCARD\r\n"_s.arg(i);
    text = QString(text.constData(), text.size());
    const QChar *const start = text.constData();
    const qsizetype size = text.size();
    qsizetype residentAtLastCard = -1;
    const ContactTablePtr contacts = readOnce(Reader::VCard, std::move(text), [&](bool *, quint64 position) {
        if (qsizetype(position) + 2 >= size)
            residentAtLastCard = residentPages(start + 4096, start + 3 * largeUnits);
    });
    ASSERT_TRUE(contacts);
    EXPECT_GT(contacts->size(), 10000);
    EXPECT_EQ(residentAtLastCard, 0);
#else
    GTEST_SKIP() << "pages are given back on Linux only";
#endif
}

} // namespace
