#include "platform/ApplicationPaths.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(ApplicationPaths, DataFolderIsCreatedOwnerOnlyInsideTheTestRoot)
{
    const QString folder = ApplicationPaths::applicationDataFolder();
    ASSERT_FALSE(folder.isEmpty());
    const QFileInfo info(folder);
    EXPECT_TRUE(info.isDir());
    EXPECT_TRUE(folder.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
}
