#include "app/RenmeiAndHagakiFile_p.h"
#include "app/RenmeiAndHagakiStore.h"
#include "common/TestEnvironment.h"
#include "interchange/MVvCard.h"
#include "interchange/VCardOwnProperties_p.h"
#include "model/MVPerson.h"
#include "platform/UserDefaults.h"
#include "print/PrintOptionValue.h"
#include "print/PrintOptions.h"
#include "model/HagakiLayoutString.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// Postcard layouts and print options, as the test data stores them, read and
// write back byte for byte: a frame keeps the numbers it was read with, a
// negative size included, and the text is written again from them.
namespace {

[[nodiscard]] QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr QStringView layoutsName = u"X-HAGAKILAYOUTS:";

// The layouts of each X-HAGAKILAYOUTS property of a text, one list a card, as
// the reader takes them apart: one layout a line, a folded one joined again.
[[nodiscard]] QList<QStringList> layoutProperties(const QString &text)
{
    QList<QStringList> properties;
    const QStringList lines = QString(text).remove(u'\r').split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith(layoutsName))
            continue;
        QString property = lines.at(i);
        while (i + 1 < lines.size() && lines.at(i + 1).startsWith(u' '))
            property += u"\r\n"_s + lines.at(++i);
        properties.append(VCardOwnProperties::layoutLines(property, layoutsName.size()));
    }
    return properties;
}

// The vCard files of the test data that carry layouts, by path under tests/data.
[[nodiscard]] QMap<QString, QString> filesWithLayouts()
{
    QMap<QString, QString> files;
    const QString root = TestEnvironment::dataPath(QString());
    QDirIterator it(root, {u"*.vcf"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString text = QString::fromUtf8(fileBytes(path));
        if (!layoutProperties(text).isEmpty())
            files.insert(path.sliced(root.size()), text);
    }
    return files;
}

TEST(StoredLayoutText, EveryXHagakiLayoutsOfTheTestDataIsWrittenBackAsItWasRead)
{
    const QMap<QString, QString> files = filesWithLayouts();
    ASSERT_FALSE(files.isEmpty());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const ContainerTablePtr containers = MVvCard().containersFromVCards(it.value(), nullptr);
        ASSERT_TRUE(containers && !containers->isEmpty()) << it.key().toStdString();
        const ContactTablePtr contacts = MVvCard().contactsInContainer(containers->constFirst());
        const std::optional<QString> written = MVvCard().vCardsFromContacts(contacts, {u"HagakiLayout"_s}, nullptr);
        ASSERT_TRUE(written);
        EXPECT_EQ(layoutProperties(*written), layoutProperties(it.value())) << it.key().toStdString();
    }
}

// Every layout of the test data, kept for a contact in the side store, comes
// back from the side file as the same text, and the file written again from
// what was read is the same file.
TEST(StoredLayoutText, EveryLayoutOfTheTestDataIsWrittenBackByTheSideStore)
{
    RenmeiAndHagakiRecords records;
    QHash<QString, MVPersonPtr> persons;
    for (const QString &text : filesWithLayouts()) {
        for (const QStringList &property : layoutProperties(text)) {
            for (const QString &layout : property) {
                auto person = std::make_shared<MVPerson>();
                auto address = std::make_shared<LabeledValueRecord>();
                address->label = u"home"_s;
                address->address->street = u"1-2-3 Ginza %1"_s.arg(records.size());
                address->labelIndex = 0;
                person->addressValues()->append(address);
                HagakiLayoutString::parse(layout, *address->layout);
                const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*person);
                ASSERT_EQ(record.hagakiArray.size(), 1) << layout.toStdString();
                EXPECT_EQ(record.hagakiArray.constFirst().layoutString, layout);
                persons.insert(u"person-%1"_s.arg(records.size()), person);
                records.insert(u"person-%1"_s.arg(records.size()), record);
            }
        }
    }
    ASSERT_FALSE(records.isEmpty());
    const QByteArray bytes = RenmeiAndHagakiFile::encode({{{u"local"_s, records}}, std::nullopt});
    const std::optional<RenmeiAndHagakiFile::Contents> read = RenmeiAndHagakiFile::decode(bytes, u"test"_s);
    ASSERT_TRUE(read);
    RenmeiAndHagakiRecords again;
    for (const auto &[key, record] : read->containers.value(u"local"_s).asKeyValueRange()) {
        const MVPersonPtr person = persons.value(key);
        ASSERT_TRUE(person);
        person->addressValues()->constFirst()->layout = HagakiLayoutFields();
        RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(record, *person);
        again.insert(key, RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*person));
    }
    EXPECT_EQ(again, records);
    EXPECT_EQ(RenmeiAndHagakiFile::encode({{{u"local"_s, again}}, std::nullopt}), bytes);
}

// The print options as each language starts them, with envelope frames
// placed on two papers (a negative size among them), are stored, read and
// stored again into the same bytes.
TEST(StoredLayoutText, PrintOptionsReadAndWriteBackByteForByte)
{
    const QString folder = TestEnvironment::makeScratchFolder(u"print-options"_s);
    for (const QString &language : {u"ja"_s, u"en"_s}) {
        PrintOptionsRecord record = PrintOptions::initPrintOptions(language);
        QVariantMap envelope = PrintOptionValue::dictionary(record, PrintOptionsKey::Envelope);
        envelope.insert(PrintOptionsKey::RectDicts,
            QVariantMap{{u"Postcard"_s, QVariantMap{{PrintOptionsKey::ReceiverRect, u"{{100, 120}, {80, 200}}"_s}}},
                {u"A4"_s,
                    QVariantMap{{PrintOptionsKey::SenderRectUpDown, u"{{-12.5, 40.25}, {-80, 0.1}}"_s},
                        {PrintOptionsKey::ReceiverRectUpDown, u"{{0, 0}, {0, 0}}"_s}}}});
        record.insert(PrintOptionsKey::Envelope, envelope);

        const QString first = folder + u"/first-"_s + language + u".conf"_s;
        const QString second = folder + u"/second-"_s + language + u".conf"_s;
        {
            UserDefaults defaults(first);
            PrintOptions::storePrintOptions(record, defaults);
            ASSERT_TRUE(defaults.synchronize());
        }
        PrintOptionsRecordPtr read;
        {
            UserDefaults defaults(first);
            read = PrintOptions::loadStoredPrintOptions(defaults);
        }
        ASSERT_TRUE(read) << language.toStdString();
        EXPECT_EQ(*read, record);
        {
            UserDefaults defaults(second);
            PrintOptions::storePrintOptions(*read, defaults);
            ASSERT_TRUE(defaults.synchronize());
        }
        EXPECT_EQ(fileBytes(second), fileBytes(first)) << language.toStdString();
    }
}

} // namespace
