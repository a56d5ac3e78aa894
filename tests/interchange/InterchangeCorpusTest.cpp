// Files written by other programs, read as the import commands read them:
// decoded in their encoding first, then converted.
#include "InterchangeTestContacts.h"

#include "common/TestEnvironment.h"
#include "interchange/MVvCard.h"
#include "interchange/TextFileDecoder.h"
#include "model/ContactIdentifier.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"
#include "model/HagakiLayoutString.h"

#include <gtest/gtest.h>

#include <QFile>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CorpusFile {
    QString path; // under tests/data
    QString encoding;
};

// The files of one tests/data folder with their encodings, from its SOURCES.tsv.
std::vector<CorpusFile> corpusFiles(const QString &folder)
{
    std::vector<CorpusFile> files;
    QFile sources(TestEnvironment::dataPath(folder + u"/SOURCES.tsv"_s));
    if (!sources.open(QIODevice::ReadOnly | QIODevice::Text))
        return files;
    sources.readLine();
    while (!sources.atEnd()) {
        const QStringList columns = QString::fromUtf8(sources.readLine()).trimmed().split(u'\t');
        if (columns.size() >= 7)
            files.push_back({columns.first(), columns.last()});
    }
    return files;
}

// Read "Automatic" in an English interface: each file must come out in the
// encoding it was written in.
QString readAutomatically(const QString &path, const QString &encoding)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English));
    const TextFileDecoder::Result read = TextFileDecoder::readTextFile(TestEnvironment::dataPath(path), 0);
    QLocale::setDefault(previous);
    EXPECT_TRUE(read.ok()) << qPrintable(read.errorDescription);
    EXPECT_EQ(read.charset(), encoding) << qPrintable(path);
    EXPECT_FALSE(read.text.startsWith(QChar(0xFEFF)));
    return read.text;
}

std::string testName(const testing::TestParamInfo<CorpusFile> &info)
{
    std::string name = info.param.path.section(u'/', 1).section(u'.', 0, 0).toStdString();
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

// --- vCard ------------------------------------------------------------------

class VCardCorpus : public testing::TestWithParam<CorpusFile> { };

// Cut into cards, every file gives the contacts that the store's reader finds
// in it as a whole, with the same values.
TEST_P(VCardCorpus, ReadsWithItsDataInPlace)
{
    const QString text = readAutomatically(GetParam().path, GetParam().encoding);
    const QList<StoreContact> whole = ContactVCardSerialization::contactsWithData(text);
    ASSERT_FALSE(whole.isEmpty());
    QList<quint64> positions;
    const ContainerTablePtr containers = MVvCard().containersFromVCards(
        text, nullptr, [&positions](bool *, quint64 position) { positions.append(position); });
    ASSERT_TRUE(containers);
    const ContactTablePtr contacts = MVvCard().contactsInContainer(containers->constFirst());
    ASSERT_EQ(contacts->size(), whole.size());
    EXPECT_EQ(positions.size(), whole.size());
    for (qsizetype i = 0; i < whole.size(); ++i) {
        SCOPED_TRACE(i);
        const MVPersonPtr expected = MVPerson::initWithCNContact(whole.at(i));
        InterchangeTestContacts::expectSameValues(*expected, *contacts->at(i)->person);
        EXPECT_EQ(contacts->at(i)->person->photo().size(), expected->photo().size());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, VCardCorpus, testing::ValuesIn(corpusFiles(u"vcard"_s)), testName);

class VCardRoundTrip : public testing::TestWithParam<CorpusFile> { };

ContactTablePtr contactsOfCards(const QString &text, const QString &charset)
{
    const ContainerTablePtr containers = MVvCard().containersFromVCards(text, charset, nullptr);
    return containers ? MVvCard().contactsInContainer(containers->constFirst()) : nullptr;
}

// What the files can't carry: joint names and a postcard layout of its own
// on every address, each on its own line when written.
void addOwnValues(MVPerson &person, qsizetype row)
{
    person.setValue(u"山田花子\n山田一郎 %1"_s.arg(row), FieldId::Renmei);
    const LabeledValueListPtr addresses = person.labeledValues(FieldId::Address);
    for (qsizetype i = 0; addresses && i < addresses->size(); ++i) {
        LabeledValueRecord address = *addresses->at(i);
        HagakiLayoutString::parse(u"%1;ra:{{%2.25,20.50},{30.75,40.00}};"_s.arg(i % 8).arg(10 + i), *address.layout);
        person.replaceLabeledValueAtIndex(address, FieldId::Address, i);
    }
}

// Exported with every own property and imported again as the commands do,
// each contact keeps every value, label, joint name, address layout and the
// pixels of its photo; a contact without a photo gets none.
TEST_P(VCardRoundTrip, ExportedAndReadAgainEveryContactIsEqual)
{
    const ContactTablePtr read
        = contactsOfCards(readAutomatically(GetParam().path, GetParam().encoding), GetParam().encoding);
    ASSERT_TRUE(read);
    ASSERT_FALSE(read->isEmpty());
    for (qsizetype i = 0; i < read->size(); ++i)
        addOwnValues(*read->at(i)->person, i);
    auto all = std::make_shared<GroupRecord>();
    all->name = u"All Contacts"_s;
    all->top = true;
    all->contactTable = read;
    auto container = std::make_shared<ContainerRecord>();
    container->groups->append(all);
    const vCardExportOptions options{
        vCardExportOption::Note, vCardExportOption::Photo, vCardExportOption::Renmei, vCardExportOption::HagakiLayout};
    const std::optional<QString> written = MVvCard().vCardsFromContacts(read, options, container);
    ASSERT_TRUE(written);
    const ContactTablePtr again = contactsOfCards(*written, u"UTF-8"_s);
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), read->size());
    for (qsizetype i = 0; i < read->size(); ++i) {
        SCOPED_TRACE(i);
        MVPerson &before = *read->at(i)->person;
        MVPerson &after = *again->at(i)->person;
        InterchangeTestContacts::expectSameValues(before, after);
        EXPECT_EQ(InterchangeTestContacts::layoutStrings(after), InterchangeTestContacts::layoutStrings(before));
        if (before.photo().isNull())
            EXPECT_TRUE(after.photo().isNull());
        else // a JPEG encoded again: its sharpest edges move furthest
            InterchangeTestContacts::expectSamePicture(before.photo(), after.photo(), 48);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, VCardRoundTrip, testing::ValuesIn(corpusFiles(u"vcard"_s)), testName);

TEST(VCardCorpus, JapaneseNamesComeOutInTheirScript)
{
    for (const auto &[file, family, given] : {std::tuple{"aosp__v21_japanese_1.vcf", u"安藤ロイド"_s, QString()},
             {"aosp__v30_japanese.vcf", u"伊能"_s, u"圭一"_s}}) {
        const QString text = readAutomatically(u"vcard/"_s + QLatin1StringView(file), u"Shift_JIS"_s);
        const ContactTablePtr contacts
            = MVvCard().contactsInContainer(MVvCard().containersFromVCards(text, nullptr)->constFirst());
        ASSERT_FALSE(contacts->isEmpty()) << file;
        MVPerson &person = *contacts->constFirst()->person;
        EXPECT_EQ(person.stringValueForIdentifier(FieldId::LastName, 0), family) << file;
        EXPECT_EQ(person.stringValueForIdentifier(FieldId::FirstName, 0), given) << file;
    }
}

// --- CSV --------------------------------------------------------------------

// Foreign headers map the columns whose words are known; header lines and
// rows that map to nothing give no contact. Listed: the number of contacts,
// then the first one's given name, family name and first e-mail.
TEST(CsvCorpus, EveryFileReadsInItsEncodingAndMapsKnownColumnsWithoutJunkContacts)
{
    const QMap<QString, QString> expected{{u"basic_addressbook"_s, u"1 John|Doe|johndoe@host.invalid"_s},
        {u"shiftjis_addressbook"_s, u"1 権兵衛|名無し|名無しの権兵衛@host.invalid"_s},
        {u"quote"_s, u"1 |Acer America|"_s}, {u"export"_s, u"2 contact|one|contact1@invalid"_s},
        {u"csv_semicolon"_s, u"2 John|Doe|john@doe.invalid"_s}, {u"tab_comma_mixed"_s, u"0"_s}};
    QMap<QString, QString> listed;
    for (const CorpusFile &file : corpusFiles(u"csv"_s)) {
        const ContactTablePtr contacts = MVvCard().contactsFromCSV(readAutomatically(file.path, file.encoding));
        ASSERT_TRUE(contacts) << qPrintable(file.path);
        const QString name = file.path.section(u'/', 1).section(u'.', 0, 0).remove(u"thunderbird__"_s);
        QString &line = listed[name] = QString::number(contacts->size());
        if (contacts->isEmpty())
            continue;
        MVPerson &person = *contacts->constFirst()->person;
        const LabeledValueRecordPtr email = person.labeledValueForIdentifierAtIndex(FieldId::Email, 0);
        line += u' ' + person.stringValueForIdentifier(FieldId::FirstName, 0) + u'|'
            + person.stringValueForIdentifier(FieldId::LastName, 0) + u'|' + (email ? email->valueText() : QString());
    }
    for (auto entry = expected.cbegin(); entry != expected.cend(); ++entry)
        EXPECT_EQ(listed.value(entry.key()).toStdString(), entry.value().toStdString()) << qPrintable(entry.key());
}

TEST(CsvCorpus, QuotedCellsOfAnExportKeepTheirLineBreaksAndQuotes)
{
    const ContactTablePtr contacts
        = MVvCard().contactsFromCSV(readAutomatically(u"csv/thunderbird__export.csv"_s, u"UTF-8"_s));
    ASSERT_EQ(contacts->size(), 2);
    MVPerson &second = *contacts->at(1)->person;
    EXPECT_EQ(second.stringValueForIdentifier(FieldId::JobTitle, 0), u"\"worker\""_s);
    EXPECT_EQ(second.stringValueForIdentifier(FieldId::Note, 0), u"here's some unicode text…"_s);
}

} // namespace
