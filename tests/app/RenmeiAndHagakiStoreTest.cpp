#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"
#include "common/TestEnvironment.h"
#include "platform/ApplicationPaths.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace {

[[nodiscard]] QString scratchFile(const QString &name)
{
    return TestEnvironment::makeScratchFolder(QUuid::createUuid().toString(QUuid::WithoutBraces)) + u'/' + name;
}

[[nodiscard]] QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

[[nodiscard]] RenmeiAndHagakiRecord recordWithRenmei(const QString &renmei)
{
    RenmeiAndHagakiRecord record;
    record.renmei = renmei;
    return record;
}

[[nodiscard]] MVPersonPtr personWithAddresses(const QList<std::pair<QString, QString>> &labelsAndStreets)
{
    auto person = std::make_shared<MVPerson>();
    qint64 labelIndex = 0;
    for (const auto &[label, street] : labelsAndStreets) {
        auto address = std::make_shared<LabeledValueRecord>();
        address->label = label;
        address->street = street;
        address->labelIndex = labelIndex++;
        person->addressValues()->append(address);
    }
    (void)person->addressValues(); // brings the one-line texts in line with the parts
    return person;
}

} // namespace

class RenmeiAndHagakiFileTest : public testing::Test {
protected:
    QString m_path = scratchFile(RenmeiAndHagakiStore::fileName());
    RenmeiAndHagakiStore m_store{nullptr, m_path};
};

TEST_F(RenmeiAndHagakiFileTest, MissingFileIsAFirstStartThatLogsNothing)
{
    LoggedMessages log;
    EXPECT_FALSE(m_store.restoreRenmeiAndHagakiContainers().has_value());
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST_F(RenmeiAndHagakiFileTest, SaveMergesWithTheStoredRecords)
{
    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers({{QStringLiteral("local"),
        {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("old A"))},
            {QStringLiteral("B"), recordWithRenmei(QStringLiteral("B"))},
            {QStringLiteral("C"), recordWithRenmei(QStringLiteral("C"))}}}}));

    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers({{QStringLiteral("local"),
        {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("new A"))},
            {QStringLiteral("C"), RenmeiAndHagakiRecord()}}}}));

    const auto stored = m_store.restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    const RenmeiAndHagakiRecords expected{{QStringLiteral("A"), recordWithRenmei(QStringLiteral("new A"))},
        {QStringLiteral("B"), recordWithRenmei(QStringLiteral("B"))}};
    EXPECT_EQ(stored->value(QStringLiteral("local")), expected);
}

TEST_F(RenmeiAndHagakiFileTest, FileIsReadableByItsOwnerOnly)
{
    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(
        {{QStringLiteral("local"), {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A"))}}}}));
    EXPECT_EQ(QFile::permissions(m_path) & ~(QFile::ReadUser | QFile::WriteUser), QFile::ReadOwner | QFile::WriteOwner);
}

// Ways a side file can be unreadable.
enum class Damage { None, Empty, Truncated, Garbage, UnknownVersion, OtherMagic, TrailingBytes, HugeCount, BadFlag };

// The bytes of a side file holding one record, damaged as asked.
[[nodiscard]] QByteArray damagedFile(Damage damage)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_0);
    const quint32 magic = damage == Damage::OtherMagic ? 0x12345678 : 0x514D5248;
    const quint32 version = damage == Damage::UnknownVersion ? 3 : 1;
    const quint32 entries = damage == Damage::HugeCount ? 0x7fffffff : 1;
    const quint8 flag = damage == Damage::BadFlag ? 7 : 1;
    stream << magic << version << quint32(1) << QStringLiteral("local") << quint32(1) << QStringLiteral("A") << flag
           << QStringLiteral("Hanako") << entries << QStringLiteral("home") << QStringLiteral("1-2-3 Ginza")
           << QStringLiteral("1;");
    switch (damage) {
    case Damage::Empty:
        return {};
    case Damage::Truncated:
        return bytes.left(bytes.size() - 5);
    case Damage::Garbage:
        return QByteArray("\x89PNG\r\n\x1a\n binary", 15);
    case Damage::TrailingBytes:
        return bytes + QByteArray("more");
    default:
        return bytes;
    }
}

// A file that can't be read back yields nothing, is logged, and is kept as a
// copy beside the whole file the next save writes.
class UnreadableSideFileTest : public RenmeiAndHagakiFileTest, public testing::WithParamInterface<Damage> { };

TEST_P(UnreadableSideFileTest, LoadsNothingLogsAnErrorAndIsKeptBesideTheNextFile)
{
    const QByteArray damaged = damagedFile(GetParam());
    writeBytes(m_path, damaged);
    {
        LoggedMessages log;
        EXPECT_FALSE(m_store.restoreRenmeiAndHagakiContainers().has_value());
        EXPECT_TRUE(log.contains(QStringLiteral(": ERROR ")));
    }

    ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(
        {{QStringLiteral("local"), {{QStringLiteral("B"), recordWithRenmei(QStringLiteral("B"))}}}}));

    const QStringList copies = ApplicationPaths::backupCopies(m_path);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(bytesOf(copies.first()), damaged);
    const auto stored = m_store.restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->value(QStringLiteral("local")).keys(), QStringList{QStringLiteral("B")});
}

INSTANTIATE_TEST_SUITE_P(SideFiles, UnreadableSideFileTest,
    testing::Values(Damage::Empty, Damage::Truncated, Damage::Garbage, Damage::UnknownVersion, Damage::OtherMagic,
        Damage::TrailingBytes, Damage::HugeCount, Damage::BadFlag));

TEST_F(RenmeiAndHagakiFileTest, EachDamagedFileIsKeptUnderANameOfItsOwnAndTheNewestFiveStay)
{
    QByteArrayList damaged;
    for (int i = 0; i < 7; ++i) {
        damaged.append("damaged side file " + QByteArray::number(i));
        writeBytes(m_path, damaged.last());
        ASSERT_TRUE(m_store.saveRenmeiAndHagakiContainers(
            {{QStringLiteral("local"), {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A"))}}}}));
    }

    const QDir folder = QFileInfo(m_path).absoluteDir();
    QByteArrayList kept;
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
        if (folder.filePath(name) != m_path)
            kept.append(bytesOf(folder.filePath(name)));
    }
    EXPECT_EQ(kept, damaged.mid(2));
}

TEST_F(RenmeiAndHagakiFileTest, UndamagedFileOfTheSameLayoutReadsBack)
{
    writeBytes(m_path, damagedFile(Damage::None));
    const auto stored = m_store.restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    RenmeiAndHagakiRecord expected = recordWithRenmei(QStringLiteral("Hanako"));
    expected.hagakiArray = {{QStringLiteral("home"), QStringLiteral("1-2-3 Ginza"), QStringLiteral("1;")}};
    EXPECT_EQ(stored->value(QStringLiteral("local")).value(QStringLiteral("A")), expected);
}

// Records of a wrong shape are refused whole.
class RecordShapeTest : public testing::TestWithParam<QVariantMap> { };

TEST_P(RecordShapeTest, RecordOfAWrongShapeIsRefused)
{
    EXPECT_FALSE(RenmeiAndHagakiRecord::fromVariantMap(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(SideRecords, RecordShapeTest,
    testing::Values(QVariantMap{{QStringLiteral("Renmei"), QVariantList{QStringLiteral("Hanako")}}},
        QVariantMap{{QStringLiteral("HagakiArray"), QStringLiteral("1;")}},
        QVariantMap{{QStringLiteral("HagakiArray"), QVariantList{QStringLiteral("1;")}}},
        QVariantMap{{QStringLiteral("HagakiArray"),
            QVariantList{QVariantMap{{QStringLiteral("Label"), QStringLiteral("home")},
                {QStringLiteral("LayoutString"), QStringLiteral("1;")}}}}}));

TEST(RenmeiAndHagakiRecord, JointNamesWithoutAddressGiveARecordOfJointNamesOnly)
{
    MVPerson person;
    person.stringValues()->setEntry(FieldId::Renmei, QStringLiteral("Hanako"));
    const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(person);
    EXPECT_EQ(record.toVariantMap(), (QVariantMap{{QStringLiteral("Renmei"), QStringLiteral("Hanako")}}));
}

TEST(RenmeiAndHagakiRecord, LayoutsRoundTripByLabelAndAddressText)
{
    const MVPersonPtr saved = personWithAddresses({{QStringLiteral("home"), QStringLiteral("1-2-3 Ginza")},
        {QStringLiteral("work"), QStringLiteral("4-5-6 Umeda")}});
    saved->addressValues()->at(1)->layout.renmei = true;
    saved->addressValues()->at(1)->layout.senderAddress = QStringLiteral("{{1,2},{3,4}}");
    const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*saved);
    ASSERT_EQ(record.hagakiArray.size(), 2);
    EXPECT_EQ(record.hagakiArray.at(1).label, QStringLiteral("work"));
    EXPECT_EQ(record.hagakiArray.at(1).addressString, saved->addressValues()->at(1)->stringValue);
    EXPECT_EQ(record.hagakiArray.at(1).layoutString, QStringLiteral("4;sa:{{1.00,2.00},{3.00,4.00}};"));

    // The same addresses in another order still find their layouts.
    const MVPersonPtr loaded = personWithAddresses({{QStringLiteral("work"), QStringLiteral("4-5-6 Umeda")},
        {QStringLiteral("home"), QStringLiteral("1-2-3 Ginza")}});
    RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(record, *loaded);
    EXPECT_TRUE(loaded->addressValues()->at(0)->layout.printsRenmei());
    EXPECT_EQ(loaded->addressValues()->at(0)->layout.senderAddress, QStringLiteral("{{1.00,2.00},{3.00,4.00}}"));
    EXPECT_FALSE(loaded->addressValues()->at(1)->layout.printsRenmei());
}

TEST(RenmeiAndHagakiRecord, AddressWhoseTextChangedNoLongerFindsItsLayout)
{
    const MVPersonPtr saved = personWithAddresses({{QStringLiteral("home"), QStringLiteral("1-2-3 Ginza")}});
    saved->addressValues()->first()->layout.sender = true;
    const RenmeiAndHagakiRecord record = RenmeiAndHagakiStore::makeRenmeiAndHagakiDict(*saved);

    const MVPersonPtr moved = personWithAddresses({{QStringLiteral("home"), QStringLiteral("7-8-9 Ginza")}});
    RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(record, *moved);
    EXPECT_TRUE(moved->addressValues()->first()->layout.isUnset());
}

TEST(RenmeiAndHagakiRecord, TwoEqualAddressesBothTakeTheFirstMatchingLayout)
{
    RenmeiAndHagakiRecord record;
    const MVPersonPtr person = personWithAddresses({{QStringLiteral("home"), QStringLiteral("1-2-3 Ginza")},
        {QStringLiteral("home"), QStringLiteral("1-2-3 Ginza")}});
    const QString text = person->addressValues()->first()->stringValue;
    record.hagakiArray
        = {{QStringLiteral("home"), text, QStringLiteral("1;")}, {QStringLiteral("home"), text, QStringLiteral("2;")}};
    RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(record, *person);
    for (const LabeledValueRecordPtr &address : std::as_const(*person->addressValues())) {
        EXPECT_TRUE(address->layout.printsSender());
        EXPECT_FALSE(address->layout.printsCompany());
    }
}

TEST(RenmeiAndHagakiKeyValueStore, EmptyRecordRemovesTheEntryAndOtherEntriesStay)
{
    KeyValueStore keyValueStore(scratchFile(QStringLiteral("KeyValueStore.json")));
    keyValueStore.setObject(QStringLiteral("someone else's"), QStringLiteral("other"));
    RenmeiAndHagakiStore store(&keyValueStore, scratchFile(RenmeiAndHagakiStore::fileName()));
    store.keyValueSaveRenmeiAndHagaki(
        {{QStringLiteral("local"), {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A"))}}}});
    ASSERT_EQ(store.keyValueRestoreValueForKey(QStringLiteral("A")), recordWithRenmei(QStringLiteral("A")));

    store.keyValueSaveRenmeiAndHagaki({{QStringLiteral("local"), {{QStringLiteral("A"), RenmeiAndHagakiRecord()}}}});

    EXPECT_FALSE(keyValueStore.objectForKey(QStringLiteral("A")).isValid());
    EXPECT_EQ(keyValueStore.stringForKey(QStringLiteral("other")), QStringLiteral("someone else's"));
}

// Saves stamped for the store's generations, the store taking some of them:
// what each reads for a generation, in the file and in the key-value store.
class RenmeiAndHagakiGenerationTest : public testing::Test {
protected:
    // Joint names per contact of "local", read for the generation from the
    // file and from the key-value store alone.
    [[nodiscard]] std::pair<QStringList, QStringList> renmeiAt(qint64 generation) const
    {
        QStringList fromFile;
        QStringList fromKeyValueStore;
        const RenmeiAndHagakiRecords file = m_store.restoreRenmeiAndHagakiContainers(generation)
                                                .value_or(RenmeiAndHagakiContainers())
                                                .value(QStringLiteral("local"));
        const RenmeiAndHagakiStore::KeyValueView entries = m_store.keyValueRestoreForGeneration(generation);
        for (const QString &contact : {QStringLiteral("A"), QStringLiteral("B")}) {
            fromFile.append(file.value(contact).renmei.value_or(QString()));
            fromKeyValueStore.append(
                entries.valueForKey(contact).value_or(RenmeiAndHagakiRecord()).renmei.value_or(QString()));
        }
        return {fromFile, fromKeyValueStore};
    }

    void save(qint64 baseGeneration, const RenmeiAndHagakiRecords &records)
    {
        ASSERT_TRUE(m_store.saveForStoreGeneration({{QStringLiteral("local"), records}}, baseGeneration));
    }

    QString m_keyValuePath = scratchFile(QStringLiteral("KeyValueStore.json"));
    std::unique_ptr<KeyValueStore> m_keyValueStore = std::make_unique<KeyValueStore>(m_keyValuePath);
    RenmeiAndHagakiStore m_store{m_keyValueStore.get(), scratchFile(RenmeiAndHagakiStore::fileName())};
};

TEST_F(RenmeiAndHagakiGenerationTest, ASaveTheStoreNeverTookReadsAsNotMadeAndTheNextSaveTakesItBack)
{
    save(0,
        {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A1"))},
            {QStringLiteral("B"), recordWithRenmei(QStringLiteral("B1"))}});
    save(1, {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A2"))}, {QStringLiteral("B"), {}}});
    const QStringList first{QStringLiteral("A1"), QStringLiteral("B1")};
    EXPECT_EQ(renmeiAt(1), std::pair(first, first));
    const QStringList second{QStringLiteral("A2"), QString()};
    EXPECT_EQ(renmeiAt(2), std::pair(second, second));

    // Saved again for the same generation, without B: B's unsaved change is gone.
    save(1, {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A3"))}});
    const QStringList third{QStringLiteral("A3"), QStringLiteral("B1")};
    EXPECT_EQ(renmeiAt(2), std::pair(third, third));
}

TEST_F(RenmeiAndHagakiGenerationTest, AKeyValueStoreLaggingBehindIsNotReadAndIsWrittenAgainFromTheFile)
{
    save(0,
        {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A1"))},
            {QStringLiteral("B"), recordWithRenmei(QStringLiteral("B1"))}});
    ASSERT_TRUE(QFile::copy(m_keyValuePath, m_keyValuePath + QStringLiteral(".1")));
    save(1, {{QStringLiteral("B"), recordWithRenmei(QStringLiteral("B2"))}});
    m_keyValueStore.reset();
    ASSERT_TRUE(QFile::remove(m_keyValuePath));
    ASSERT_TRUE(QFile::rename(m_keyValuePath + QStringLiteral(".1"), m_keyValuePath));
    m_keyValueStore = std::make_unique<KeyValueStore>(m_keyValuePath);
    RenmeiAndHagakiStore store(m_keyValueStore.get(), m_store.filePath());

    EXPECT_FALSE(store.keyValueRestoreForGeneration(2).valueForKey(QStringLiteral("B")));

    ASSERT_TRUE(store.saveForStoreGeneration(
        {{QStringLiteral("local"), {{QStringLiteral("A"), recordWithRenmei(QStringLiteral("A4"))}}}}, 2));
    EXPECT_EQ(
        store.keyValueRestoreForGeneration(3).valueForKey(QStringLiteral("A")), recordWithRenmei(QStringLiteral("A4")));
    EXPECT_EQ(
        store.keyValueRestoreForGeneration(3).valueForKey(QStringLiteral("B")), recordWithRenmei(QStringLiteral("B2")));
}
