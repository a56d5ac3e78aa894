// The key-value store and the preferences: values of every kind come back
// whole, a store made where no event loop runs still writes, an unreadable
// file is kept until a change and then backed up; then what the preferences
// add (registered defaults, removal, typed reads).
#include "platform/ApplicationPaths.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"

#include "common/LoggedMessages.h"
#include "common/TestEnvironment.h"
#include "VariantPrinting.h"
#include "contacts/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include <memory>
#include <thread>

namespace {

template <typename Store> constexpr const char *fileName = "KeyValueStore.json";
template <> constexpr const char *fileName<UserDefaults> = "Quillmark.conf";

template <typename Store> class PersistentStore : public testing::Test {
protected:
    // A new instance reading a copy of the file, so that nothing cached in
    // this process can stand in for what is on disk.
    [[nodiscard]] std::unique_ptr<Store> reread() const
    {
        const QString copy = TestEnvironment::makeScratchFolder(QStringLiteral("copy")) + u'/' + fileName<Store>;
        EXPECT_TRUE(QFile::copy(m_path, copy));
        return std::make_unique<Store>(copy);
    }

    QString m_path = TestEnvironment::makeScratchFolder(QStringLiteral("store")) + u'/' + fileName<Store>;
};

using Stores = testing::Types<KeyValueStore, UserDefaults>;
TYPED_TEST_SUITE(PersistentStore, Stores);

TYPED_TEST(PersistentStore, ValuesComeBackWholeFromTheFile)
{
    const QVariantList values{QStringLiteral("山田 花子\n\"quoted\", b; c = [d]"), QVariant::fromValue<qlonglong>(-42),
        QVariant::fromValue<qlonglong>(9007199254740993LL), 0.1, true, QByteArray("\x00\x01\xfe\xff binary\n", 12),
        QVariantList{QStringLiteral("All")}, QVariantList{},
        QVariantMap{{QStringLiteral("Renmei"), QStringLiteral("太郎")}, {QStringLiteral("Version"), 5},
            {QStringLiteral("HagakiArray"),
                QVariantList{QVariantMap{{QStringLiteral("AddressString"), QString()},
                    {QStringLiteral("senderZIPPosition"), QVariantList{12.5, 400}},
                    {QStringLiteral("template"), QByteArray("\x89PNG", 4)}}}}},
        // Dictionaries that look like the files' own encodings.
        QVariantMap{{QStringLiteral("$data"), QStringLiteral("AAAA")}},
        QVariantMap{{QStringLiteral("$$x"), 1}, {QStringLiteral("$"), QVariantList{}}}};
    {
        TypeParam store(this->m_path);
        for (qsizetype i = 0; i < values.size(); ++i)
            store.setObject(values.at(i), QStringLiteral("MV1D%1").arg(i));
        ASSERT_TRUE(store.synchronize());
    }
    const auto reread = this->reread();
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(reread->objectForKey(QStringLiteral("MV1D%1").arg(i)), values.at(i));
        EXPECT_EQ(reread->objectForKey(QStringLiteral("MV1D%1").arg(i)).typeId(), values.at(i).typeId()) << i;
    }
}

TYPED_TEST(PersistentStore, StoreMadeOnAThreadWithoutEventLoopWritesAfterTheTurn)
{
    std::unique_ptr<TypeParam> store;
    std::thread loader([&]() {
        store = std::make_unique<TypeParam>(this->m_path);
        store->setObject(QStringLiteral("太郎"), QStringLiteral("Renmei"));
    });
    loader.join();
    QCoreApplication::processEvents();
    ASSERT_TRUE(QFile::exists(this->m_path));
    EXPECT_EQ(this->reread()->stringForKey(QStringLiteral("Renmei")), QStringLiteral("太郎"));
}

TYPED_TEST(PersistentStore, UnreadableFileIsLoggedKeptUntilAChangeAndThenBackedUp)
{
    // Counted by the array, not by hand: the bytes hold NULs.
    static constexpr char bytes[]
        = "[General]\n{\"format\": \"Quillmark key-value store\", \"values\": {\"x\": \x89PNG\r\n\x1a\n\0\0";
    const QByteArray damaged(bytes, sizeof(bytes) - 1);
    {
        QFile file(this->m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    std::unique_ptr<TypeParam> store;
    {
        const LoggedMessages warnings;
        store = std::make_unique<TypeParam>(this->m_path);
        ASSERT_EQ(warnings.lines().size(), 1);
        EXPECT_TRUE(warnings.lines().first().contains(QStringLiteral("ERROR")));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(StoreTestSupport::fileBytes(this->m_path), damaged);
    EXPECT_TRUE(ApplicationPaths::backupCopies(this->m_path).isEmpty());

    store->setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(store->synchronize());
    const QStringList copies = ApplicationPaths::backupCopies(this->m_path);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(StoreTestSupport::fileBytes(copies.first()), damaged);
    EXPECT_EQ(
        this->reread()->stringForKey(QStringLiteral("MV1DlastContainerIdentifier")), QStringLiteral("container-1"));
}

using UserDefaultsFile = PersistentStore<UserDefaults>;

TEST_F(UserDefaultsFile, RegisteredDefaultsAreAnsweredUntilAValueIsStoredAndNeverWritten)
{
    const QString labels = QStringLiteral("MV1DselectedLabels");
    const QString style = QStringLiteral("MV1DprintStyle");
    {
        UserDefaults defaults(m_path);
        defaults.registerDefaults({{labels, QStringList{QStringLiteral("All")}}, {style, QStringLiteral("Hagaki")}});
        EXPECT_EQ(defaults.stringArrayForKey(labels), QStringList{QStringLiteral("All")});
        defaults.setObject(QStringLiteral("Labels"), style);
        EXPECT_EQ(defaults.stringForKey(style), QStringLiteral("Labels"));
        defaults.removeObjectForKey(style);
        EXPECT_EQ(defaults.stringForKey(style), QStringLiteral("Hagaki"));
        defaults.setObject(QStringLiteral("Envelope"), style);
        ASSERT_TRUE(defaults.synchronize());
    }
    const auto reread = this->reread();
    EXPECT_FALSE(reread->objectForKey(labels).isValid());
    EXPECT_EQ(reread->stringForKey(style), QStringLiteral("Envelope"));
}

TEST_F(UserDefaultsFile, RemovalOfOneKeyAndOfTheWholeDomainReachTheFile)
{
    UserDefaults defaults(m_path);
    defaults.registerDefaults({{QStringLiteral("MV1DshowGroupView"), true}});
    defaults.setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    defaults.setObject(QVariantMap{{QStringLiteral("Name"), 180.5}}, QStringLiteral("MV1DcolumnWidthDictionary"));
    defaults.setObject(false, QStringLiteral("MV1DshowGroupView"));
    defaults.removeObjectForKey(QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_FALSE(reread()->objectForKey(QStringLiteral("MV1DlastContainerIdentifier")).isValid());
    EXPECT_EQ(
        reread()->dictionaryForKey(QStringLiteral("MV1DcolumnWidthDictionary")).value(QStringLiteral("Name")), 180.5);

    defaults.removePersistentDomain();
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("MV1DshowGroupView")));
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_TRUE(reread()->dictionaryRepresentation().isEmpty());
}

// Typed reads convert between strings and numbers only and refuse other kinds.
TEST_F(UserDefaultsFile, TypedReadsConvertBetweenStringsAndNumbersOnly)
{
    UserDefaults defaults(m_path);
    defaults.setObject(QStringLiteral("12"), QStringLiteral("text"));
    defaults.setObject(14.5, QStringLiteral("number"));
    defaults.setObject(QVariantList{1, 2}, QStringLiteral("array"));
    defaults.setObject(QVariantList{QStringLiteral("a"), 2}, QStringLiteral("mixed"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("number")), QStringLiteral("14.5"));
    EXPECT_TRUE(defaults.arrayForKey(QStringLiteral("text")).isEmpty()
        && defaults.dictionaryForKey(QStringLiteral("array")).isEmpty()
        && defaults.stringForKey(QStringLiteral("array")).isEmpty()
        && defaults.dataForKey(QStringLiteral("text")).isEmpty()
        && defaults.stringArrayForKey(QStringLiteral("mixed")).isEmpty());
}

} // namespace
