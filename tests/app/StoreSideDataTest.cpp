// The contacts store against its side data: an emptied store, a store put
// back from a backup, and a save that would leave the side data much smaller.
#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"
#include "app/WindowController.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every file of the folder with its bytes; the preferences, which every
// start writes, left out.
[[nodiscard]] QMap<QString, QByteArray> folderBytes(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        if (!name.startsWith(u"Quillmark"_s))
            files.insert(name, fileBytes(folder + u'/' + name));
    }
    return files;
}

// An SQLite file that held a table once and holds none now.
void writeSqliteWithoutTables(const QString &path)
{
    QFile::remove(path);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes(text); DROP TABLE notes;", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_GT(QFile(path).size(), 0);
}

} // namespace

class StoreSideDataTest : public AddressBookTest {
protected:
    [[nodiscard]] QString storePath() const { return m_folder + u"/Contacts.sqlite"_s; }
    [[nodiscard]] QString keyValuePath() const { return m_folder + u"/KeyValueStore.json"_s; }

    // Gives each named contact the joint names, as one saved edit.
    void saveJointNames(const QStringList &givenNames, const QString &jointNames)
    {
        for (const QString &name : givenNames) {
            MVPerson &person = *rowNamed(name)->person;
            person.stringValues()->setEntry(FieldId::Renmei, jointNames);
            person.setChanged(true);
        }
        markEdited();
        ASSERT_TRUE(save());
    }
    [[nodiscard]] static QString jointNamesIn(const ContactTablePtr &table, const QString &givenName)
    {
        for (const ContactRecordPtr &row : std::as_const(*table)) {
            if (row->person->nameValue()->firstName == givenName)
                return row->person->stringValues()->value(FieldId::Renmei);
        }
        return u"(missing)"_s;
    }
    // Ends the run and lets every file go, as quitting does.
    void quit()
    {
        m_delegate.reset();
        m_keyValueStore->synchronize();
        m_store.reset();
    }
    // Starts again over the files as they are now.
    void restart()
    {
        m_store = std::make_unique<ContactStore>(storePath());
        m_alerts.alerts.clear();
        relaunch();
    }
};

enum class EmptyStore { Missing, ZeroBytes, SqliteWithoutTables };
enum class SideData { File, KeyValueStore };

using EmptiedStoreCase = std::tuple<EmptyStore, SideData>;

std::string caseName(const EmptiedStoreCase &param)
{
    static const char *const stores[] = {"Missing", "ZeroBytes", "SqliteWithoutTables"};
    return std::string(stores[int(std::get<0>(param))])
        + (std::get<1>(param) == SideData::File ? "BesideTheFile" : "BesideTheKeyValueStore");
}

class EmptiedStore : public StoreSideDataTest, public testing::WithParamInterface<EmptiedStoreCase> { };

TEST_P(EmptiedStore, BesideSideDataIsDamagedAndLeftAsItWasButAMissingOneIsMade)
{
    const auto [store, sideData] = GetParam();
    seedContact(u"Taro"_s, u"Yamada"_s);
    relaunch();
    saveJointNames({u"Taro"_s}, u"Hanako"_s);
    quit();
    QFile::remove(sideData == SideData::File ? keyValuePath() : sideFilePath());
    QFile::remove(storePath());
    if (store == EmptyStore::ZeroBytes)
        writeBytes(storePath(), {});
    else if (store == EmptyStore::SqliteWithoutTables)
        writeSqliteWithoutTables(storePath());
    const QMap<QString, QByteArray> before = folderBytes(m_folder);

    restart();
    if (store == EmptyStore::Missing) {
        EXPECT_TRUE(m_alerts.alerts.isEmpty());
        EXPECT_FALSE(m_delegate->containerTable()->isEmpty());
        EXPECT_GT(QFile(storePath()).size(), 0);
        return;
    }
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"The contacts store is damaged."_s);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(storePath()));
    EXPECT_TRUE(m_delegate->containerTable()->isEmpty());

    // No Save: neither the command nor the save itself writes anything.
    markEdited();
    EXPECT_FALSE(m_delegate->canSaveOrRevert());
    m_delegate->saveAddressBook(nullptr);
    EXPECT_FALSE(m_delegate->saveAddressBook());
    ASSERT_EQ(m_alerts.alerts.size(), 2);
    EXPECT_EQ(m_alerts.alerts.last().messageText, u"Couldn't save the address book."_s);
    EXPECT_TRUE(m_alerts.alerts.last().informativeText.contains(storePath()));

    quit();
    EXPECT_EQ(folderBytes(m_folder), before);
    // The next start finds the same and says the same.
    restart();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"The contacts store is damaged."_s);
    quit();
    EXPECT_EQ(folderBytes(m_folder), before);
}

INSTANTIATE_TEST_SUITE_P(Stores, EmptiedStore,
    testing::Combine(testing::Values(EmptyStore::Missing, EmptyStore::ZeroBytes, EmptyStore::SqliteWithoutTables),
        testing::Values(SideData::File, SideData::KeyValueStore)),
    [](const testing::TestParamInfo<EmptiedStoreCase> &info) { return caseName(info.param); });

TEST_F(StoreSideDataTest, SaveAnswersFalseWithItsCauseWhenNothingWasLoaded)
{
    EXPECT_FALSE(m_delegate->saveAddressBook());
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Couldn't save the address book."_s);
    EXPECT_FALSE(m_alerts.alerts.first().informativeText.isEmpty());
    EXPECT_FALSE(QFile::exists(sideFilePath()));
}

// Taro's joint names saved at the first save, Hanako's at the third; the
// store then goes back to its copy after the first.
TEST_F(StoreSideDataTest, StoreRestoredFromAnOlderSaveKeepsTheNewerSideDataAndCopiesItOnce)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    seedContact(u"Hanako"_s, u"Yamada"_s);
    relaunch();
    saveJointNames({u"Taro"_s}, u"Jiro"_s);
    quit();
    ASSERT_TRUE(QFile::copy(storePath(), storePath() + u".backup"_s));
    restart();
    saveJointNames({u"Taro"_s}, u"Jiro, Saburo"_s);
    saveJointNames({u"Hanako"_s}, u"Ume"_s);
    quit();
    QFile::remove(storePath());
    ASSERT_TRUE(QFile::rename(storePath() + u".backup"_s, storePath()));

    restart();
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    const RecordingAlertPresenter::Alert alert = m_alerts.alerts.first();
    EXPECT_EQ(alert.messageText, u"The joint names and postcard layouts are newer than the contacts store."_s);
    for (const QString &file : {storePath(), sideFilePath(), keyValuePath()})
        EXPECT_TRUE(alert.informativeText.contains(file)) << alert.informativeText.toStdString();
    EXPECT_EQ(jointNamesIn(m_delegate->contactTable(), u"Taro"_s), u"Jiro, Saburo"_s);
    EXPECT_EQ(jointNamesIn(m_delegate->contactTable(), u"Hanako"_s), u"Ume"_s);
    // Told once: loading again says nothing more.
    m_delegate->loadAddressBook();
    endTurn();
    EXPECT_EQ(m_alerts.alerts.size(), 1);

    const QByteArray sideBytes = fileBytes(sideFilePath());
    const QByteArray keyValueBytes = fileBytes(keyValuePath());
    saveJointNames({u"Taro"_s}, u"Shiro"_s);
    ASSERT_EQ(ApplicationPaths::backupCopies(sideFilePath()).size(), 1);
    ASSERT_EQ(ApplicationPaths::backupCopies(keyValuePath()).size(), 1);
    EXPECT_EQ(fileBytes(ApplicationPaths::backupCopies(sideFilePath()).first()), sideBytes);
    EXPECT_EQ(fileBytes(ApplicationPaths::backupCopies(keyValuePath()).first()), keyValueBytes);
    const AddressBookTables restarted = loadAsAtRestart();
    EXPECT_EQ(jointNamesIn(restarted.contactTable, u"Taro"_s), u"Shiro"_s);
    EXPECT_EQ(jointNamesIn(restarted.contactTable, u"Hanako"_s), u"Ume"_s);

    // Store and side data agree again: no copy, no alert.
    saveJointNames({u"Hanako"_s}, u"Matsu"_s);
    EXPECT_EQ(ApplicationPaths::backupCopies(sideFilePath()).size(), 1);
    EXPECT_EQ(ApplicationPaths::backupCopies(keyValuePath()).size(), 1);
    EXPECT_EQ(m_alerts.alerts.size(), 1);
}

// Forty contacts with joint names; a save then clears some of them.
class ShrinkingSave : public StoreSideDataTest, public testing::WithParamInterface<int> { };

TEST_P(ShrinkingSave, KeepsACopyOfEachSideFileItWouldLeaveWithLessThanHalfAndTwentyFewerRecords)
{
    const int cleared = GetParam();
    QStringList names;
    for (int i = 0; i < 40; ++i) {
        names.append(u"Person%1"_s.arg(i));
        seedContact(names.last(), u"Yamada"_s);
    }
    relaunch();
    saveJointNames(names, u"Hanako"_s);
    const QByteArray sideBytes = fileBytes(sideFilePath());
    const QByteArray keyValueBytes = fileBytes(keyValuePath());

    saveJointNames(names.mid(0, cleared), QString());

    const bool copied = cleared > 20;
    ASSERT_EQ(ApplicationPaths::backupCopies(sideFilePath()).size(), copied ? 1 : 0);
    ASSERT_EQ(ApplicationPaths::backupCopies(keyValuePath()).size(), copied ? 1 : 0);
    if (copied) {
        EXPECT_EQ(fileBytes(ApplicationPaths::backupCopies(sideFilePath()).first()), sideBytes);
        EXPECT_EQ(fileBytes(ApplicationPaths::backupCopies(keyValuePath()).first()), keyValueBytes);
    }
    const AddressBookTables restarted = loadAsAtRestart();
    EXPECT_EQ(jointNamesIn(restarted.contactTable, names.at(0)), QString());
    EXPECT_EQ(jointNamesIn(restarted.contactTable, names.last()), cleared < 40 ? u"Hanako"_s : QString());
}

INSTANTIATE_TEST_SUITE_P(Cleared, ShrinkingSave, testing::Values(19, 20, 21, 40));
