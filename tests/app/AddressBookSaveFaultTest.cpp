#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"
#include "app/WindowController.h"
#include "common/HeldStoreLock.h"
#include "common/StoreFileDamage.h"
#include "common/WriteProtection.h"
#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"
#include "platform/UndoManager.h"

#include <QFile>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a contact shows of one save: its company (in the store), its joint
// names and the frame of its receiver's name (in the side data).
[[nodiscard]] QStringList shownFor(int round)
{
    const QString text = u"Round %1"_s.arg(round);
    return round == 0 ? QStringList{{}, {}, {}} : QStringList{text, text, u"{{%1.00,2.00},{3.00,4.00}}"_s.arg(round)};
}

[[nodiscard]] QStringList shownIn(const AddressBookTables &tables, const QString &givenName)
{
    for (const ContactRecordPtr &row : std::as_const(*tables.contactTable)) {
        MVPerson &person = *row->person;
        if (person.nameValue()->firstName == givenName)
            return {person.stringValues()->value(FieldId::Company), person.stringValues()->value(FieldId::Renmei),
                HagakiLayoutString::frameText(person.addressValues()->first()->layout->receiverName)};
    }
    return {};
}

} // namespace

// Taro and Hanako Yamada, each with an address, loaded in a window of its
// own store object, as at start-up: its first load runs on a worker, so the
// main thread opens the file only when saving.
class SaveFaultTest : public AddressBookTest {
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        for (const QString &name : {u"Taro"_s, u"Hanako"_s}) {
            seedContact(name, u"Yamada"_s, [](StoreContact &contact) {
                contact.setPostalAddresses(
                    {{u"_$!<Home>!$_"_s, StorePostalAddress{.street = u"1-2-3 Ginza"_s, .city = u"Chuo-ku"_s}}});
            });
        }
        m_store = std::make_unique<ContactStore>(m_store->filePath());
        relaunch();
    }

    // Edits a contact to show the round, as one undoable edit.
    void edit(const QString &givenName, int round)
    {
        const QStringList shown = shownFor(round);
        MVPerson &person = *rowNamed(givenName)->person;
        person.stringValues()->setEntry(FieldId::Company, shown.at(0));
        person.stringValues()->setEntry(FieldId::Renmei, shown.at(1));
        person.addressValues()->first()->layout->receiverName = QRectF(round, 2, 3, 4);
        person.setChanged(true);
        markEdited();
    }
};

// A full disk at the second save, for each of the two side files.
class SecondSaveWriteError : public SaveFaultTest, public testing::WithParamInterface<const char *> { };

TEST_P(SecondSaveWriteError, LeavesTheFirstSaveWholeAndTheNextSaveWritesEverything)
{
    edit(u"Taro"_s, 1);
    edit(u"Hanako"_s, 1);
    ASSERT_TRUE(save());
    const ContainerTablePtr tables = m_delegate->containerTable();
    edit(u"Taro"_s, 2);
    const QString target = m_folder + u'/' + QString::fromLatin1(GetParam());
    ApplicationPaths::setWriteFaultHook(
        [target](const QString &path) { return path == target ? u"No space left on device"_s : QString(); });

    EXPECT_FALSE(save());
    ApplicationPaths::setWriteFaultHook({});

    expectNothingSaved(tables, u"No space left on device"_s);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(target));
    EXPECT_EQ(shownIn(loadAsAtRestart(), u"Taro"_s), shownFor(1));
    ASSERT_TRUE(save());
    const AddressBookTables restarted = loadAsAtRestart();
    EXPECT_EQ(shownIn(restarted, u"Taro"_s), shownFor(2));
    EXPECT_EQ(shownIn(restarted, u"Hanako"_s), shownFor(1));
}

INSTANTIATE_TEST_SUITE_P(
    SideFiles, SecondSaveWriteError, testing::Values("RenmeiAndHagakiContainers.data", "KeyValueStore.json"));

TEST_F(SaveFaultTest, KeyValueFileOlderThanTheStoreDoesNotWinOverTheSideFile)
{
    const QString keyValuePath = m_keyValueStore->filePath();
    edit(u"Taro"_s, 1);
    ASSERT_TRUE(save());
    ASSERT_TRUE(QFile::copy(keyValuePath, keyValuePath + u".first"_s));
    edit(u"Taro"_s, 2);
    ASSERT_TRUE(save());

    ASSERT_TRUE(QFile::remove(keyValuePath));
    ASSERT_TRUE(QFile::rename(keyValuePath + u".first"_s, keyValuePath));

    EXPECT_EQ(shownIn(loadAsAtRestart(), u"Taro"_s), shownFor(2));
}

// The store locked by another program, or the data folder made read-only
// after loading, while saving.
class StoreFaultSaveTest : public SaveFaultTest, public testing::WithParamInterface<bool> { };

TEST_P(StoreFaultSaveTest, SaveFailsWithItsCauseKeepsTheEditsAndSucceedsOnceTheFaultIsGone)
{
    const bool locked = GetParam();
    const ContainerTablePtr tables = m_delegate->containerTable();
    edit(u"Taro"_s, 1);
    {
        std::optional<HeldStoreLock> lock;
        std::optional<WriteProtection> protection;
        if (locked)
            ASSERT_TRUE(lock.emplace(m_store->filePath()).isHeld());
        else
            protection.emplace(m_folder);
        EXPECT_FALSE(save());
        // Reading goes on meanwhile.
        if (locked) {
            EXPECT_EQ(shownIn(loadAsAtRestart(), u"Taro"_s), shownFor(0));
        }
    }
    // With the whole folder protected the side file, written ahead of the
    // store, is the first to be refused.
    expectNothingSaved(tables, locked ? u"in use by another program"_s : sideFilePath());
    if (locked) {
        EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(m_store->filePath()));
    } else {
        EXPECT_EQ(m_alerts.alerts.first().messageText, u"Couldn't save the joint names and postcard layouts."_s);
        EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(u"can't be written"_s));
    }
    EXPECT_TRUE(rowNamed(u"Taro"_s)->person->changed());
    // Side data written ahead of a refused store reads as never made.
    EXPECT_EQ(shownIn(loadAsAtRestart(), u"Taro"_s), shownFor(0));

    ASSERT_TRUE(save());
    EXPECT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(shownIn(loadAsAtRestart(), u"Taro"_s), shownFor(1));
}

INSTANTIATE_TEST_SUITE_P(Faults, StoreFaultSaveTest, testing::Bool(),
    [](const testing::TestParamInfo<bool> &info) { return info.param ? "heldByAnotherProgram" : "readOnlyFolder"; });

TEST_F(SaveFaultTest, SaveOverContactsThatCanNoLongerBeReadFailsAndKeepsTheEdits)
{
    const ContainerTablePtr tables = m_delegate->containerTable();
    edit(u"Taro"_s, 1);
    ASSERT_TRUE(StoreFileDamage::damageFirstContactFields(m_store->filePath()));
    EXPECT_FALSE(save());
    expectNothingSaved(tables, QString());
}

enum class Damage { InteriorPage, ContactFields };

class DamagedStoreLoadTest : public AddressBookTest, public testing::WithParamInterface<Damage> { };

TEST_P(DamagedStoreLoadTest, IsAnAlertNamingFileAndDamageWithNothingShownNorWritten)
{
    const QString path = m_store->filePath();
    StoreSaveRequest request;
    for (int i = 0; i < 2000; ++i) {
        StoreContact contact;
        contact.setGivenName(u"Taro %1"_s.arg(i));
        request.addContact(contact);
    }
    ASSERT_TRUE(m_store->execute(request));
    m_delegate.reset();
    m_store.reset();
    const bool page = GetParam() == Damage::InteriorPage;
    ASSERT_TRUE(page ? StoreFileDamage::damageInteriorPage(path) : StoreFileDamage::damageFirstContactFields(path));
    const QByteArray damaged = fileBytes(path);
    m_store = std::make_unique<ContactStore>(path);
    relaunch();

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    const QString informativeText = m_alerts.alerts.first().informativeText;
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"The contacts store is damaged."_s);
    EXPECT_TRUE(informativeText.contains(path)) << informativeText.toStdString();
    EXPECT_TRUE(informativeText.contains(page ? u"Page "_s : u"fields"_s)) << informativeText.toStdString();
    EXPECT_TRUE(m_delegate->containerTable()->isEmpty());
    markEdited();
    EXPECT_FALSE(m_delegate->canSaveOrRevert());
    EXPECT_FALSE(save());

    m_delegate.reset();
    m_store.reset();
    EXPECT_EQ(fileBytes(path), damaged);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedStoreLoadTest, testing::Values(Damage::InteriorPage, Damage::ContactFields));

TEST_F(AddressBookTest, WriteProtectedStoreIsShownAfterAnAlert)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    ContactStore store(m_store->filePath());
    AddressBookLoader loader(store, m_delegate->sideStore());
    QList<RecordingAlertPresenter::Alert> alerts;
    loader.setAlertPoster([&alerts](const QString &message, const QString &informativeText) {
        alerts.append({message, informativeText});
    });

    WriteProtection protection(m_folder);
    const AddressBookTables tables = loader.loadAddressBook({});

    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts.first().messageText, u"The contacts store can't be written."_s);
    EXPECT_TRUE(alerts.first().informativeText.contains(u"write-protected"_s));
    EXPECT_FALSE(tables.storeUnreadable);
    ASSERT_TRUE(tables.contactTable);
    EXPECT_EQ(tables.contactTable->size(), 1);
}

TEST_F(AddressBookTest, TemporaryFilesOfInterruptedWritesAreRemovedAtTheNextStart)
{
    const QStringList leftovers{sideFilePath() + u".aB3xYz"_s, m_folder + u"/KeyValueStore.json.Qw12Er"_s};
    const QStringList others{
        sideFilePath() + u".notes"_s, sideFilePath() + u".aB3xY"_s, m_folder + u"/Other.json.Qw12Er"_s};
    for (const QString &path : leftovers + others)
        writeBytes(path, "Hanako");

    relaunch();

    for (const QString &path : leftovers)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString &path : others)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
}
