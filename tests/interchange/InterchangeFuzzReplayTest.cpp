// The corpora of the CSV and the vCard fuzzers of contacts
// (tests/fuzz/corpus/csv and tests/fuzz/corpus/mvvcard), replayed in every
// build: each input must read without a crash, and what it gives must be
// written and read back to the same contacts (for CSV, to the same text).
#include "InterchangeTestContacts.h"

#include "interchange/MVvCard.h"
#include "interchange/QuillmarkCsvReader.h"
#include "model/ContactIdentifier.h"

#include "fuzz/EncodingsFuzzInput.h"
#include "fuzz/FuzzInput.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<QByteArray> corpus(const QString &target)
{
    const QDir folder(QString::fromUtf8(QUILLMARK_FUZZ_CORPUS) + u'/' + target);
    QList<QByteArray> inputs;
    for (const QString &name : folder.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        inputs.append(file.readAll());
    }
    return inputs;
}

// What a contact shows, for comparing a contact with its copy read back.
std::string shown(const ContactTablePtr &contacts)
{
    QStringList lines;
    for (const ContactRecordPtr &contact : *contacts) {
        MVPerson &person = *contact->person;
        lines.append((QStringList{person.compositeName(), person.stringValueForIdentifier(FieldId::Renmei, 0)}
            + InterchangeTestContacts::layoutStrings(person))
                         .join(u'|'));
    }
    return lines.join(u'\n').toStdString();
}

TEST(InterchangeFuzzReplay, EveryCsvInputReadsAndWritesBack)
{
    const QList<QByteArray> inputs = corpus(u"csv"_s);
    ASSERT_GT(inputs.size(), 10);
    const MVvCard converter;
    qsizetype contacts = 0;
    for (const QByteArray &input : inputs) {
        const ContactTablePtr read = converter.contactsFromCSV(FuzzInput::text(input));
        ASSERT_TRUE(read);
        // A foreign file may hold more labels than the three columns of a
        // field; once written, what the layout holds must stay as it is.
        const QString written = converter.csvFromSubContacts(*read);
        const ContactTablePtr again = converter.contactsFromCSV(written);
        EXPECT_EQ(converter.csvFromSubContacts(*again).toStdString(), written.toStdString())
            << input.toHex().left(200).toStdString();
        contacts += read->size();
    }
    EXPECT_GT(contacts, 0);
}

TEST(InterchangeFuzzReplay, EveryVCardInputReadsAndWritesBack)
{
    const QList<QByteArray> inputs = corpus(u"mvvcard"_s);
    ASSERT_GT(inputs.size(), 10);
    const MVvCard converter;
    const vCardExportOptions options{u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s};
    qsizetype contacts = 0;
    for (const QByteArray &input : inputs) {
        const ContainerTablePtr read = converter.containersFromVCards(FuzzInput::text(input), nullptr);
        ASSERT_TRUE(read);
        const ContainerRecordPtr container = read->constFirst();
        const std::optional<QString> written
            = converter.vCardsFromContacts(converter.contactsInContainer(container), options, container);
        ASSERT_TRUE(written);
        const ContainerRecordPtr again = converter.containersFromVCards(*written, nullptr)->constFirst();
        EXPECT_EQ(shown(converter.contactsInContainer(again)), shown(converter.contactsInContainer(container)))
            << input.toHex().left(200).toStdString();
        contacts += converter.contactsInContainer(container)->size();
    }
    EXPECT_GT(contacts, 0);
}

// The older CSV document layout: every input reads, and no contact it gives
// is empty.
TEST(InterchangeFuzzReplay, EveryOwnCsvInputReads)
{
    const QList<QByteArray> inputs = corpus(u"owncsv"_s);
    ASSERT_GE(inputs.size(), 3);
    for (const QByteArray &input : inputs) {
        const QuillmarkCsvReader::Result result = QuillmarkCsvReader::contactsFromQuillmarkCSV(FuzzInput::text(input));
        ASSERT_TRUE(result.contacts);
        for (const ContactRecordPtr &contact : std::as_const(*result.contacts))
            EXPECT_TRUE(contact && contact->person) << input.toHex().left(200).toStdString();
    }
}

// The encoding chooser's short list always offers UTF-8, whatever is stored
// and whatever the languages; a file read in a chosen encoding is read in
// that one, and one left to recognition in one of the list.
TEST(InterchangeFuzzReplay, EveryEncodingsInputKeepsUtf8AndReadsInTheEncodingChosen)
{
    const QList<QByteArray> inputs = corpus(u"encodings"_s);
    ASSERT_GE(inputs.size(), 3);
    for (const QByteArray &input : inputs) {
        const EncodingsFuzzInput::Run run = EncodingsFuzzInput::run(input);
        const std::string shown = input.toHex().left(200).toStdString();
        EXPECT_TRUE(run.shortList.contains(u"Unicode (UTF-8)"_s)) << shown;
        if (!run.decoded.ok())
            continue;
        if (run.encoding != TextEncodingTable::Automatic)
            EXPECT_EQ(run.decoded.encoding, run.encoding) << shown;
        else
            EXPECT_NE(TextEncodingTable::encoding(run.decoded.encoding), nullptr) << shown;
    }
}

} // namespace
