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

// One run of the child over the book in a folder; a line it prints that is
// not the one awaited is a failure of the test.
class Child {
public:
    Child(const QString &mode, const QString &folder)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(QUILLMARK_SAVE_KILL_CHILD), {mode, folder});
    }
    ~Child() { kill(); }

    // The round its load showed; nothing when the load was broken or the
    // child gave no answer.
    std::optional<int> waitForShownRound()
    {
        while (!m_output.contains('\n')) {
            if (!m_process.waitForReadyRead(60000)) {
                ADD_FAILURE() << "no answer from the child: " << m_process.errorString().toStdString();
                return std::nullopt;
            }
            m_output += m_process.readAllStandardOutput();
        }
        const QByteArray line = m_output.left(m_output.indexOf('\n'));
        m_output.remove(0, line.size() + 1);
        if (line.startsWith("shown "))
            return line.mid(6).toInt();
        ADD_FAILURE() << line.toStdString();
        return std::nullopt;
    }

    // Kills it with SIGKILL; the last round it reported saved, if any.
    std::optional<int> kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return std::nullopt;
        m_process.kill();
        m_process.waitForFinished();
        std::optional<int> saved;
        m_output += m_process.readAllStandardOutput();
        for (const QByteArray &line : m_output.split('\n')) {
            if (line.startsWith("saved "))
                saved = line.mid(6).toInt();
            else if (!line.isEmpty())
                ADD_FAILURE() << line.toStdString();
        }
        m_output.clear();
        return saved;
    }

    bool finishedWell() { return m_process.waitForFinished(120000) && m_process.exitCode() == 0; }

private:
    QProcess m_process;
    QByteArray m_output;
};

} // namespace

// A save of 1,000 changed contacts of 10,000 killed at random moments: each
// restart shows every contact wholly as before or wholly as after the save,
// its joint names and postcard layout included. The child checks each load;
// here the kills are made and the rounds followed. Lanes of their own books
// run side by side.
TEST(AddressBookSaveKill, EveryRestartShowsEachContactWhollyBeforeOrAfterTheSave)
{
    const QString root = TestEnvironment::makeScratchFolder(u"save-kill"_s);
    ASSERT_TRUE(Child(u"seed"_s, root + u"/seed"_s).finishedWell());
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    std::array<QString, laneCount> folders;
    std::array<int, laneCount> saved{};
    for (int lane = 0; lane < laneCount; ++lane) {
        folders[lane] = root + u"/lane%1"_s.arg(lane);
        QDir().mkpath(folders[lane]);
        for (const QString &name : QDir(root + u"/seed"_s).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(root + u"/seed/"_s + name, folders[lane] + u'/' + name));
    }

    for (int kill = 0; kill <= killsPerLane; ++kill) {
        SCOPED_TRACE(kill);
        std::array<std::unique_ptr<Child>, laneCount> children;
        for (int lane = 0; lane < laneCount; ++lane)
            children[lane] = std::make_unique<Child>(kill < killsPerLane ? u"run"_s : u"check"_s, folders[lane]);
        for (int lane = 0; lane < laneCount; ++lane) {
            const std::optional<int> shown = children[lane]->waitForShownRound();
            ASSERT_TRUE(shown);
            // The save under way at the kill may or may not have been taken.
            EXPECT_TRUE(*shown == saved[lane] || *shown == saved[lane] + 1) << *shown << " after " << saved[lane];
            saved[lane] = *shown;
        }
        if (kill == killsPerLane) {
            for (const auto &child : children)
                EXPECT_TRUE(child->finishedWell());
            break;
        }
        QTest::qWait(int(random.bounded(longestKillDelayMilliseconds)));
        for (int lane = 0; lane < laneCount; ++lane)
            saved[lane] = children[lane]->kill().value_or(saved[lane]);
    }
}
