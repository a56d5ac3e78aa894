#include "platform/ApplicationPaths.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"

#include "common/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

[[nodiscard]] mode_t modeOf(const QString &path)
{
    struct stat info { };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

// The XDG base folders of a new home, made by the application itself under
// the most permissive umask.
class UmaskZero : public testing::Test {
protected:
    void SetUp() override
    {
        m_home = TestEnvironment::makeScratchFolder(QStringLiteral("umask-zero")) + QStringLiteral("/home");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_home + QStringLiteral("/.local/share")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home + QStringLiteral("/.config")));
    }
    void TearDown() override
    {
        ::umask(m_umask);
        qputenv("XDG_DATA_HOME", m_dataHome);
        qputenv("XDG_CONFIG_HOME", m_configHome);
    }

    QByteArray m_dataHome = qgetenv("XDG_DATA_HOME");
    QByteArray m_configHome = qgetenv("XDG_CONFIG_HOME");
    mode_t m_umask = ::umask(0);
    QString m_home;
};

TEST_F(UmaskZero, EveryFolderMadeAndEveryFileWrittenIsTheOwnersOnly)
{
    const QString dataFolder = ApplicationPaths::applicationDataFolder();
    ASSERT_FALSE(dataFolder.isEmpty());
    KeyValueStore keyValueStore(dataFolder + QStringLiteral("/KeyValueStore.json"));
    keyValueStore.setObject(QStringLiteral("Hanako"), QStringLiteral("contact-1"));
    ASSERT_TRUE(keyValueStore.synchronize());
    UserDefaults defaults(UserDefaults::standardFilePath());
    defaults.setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(defaults.synchronize());

    const QStringList folders{m_home, m_home + QStringLiteral("/.local"), m_home + QStringLiteral("/.local/share"),
        dataFolder, m_home + QStringLiteral("/.config"), QFileInfo(defaults.filePath()).absolutePath()};
    for (const QString &folder : folders)
        EXPECT_EQ(modeOf(folder), 0700u) << folder.toStdString();
    for (const QString &file : {keyValueStore.filePath(), defaults.filePath()})
        EXPECT_EQ(modeOf(file), 0600u) << file.toStdString();
}
