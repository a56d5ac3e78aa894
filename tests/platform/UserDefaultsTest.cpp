#include "platform/UserDefaults.h"

#include "common/TestEnvironment.h"
#include "VariantPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

namespace {

// A copy of the written file read by a fresh instance, so that nothing
// cached in this process can stand in for what is on disk.
QString copyOfFile(const QString &path)
{
    const QString copy
        = TestEnvironment::makeScratchFolder(QStringLiteral("defaults-copy")) + QStringLiteral("/copy.conf");
    EXPECT_TRUE(QFile::copy(path, copy));
    return copy;
}

QString freshPath()
{
    return TestEnvironment::makeScratchFolder(QStringLiteral("defaults")) + QStringLiteral("/Quillmark.conf");
}

} // namespace

TEST(UserDefaultsRegisteredDefaults, AnsweredUntilAValueIsStoredAndNeverWritten)
{
    const QString path = freshPath();
    const QString labels = QStringLiteral("MV1DselectedLabels");
    const QString style = QStringLiteral("MV1DprintStyle");
    {
        UserDefaults defaults(path);
        defaults.registerDefaults({{labels, QStringList{QStringLiteral("All")}}, {style, QStringLiteral("Hagaki")}});
        EXPECT_EQ(defaults.stringArrayForKey(labels), QStringList{QStringLiteral("All")});
        defaults.setObject(QStringLiteral("Labels"), style);
        EXPECT_EQ(defaults.stringForKey(style), QStringLiteral("Labels"));
        defaults.removeObjectForKey(style);
        EXPECT_EQ(defaults.stringForKey(style), QStringLiteral("Hagaki"));
        defaults.setObject(QStringLiteral("Envelope"), style);
        ASSERT_TRUE(defaults.synchronize());
    }
    UserDefaults reread(copyOfFile(path));
    EXPECT_FALSE(reread.objectForKey(labels).isValid());
    EXPECT_EQ(reread.stringForKey(style), QStringLiteral("Envelope"));
}

TEST(UserDefaultsRemoval, OfOneKeyAndOfTheWholeDomainReachTheFile)
{
    const QString path = freshPath();
    UserDefaults defaults(path);
    defaults.registerDefaults({{QStringLiteral("MV1DshowGroupView"), true}});
    defaults.setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    defaults.setObject(QVariantMap{{QStringLiteral("Name"), 180.5}}, QStringLiteral("MV1DcolumnWidthDictionary"));
    defaults.setObject(false, QStringLiteral("MV1DshowGroupView"));
    defaults.removeObjectForKey(QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(defaults.synchronize());
    {
        UserDefaults reread(copyOfFile(path));
        EXPECT_FALSE(reread.objectForKey(QStringLiteral("MV1DlastContainerIdentifier")).isValid());
        EXPECT_EQ(
            reread.dictionaryForKey(QStringLiteral("MV1DcolumnWidthDictionary")).value(QStringLiteral("Name")), 180.5);
    }

    defaults.removePersistentDomain();
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("MV1DshowGroupView")));
    ASSERT_TRUE(defaults.synchronize());
    UserDefaults reread(copyOfFile(path));
    EXPECT_TRUE(reread.dictionaryRepresentation().isEmpty());
}

// Typed reads convert between strings and numbers only and refuse other kinds.
TEST(UserDefaultsTypedReads, ConvertBetweenStringsAndNumbersOnly)
{
    UserDefaults defaults(freshPath());
    defaults.setObject(QStringLiteral("12"), QStringLiteral("text"));
    defaults.setObject(14.5, QStringLiteral("number"));
    defaults.setObject(QVariantList{1, 2}, QStringLiteral("array"));
    defaults.setObject(QVariantList{QStringLiteral("a"), 2}, QStringLiteral("mixed"));
    EXPECT_EQ(QStringLiteral("%1 %2 %3")
                  .arg(defaults.integerForKey(QStringLiteral("text")))
                  .arg(defaults.integerForKey(QStringLiteral("number")))
                  .arg(defaults.integerForKey(QStringLiteral("absent"))),
        QStringLiteral("12 14 0"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("number")), QStringLiteral("14.5"));
    EXPECT_TRUE(defaults.arrayForKey(QStringLiteral("text")).isEmpty()
        && defaults.dictionaryForKey(QStringLiteral("array")).isEmpty()
        && defaults.stringForKey(QStringLiteral("array")).isEmpty()
        && defaults.dataForKey(QStringLiteral("text")).isEmpty()
        && defaults.stringArrayForKey(QStringLiteral("mixed")).isEmpty());
}
