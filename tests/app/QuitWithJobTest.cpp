// A job still running as the application quits is cancelled, and has ended
// before the application object is destroyed.
#include <gtest/gtest.h>

#include <QProcess>

TEST(QuitWithJob, AJobStillRunningAtQuitHasEndedWhenTheApplicationIsGone)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(QUILLMARK_QUIT_WITH_JOB_CHILD), {});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), QStringLiteral("cancelled\nended"));
}
