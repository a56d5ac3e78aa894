#include "platform/UserDefaults.h"

#include "common/TestEnvironment.h"
#include "common/LoggedMessages.h"
#include "VariantPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <thread>

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

// A value written, synchronized and read back from the file by a new instance.
struct RoundTripRow {
    const char *label;
    QVariant value;
};

class UserDefaultsRoundTrip : public testing::TestWithParam<RoundTripRow> { };

TEST_P(UserDefaultsRoundTrip, ComesBackWholeFromTheFile)
{
    const QString path = freshPath();
    const QString key = QStringLiteral("MV1DroundTrip");
    {
        UserDefaults defaults(path);
        defaults.setObject(GetParam().value, key);
        ASSERT_TRUE(defaults.synchronize());
    }
    UserDefaults reread(copyOfFile(path));
    EXPECT_EQ(reread.objectForKey(key), GetParam().value);
    EXPECT_EQ(reread.objectForKey(key).typeId(), GetParam().value.typeId());
}

INSTANTIATE_TEST_SUITE_P(Rows, UserDefaultsRoundTrip,
    testing::Values(RoundTripRow{"string_with_separators", QStringLiteral("a, b; \"c\" = [d]\n様")},
        RoundTripRow{"integer", QVariant::fromValue<qlonglong>(9007199254740993LL)},
        RoundTripRow{"float_number", 28.346457}, RoundTripRow{"boolean", false},
        RoundTripRow{"data", QByteArray("\x00\xff binary\n", 10)},
        RoundTripRow{"string_array", QVariantList{QStringLiteral("All")}}, RoundTripRow{"empty_array", QVariantList{}},
        RoundTripRow{"print_options",
            QVariantMap{{QStringLiteral("Version"), 5},
                {QStringLiteral("$data"), QStringLiteral("a key that looks like an encoded byte array")},
                {QStringLiteral("Hagaki"),
                    QVariantMap{{QStringLiteral("senderZIPPosition"), QVariantList{12.5, 400}},
                        {QStringLiteral("printSender"), true}, {QStringLiteral("template"), QByteArray("\x89PNG", 4)}}},
                {QStringLiteral("rectDicts"),
                    QVariantList{QVariantList{QVariantMap{{QStringLiteral("x"), -1.25}}}, QVariantMap{}}}}}),
    [](const testing::TestParamInfo<RoundTripRow> &info) { return std::string(info.param.label); });

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

// A stored value read through each typed accessor.
TEST(UserDefaultsTypedReads, ConvertBetweenStringsAndNumbersOnlyAndRefuseOtherKinds)
{
    UserDefaults defaults(freshPath());
    defaults.setObject(QStringLiteral("12"), QStringLiteral("text"));
    defaults.setObject(14.5, QStringLiteral("number"));
    defaults.setObject(QVariantList{1, 2}, QStringLiteral("array"));
    defaults.setObject(QVariantList{QStringLiteral("a"), 2}, QStringLiteral("mixed"));

    EXPECT_EQ(defaults.integerForKey(QStringLiteral("text")), 12);
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("number")), QStringLiteral("14.5"));
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("number")), 14);
    EXPECT_TRUE(defaults.arrayForKey(QStringLiteral("text")).isEmpty());
    EXPECT_TRUE(defaults.dictionaryForKey(QStringLiteral("array")).isEmpty());
    EXPECT_TRUE(defaults.stringForKey(QStringLiteral("array")).isEmpty());
    EXPECT_TRUE(defaults.dataForKey(QStringLiteral("text")).isEmpty());
    EXPECT_TRUE(defaults.stringArrayForKey(QStringLiteral("mixed")).isEmpty());
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("absent")), 0);
}

TEST(UserDefaultsWriting, DefaultsMadeOnAThreadWithoutEventLoopAreWrittenAfterTheTurn)
{
    const QString path = freshPath();
    std::unique_ptr<UserDefaults> defaults;
    std::thread loader([&]() {
        defaults = std::make_unique<UserDefaults>(path);
        defaults->setObject(QStringLiteral("container-2"), QStringLiteral("MV1DlastContainerIdentifier"));
    });
    loader.join();
    QCoreApplication::processEvents();
    ASSERT_TRUE(QFile::exists(path));
    UserDefaults reread(copyOfFile(path));
    EXPECT_EQ(reread.stringForKey(QStringLiteral("MV1DlastContainerIdentifier")), QStringLiteral("container-2"));
}

// QSettings writes over a file it can't read with the little it made of it.
TEST(UserDefaultsWriting, UnreadableFileIsLoggedAndKeptAsACopyBeforeTheFirstChangeReplacesIt)
{
    const QString path = freshPath();
    const QByteArray damaged("[General]\nMV1DprintStyle=\"Hagaki\"\n\x89PNG\r\n\x1a\n\0\0\0 binary", 48);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    std::unique_ptr<UserDefaults> defaults;
    {
        const LoggedMessages warnings;
        defaults = std::make_unique<UserDefaults>(path);
        ASSERT_EQ(warnings.lines().size(), 1);
        EXPECT_TRUE(warnings.lines().first().contains(QStringLiteral("ERROR")));
    }
    const QDir folder = QFileInfo(path).absoluteDir();
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{QStringLiteral("Quillmark.conf")});

    defaults->setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(defaults->synchronize());

    const QStringList files = folder.entryList(QDir::Files);
    ASSERT_EQ(files.size(), 2);
    QFile copy(folder.filePath(files.at(files.at(0) == QStringLiteral("Quillmark.conf") ? 1 : 0)));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), damaged);
    UserDefaults reread(copyOfFile(path));
    EXPECT_EQ(reread.stringForKey(QStringLiteral("MV1DlastContainerIdentifier")), QStringLiteral("container-1"));
}
