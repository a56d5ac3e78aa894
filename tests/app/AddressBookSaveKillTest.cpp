#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int killsPerLane = 6;
constexpr int laneCount = 5;
constexpr int longestKillDelayMilliseconds = 300;

// One run of the child over the book in folder.
class Child {
public:
    Child(const QString &mode, const QString &folder)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(QUILLMARK_SAVE_KILL_CHILD), {mode, folder});
    }
    ~Child()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The round its load showed; nothing when the load was broken (the
    // reason added to the test's failures) or the child gave no answer.
    std::optional<int> waitForShownRound()
    {
        while (true) {
            const qsizetype end = m_output.indexOf('\n');
            if (end >= 0) {
                const QByteArray line = m_output.left(end);
                m_output.remove(0, end + 1);
                if (line.startsWith("shown "))
                    return line.mid(6).toInt();
                ADD_FAILURE() << line.toStdString();
                return std::nullopt;
            }
            if (!m_process.waitForReadyRead(60000)) {
                ADD_FAILURE() << "no answer from the child: " << m_process.errorString().toStdString();
                return std::nullopt;
            }
            m_output += m_process.readAllStandardOutput();
        }
    }

    // Kills it with SIGKILL; the last round it reported saved, if any.
    std::optional<int> kill()
    {
        m_process.kill();
        m_process.waitForFinished();
        m_output += m_process.readAllStandardOutput();
        std::optional<int> saved;
        for (const QByteArray &line : m_output.split('\n')) {
            if (line.startsWith("saved "))
                saved = line.mid(6).toInt();
            else if (!line.isEmpty())
                ADD_FAILURE() << line.toStdString();
        }
        return saved;
    }

    bool finishedWell() { return m_process.waitForFinished(120000) && m_process.exitCode() == 0; }

private:
    QProcess m_process;
    QByteArray m_output;
};

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(from + u'/' + name, to + u'/' + name));
}

} // namespace

// A save of 1,000 changed contacts of 10,000 killed at random moments: each
// restart shows every contact wholly as before or wholly as after the save,
// its joint names and postcard layout included. The child checks each load;
// here the kills are made and the rounds followed. Lanes of their own books
// run side by side.
TEST(AddressBookSaveKill, EveryRestartShowsEachContactWhollyBeforeOrAfterTheSave)
{
    const QString root = TestEnvironment::makeScratchFolder(u"save-kill"_s);
    {
        Child seeding(u"seed"_s, root + u"/seed"_s);
        ASSERT_TRUE(seeding.finishedWell());
    }
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    std::array<QString, laneCount> folders;
    std::array<int, laneCount> saved{};
    for (int lane = 0; lane < laneCount; ++lane) {
        folders[lane] = root + u"/lane%1"_s.arg(lane);
        copyFolder(root + u"/seed"_s, folders[lane]);
    }

    for (int kill = 0; kill < killsPerLane; ++kill) {
        SCOPED_TRACE(kill);
        std::array<std::unique_ptr<Child>, laneCount> children;
        for (int lane = 0; lane < laneCount; ++lane)
            children[lane] = std::make_unique<Child>(u"run"_s, folders[lane]);
        for (int lane = 0; lane < laneCount; ++lane) {
            const std::optional<int> shown = children[lane]->waitForShownRound();
            ASSERT_TRUE(shown);
            // The save under way at the kill may or may not have been taken.
            EXPECT_TRUE(*shown == saved[lane] || *shown == saved[lane] + 1) << *shown << " after " << saved[lane];
            saved[lane] = *shown;
        }
        QTest::qWait(int(random.bounded(longestKillDelayMilliseconds)));
        for (int lane = 0; lane < laneCount; ++lane)
            saved[lane] = children[lane]->kill().value_or(saved[lane]);
    }
    for (int lane = 0; lane < laneCount; ++lane) {
        Child check(u"check"_s, folders[lane]);
        const std::optional<int> shown = check.waitForShownRound();
        ASSERT_TRUE(shown);
        EXPECT_TRUE(*shown == saved[lane] || *shown == saved[lane] + 1);
        EXPECT_TRUE(check.finishedWell());
    }
}
