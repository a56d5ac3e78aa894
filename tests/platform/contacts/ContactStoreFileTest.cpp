#include "StoreTestSupport.h"

#include "common/StoreFileDamage.h"
#include "common/WriteProtection.h"

#include "platform/contacts/ContactStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

using namespace StoreTestSupport;

namespace {

bool runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void writeRandomBytes(const QString &path)
{
    QByteArray bytes(8192, Qt::Uninitialized);
    QRandomGenerator generator(42);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeForeignDatabase(const QString &path)
{
    ASSERT_TRUE(runSql(path,
        "CREATE TABLE recipes(name TEXT, minutes INTEGER);"
        "INSERT INTO recipes VALUES('miso soup', 15);"));
}

void writeStore(const QString &path, int contacts)
{
    ContactStore store(path);
    StoreSaveRequest request;
    for (int i = 0; i < contacts; ++i)
        request.addContact(typicalContact(i));
    ASSERT_TRUE(store.execute(request));
}

void writeNewerStore(const QString &path)
{
    writeStore(path, 1);
    ASSERT_TRUE(runSql(path, "PRAGMA user_version = 2"));
}

void writeStoreLookalike(const QString &path)
{
    // Our header marks, but none of our tables.
    ASSERT_TRUE(runSql(path,
        "CREATE TABLE notes(text TEXT); PRAGMA application_id = 1364018003;"
        "PRAGMA user_version = 1;"));
}

void writeDamagedStore(const QString &path)
{
    writeStore(path, 2000);
    ASSERT_TRUE(StoreFileDamage::damageInteriorPage(path));
}

struct BadFile {
    const char *name;
    void (*write)(const QString &path);
    StoreError::Code expected;
};

class ContactStoreBadFile : public testing::TestWithParam<BadFile> { };

} // namespace

TEST_P(ContactStoreBadFile, IsReportedByNameAndLeftUntouched)
{
    const QString path = newStorePath(QString::fromLatin1(GetParam().name));
    GetParam().write(path);
    ASSERT_FALSE(HasFatalFailure());
    const QByteArray before = fileBytes(path);
    ASSERT_FALSE(before.isEmpty());

    ContactStore store(path);
    StoreError error;
    EXPECT_FALSE(store.open(&error));
    EXPECT_EQ(error.code, GetParam().expected);
    EXPECT_TRUE(error.description.contains(path)) << qPrintable(error.description);

    StoreSaveRequest request;
    request.addContact(typicalContact(2));
    StoreError saveError;
    EXPECT_FALSE(store.execute(request, &saveError));
    EXPECT_EQ(saveError.code, GetParam().expected);
    StoreError fetchError;
    EXPECT_TRUE(store.unifiedContactsMatchingPredicate({}, {}, &fetchError).isEmpty());
    EXPECT_EQ(fetchError.code, GetParam().expected);

    EXPECT_EQ(fileBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Files, ContactStoreBadFile,
    testing::Values(BadFile{"randomBytes", writeRandomBytes, StoreError::Code::NotAStore},
        BadFile{"foreignDatabase", writeForeignDatabase, StoreError::Code::NotAStore},
        BadFile{"lookalike", writeStoreLookalike, StoreError::Code::NotAStore},
        BadFile{"newerVersion", writeNewerStore, StoreError::Code::NewerVersion},
        BadFile{"damagedInteriorPage", writeDamagedStore, StoreError::Code::Damaged}),
    [](const testing::TestParamInfo<BadFile> &info) { return std::string(info.param.name); });

TEST(ContactStoreFile, WriteProtectedStoreIsReportedAtOpenAndWrittenOnceWritableAgain)
{
    const QString path = newStorePath(QStringLiteral("protected"));
    // Another store object keeps the file open, as the application's first
    // load does on its worker.
    ContactStore earlier(path);
    StoreSaveRequest first;
    first.addContact(typicalContact(1));
    ASSERT_TRUE(earlier.execute(first));
    ContactStore store(path);
    StoreSaveRequest second;
    second.addContact(typicalContact(2));

    WriteProtection protection(QFileInfo(path).absolutePath());
    StoreError error;
    EXPECT_FALSE(store.open(&error));
    EXPECT_EQ(error.code, StoreError::Code::ReadOnly);
    EXPECT_TRUE(error.description.contains(path)) << qPrintable(error.description);
    EXPECT_EQ(contactIdentifiers(store).size(), 1);
    StoreError saveError;
    EXPECT_FALSE(store.execute(second, &saveError));
    EXPECT_EQ(saveError.code, StoreError::Code::ReadOnly);

    protection.lift();
    EXPECT_TRUE(store.execute(second, &saveError)) << qPrintable(saveError.description);
    EXPECT_TRUE(store.open(&error)) << qPrintable(error.description);
    EXPECT_EQ(contactIdentifiers(store).size(), 2);
}

TEST(ContactStoreFile, ClosedStoreInAWriteProtectedFolderIsReportedByItsCause)
{
    const QString path = newStorePath(QStringLiteral("protectedFolder"));
    {
        ContactStore store(path);
        ASSERT_TRUE(store.open());
    }
    const QByteArray before = fileBytes(path);
    WriteProtection protection(QFileInfo(path).absolutePath());
    ContactStore store(path);
    StoreError error;
    EXPECT_FALSE(store.open(&error));
    EXPECT_EQ(error.code, StoreError::Code::CannotOpen);
    EXPECT_TRUE(error.description.contains(path)) << qPrintable(error.description);
    EXPECT_TRUE(error.description.contains(QLatin1String("folder"))) << qPrintable(error.description);
    EXPECT_EQ(fileBytes(path), before);

    // A folder that cannot be made is reported with the file's name too.
    const QString nowhere = QStringLiteral("/proc/quillmark-no-such-folder/Contacts.sqlite");
    EXPECT_FALSE(ContactStore(nowhere).open(&error));
    EXPECT_EQ(error.code, StoreError::Code::CannotOpen);
    EXPECT_TRUE(error.description.contains(nowhere));
}
