#include "platform/KeyValueStore.h"

#include "common/TestEnvironment.h"
#include "common/LoggedMessages.h"
#include "VariantPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <iostream>
#include <memory>
#include <thread>

namespace {

QString freshPath()
{
    return TestEnvironment::makeScratchFolder(QStringLiteral("key-value")) + QStringLiteral("/KeyValueStore.json");
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
        const qint64 round = reread.objectForKey(QStringLiteral("round")).toLongLong();
        ASSERT_GT(round, 0);
        EXPECT_EQ(reread.dictionaryRepresentation(), writerState(round));
    }
}

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

TEST(KeyValueStoreWriting, FailedWriteKeepsTheChangesPendingAndReportsUnavailable)
{
    const QString folder = TestEnvironment::makeScratchFolder(QStringLiteral("key-value-blocked"));
    const QString blocker = folder + QStringLiteral("/not-a-folder");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("file") == 4);
    file.close();
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
