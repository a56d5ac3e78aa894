#include "platform/KeyValueStore.h"
#include "platform/ApplicationPaths.h"

#include "common/TestEnvironment.h"
#include "common/LoggedMessages.h"
#include "VariantPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <iostream>
#include <memory>
#include <thread>

namespace {

QString freshPath()
{
    return TestEnvironment::makeScratchFolder(QStringLiteral("key-value")) + QStringLiteral("/KeyValueStore.json");
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The complete state of round n of the writer: large, nested, and with a key
// set that changes from round to round.
QVariantMap writerState(qint64 round)
{
    QVariantMap state{
        {QStringLiteral("round"), round},
        {QStringLiteral("blob"), QByteArray(3 * 1024 * 1024, char('a' + round % 26))},
        {QStringLiteral("contact-") + QString::number(round % 5),
            QVariantMap{{QStringLiteral("Renmei"), QStringLiteral("花子\n太郎 %1").arg(round)},
                {QStringLiteral("HagakiArray"),
                    QVariantList{QVariantMap{
                        {QStringLiteral("LayoutString"), QString(200000, QChar(char16_t(u'0' + round % 10)))}}}}}},
    };
    return state;
}

void applyState(KeyValueStore &store, const QVariantMap &state)
{
    for (const QString &key : store.dictionaryRepresentation().keys()) {
        if (!state.contains(key))
            store.removeObjectForKey(key);
    }
    for (auto it = state.cbegin(); it != state.cend(); ++it)
        store.setObject(it.value(), it.key());
}

const char writerVariable[] = "QUILLMARK_KEY_VALUE_WRITER";

// Waits until the writer child reports its first complete write.
bool waitForFirstWrite(QProcess &writer)
{
    QByteArray output;
    while (!output.contains("written ")) {
        if (!writer.waitForReadyRead(30000))
            return false;
        output += writer.readAllStandardOutput();
    }
    return true;
}

} // namespace

// The writer that the crash test runs as a child and kills: with the variable
// set it writes round after round until it is killed; without it, a few
// rounds, each read back whole by a fresh store.
TEST(KeyValueStoreWriter, EverySynchronizeLeavesTheWholeStateInTheFile)
{
    const QString childPath = qEnvironmentVariable(writerVariable);
    const bool isChild = !childPath.isEmpty();
    const QString path = isChild ? childPath : freshPath();
    KeyValueStore store(path);
    for (qint64 round = 1; isChild || round <= 3; ++round) {
        applyState(store, writerState(round));
        ASSERT_TRUE(store.synchronize());
        if (isChild) {
            std::cout << "written " << round << std::endl;
            continue;
        }
        const KeyValueStore reread(path);
        EXPECT_EQ(reread.dictionaryRepresentation(), writerState(round));
    }
}

TEST(KeyValueStoreCrash, WriterKilledAtRandomMomentsLeavesTheLastCompleteFile)
{
    const QString path = freshPath();
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(writerVariable), path);
    // The child's own temporary folder, left behind by the kill, stays inside ours.
    environment.insert(QStringLiteral("TMPDIR"), TestEnvironment::makeScratchFolder(QStringLiteral("writer-tmp")));

    for (int kill = 0; kill < 8; ++kill) {
        SCOPED_TRACE(kill);
        QProcess writer;
        writer.setProcessEnvironment(environment);
        writer.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=KeyValueStoreWriter.EverySynchronizeLeavesTheWholeStateInTheFile")});
        ASSERT_TRUE(writer.waitForStarted());
        ASSERT_TRUE(waitForFirstWrite(writer)) << writer.errorString().toStdString() << " exit " << writer.exitCode()
                                               << writer.readAllStandardError().toStdString();
        QTest::qWait(int(random.bounded(80)));
        writer.kill();
        writer.waitForFinished();

        const KeyValueStore reread(path);
        const qint64 round = reread.longLongForKey(QStringLiteral("round"));
        ASSERT_GT(round, 0);
        EXPECT_EQ(reread.dictionaryRepresentation(), writerState(round));
    }
}

// A value stored, synchronized and read back by a fresh store.
struct ValueRow {
    const char *label;
    QVariant value;
};

class KeyValueStoreRoundTrip : public testing::TestWithParam<ValueRow> { };

TEST_P(KeyValueStoreRoundTrip, ComesBackWholeFromTheFile)
{
    const QString path = freshPath();
    {
        KeyValueStore store(path);
        store.setObject(GetParam().value, QStringLiteral("6A2F1C-uniqueId"));
        ASSERT_TRUE(store.synchronize());
    }
    const KeyValueStore reread(path);
    EXPECT_EQ(reread.objectForKey(QStringLiteral("6A2F1C-uniqueId")), GetParam().value);
    EXPECT_EQ(reread.objectForKey(QStringLiteral("6A2F1C-uniqueId")).typeId(), GetParam().value.typeId());
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyValueStoreRoundTrip,
    testing::Values(ValueRow{"string", QStringLiteral("山田 花子\n\"quoted\"")},
        ValueRow{"integer", QVariant::fromValue<qlonglong>(-42)}, ValueRow{"double", 0.1}, ValueRow{"boolean", true},
        ValueRow{"data", QByteArray("\x00\x01\xfe\xff", 4)},
        ValueRow{"side_record",
            QVariantMap{{QStringLiteral("Renmei"), QStringLiteral("太郎")},
                {QStringLiteral("HagakiArray"),
                    QVariantList{QVariantMap{{QStringLiteral("Label"), QStringLiteral("_$!<Home>!$_")},
                        {QStringLiteral("AddressString"), QString()},
                        {QStringLiteral("LayoutString"), QStringLiteral("1,0,1")}}}}}},
        ValueRow{"dictionary_that_looks_like_data", QVariantMap{{QStringLiteral("$data"), QStringLiteral("AAAA")}}},
        ValueRow{"dollar_keys", QVariantMap{{QStringLiteral("$$x"), 1}, {QStringLiteral("$"), QVariantList{}}}}),
    [](const testing::TestParamInfo<ValueRow> &info) { return std::string(info.param.label); });

TEST(KeyValueStoreWriting, ChangesOfOneTurnAreWrittenOnceAfterIt)
{
    const QString path = freshPath();
    KeyValueStore store(path);
    store.setObject(QStringLiteral("first"), QStringLiteral("a"));
    store.setObject(QStringLiteral("second"), QStringLiteral("b"));
    store.removeObjectForKey(QStringLiteral("a"));
    EXPECT_FALSE(QFile::exists(path));

    QCoreApplication::processEvents();
    const KeyValueStore reread(path);
    EXPECT_EQ(reread.dictionaryRepresentation(), (QVariantMap{{QStringLiteral("b"), QStringLiteral("second")}}));
}

TEST(KeyValueStoreWriting, UnreadableFileIsLoggedKeptUntilAChangeAndThenBackedUp)
{
    const QString path = freshPath();
    const QByteArray garbage("{\"format\": \"Quillmark key-value store\", \"values\": {\"x\": ");
    writeFile(path, garbage);
    std::unique_ptr<KeyValueStore> store;
    {
        const LoggedMessages warnings;
        store = std::make_unique<KeyValueStore>(path);
        ASSERT_EQ(warnings.lines().size(), 1);
        EXPECT_TRUE(warnings.lines().first().contains(QStringLiteral("ERROR")));
    }
    EXPECT_TRUE(store->dictionaryRepresentation().isEmpty());
    EXPECT_TRUE(store->synchronize());
    QCoreApplication::processEvents();
    EXPECT_EQ(contentsOf(path), garbage);

    store->setObject(7, QStringLiteral("x"));
    ASSERT_TRUE(store->synchronize());
    const QStringList copies = ApplicationPaths::backupCopies(path);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(contentsOf(copies.first()), garbage);
    EXPECT_EQ(KeyValueStore(path).longLongForKey(QStringLiteral("x")), 7);
}

TEST(KeyValueStoreWriting, FailedWriteKeepsTheChangesPendingAndReportsUnavailable)
{
    const QString folder = TestEnvironment::makeScratchFolder(QStringLiteral("key-value-blocked"));
    const QString blocker = folder + QStringLiteral("/not-a-folder");
    writeFile(blocker, "file");
    KeyValueStore store(blocker + QStringLiteral("/KeyValueStore.json"));
    EXPECT_FALSE(store.isAvailable());
    EXPECT_TRUE(KeyValueStore(freshPath()).isAvailable());

    store.setObject(QStringLiteral("value"), QStringLiteral("key"));
    {
        const LoggedMessages warnings;
        EXPECT_FALSE(store.synchronize());
        EXPECT_FALSE(warnings.lines().isEmpty());
    }
    ASSERT_TRUE(QFile::remove(blocker));
    ASSERT_TRUE(QDir().mkpath(blocker));
    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(KeyValueStore(blocker + QStringLiteral("/KeyValueStore.json")).stringForKey(QStringLiteral("key")),
        QStringLiteral("value"));
}

TEST(KeyValueStoreWriting, StoreMadeOnAThreadWithoutEventLoopStillWritesAfterTheTurn)
{
    const QString path = freshPath();
    std::unique_ptr<KeyValueStore> store;
    std::thread loader([&]() {
        store = std::make_unique<KeyValueStore>(path);
        store->setObject(QStringLiteral("太郎"), QStringLiteral("Renmei"));
    });
    loader.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(KeyValueStore(path).stringForKey(QStringLiteral("Renmei")), QStringLiteral("太郎"));
}
