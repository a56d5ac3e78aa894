// What the key-value store and the preferences have in common: values of every
// kind come back whole, a store made where no event loop runs still writes,
// and an unreadable file is kept until a change and then backed up.
#include "platform/ApplicationPaths.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"

#include "common/LoggedMessages.h"
#include "common/TestEnvironment.h"
#include "VariantPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include <memory>
#include <thread>

namespace {

template <typename Store> constexpr const char *fileName = "KeyValueStore.json";
template <> constexpr const char *fileName<UserDefaults> = "Quillmark.conf";

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    EXPECT_EQ(contentsOf(this->m_path), damaged);
    EXPECT_TRUE(ApplicationPaths::backupCopies(this->m_path).isEmpty());

    store->setObject(QStringLiteral("container-1"), QStringLiteral("MV1DlastContainerIdentifier"));
    ASSERT_TRUE(store->synchronize());
    const QStringList copies = ApplicationPaths::backupCopies(this->m_path);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(contentsOf(copies.first()), damaged);
    EXPECT_EQ(
        this->reread()->stringForKey(QStringLiteral("MV1DlastContainerIdentifier")), QStringLiteral("container-1"));
}

} // namespace
