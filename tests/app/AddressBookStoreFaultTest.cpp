#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"
#include "app/WindowController.h"
#include "common/HeldStoreLock.h"
#include "common/StoreFileDamage.h"
#include "common/WriteProtection.h"
#include "platform/UndoManager.h"

#include <QFile>

#include <optional>

namespace {

enum class Fault { HeldByAnotherProgram, WriteProtected };

struct SaveFault {
    const char *name;
    Fault fault;
    // What the alert must say. With the whole folder protected the side file,
    // written ahead of the store, is the first to be refused.
    const char *cause;
};

class StoreFaultSaveTest : public AddressBookTest, public testing::WithParamInterface<SaveFault> { };

enum class Damage { InteriorPage, ContactFields };

struct StoreDamage {
    const char *name;
    Damage damage;
    const char *named; // how the alert names the damage
};

class DamagedStoreLoadTest : public AddressBookTest, public testing::WithParamInterface<StoreDamage> { };

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_P(StoreFaultSaveTest, SaveFailsWithItsCauseKeepsTheEditsAndSucceedsOnceTheFaultIsGone)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    // A store object of the window's own, as at start-up: its first load runs
    // on a worker, so the main thread opens the file only when saving.
    m_store = std::make_unique<ContactStore>(m_store->filePath());
    relaunch();
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    taro->person->stringValues()->setEntry(FieldId::Renmei, QStringLiteral("Hanako"));
    taro->person->stringValues()->setEntry(FieldId::Company, QStringLiteral("Yamada Shoten"));
    taro->person->setChanged(true);
    markEdited();

    {
        std::optional<HeldStoreLock> lock;
        std::optional<WriteProtection> protection;
        if (GetParam().fault == Fault::HeldByAnotherProgram)
            ASSERT_TRUE(lock.emplace(m_store->filePath()).isHeld());
        else
            protection.emplace(m_folder);
        EXPECT_FALSE(save());
    }

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(QLatin1String(GetParam().cause)))
        << m_alerts.alerts.first().informativeText.toStdString();
    EXPECT_TRUE(m_delegate->window()->isWindowModified());
    EXPECT_TRUE(m_delegate->canSaveOrRevert());
    EXPECT_TRUE(taro->person->changed());

    ASSERT_TRUE(save());
    EXPECT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(
        rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Renmei), QStringLiteral("Hanako"));
    EXPECT_EQ(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Company),
        QStringLiteral("Yamada Shoten"));
}

INSTANTIATE_TEST_SUITE_P(Faults, StoreFaultSaveTest,
    testing::Values(SaveFault{"heldByAnotherProgram", Fault::HeldByAnotherProgram, "in use by another program"},
        SaveFault{"writeProtected", Fault::WriteProtected, "can't be written"}),
    [](const testing::TestParamInfo<SaveFault> &info) { return std::string(info.param.name); });

TEST_P(DamagedStoreLoadTest, IsAnAlertNamingFileAndDamageWithNothingShownNorWritten)
{
    const QString path = m_store->filePath();
    StoreSaveRequest request;
    for (int i = 0; i < 2000; ++i) {
        StoreContact contact;
        contact.setGivenName(QStringLiteral("Taro %1").arg(i));
        contact.setFamilyName(QStringLiteral("Yamada"));
        request.addContact(contact);
    }
    ASSERT_TRUE(m_store->execute(request));
    m_delegate.reset();
    m_store.reset();
    ASSERT_TRUE(GetParam().damage == Damage::InteriorPage ? StoreFileDamage::damageInteriorPage(path)
                                                          : StoreFileDamage::damageFirstContactFields(path));
    const QByteArray damaged = fileBytes(path);
    m_store = std::make_unique<ContactStore>(path);
    relaunch();

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    const QString informativeText = m_alerts.alerts.first().informativeText;
    EXPECT_EQ(m_alerts.alerts.first().messageText, QStringLiteral("The contacts store is damaged."));
    EXPECT_TRUE(informativeText.contains(path)) << informativeText.toStdString();
    EXPECT_TRUE(informativeText.contains(QLatin1String(GetParam().named))) << informativeText.toStdString();
    EXPECT_TRUE(m_delegate->containerTable()->isEmpty());
    markEdited();
    EXPECT_FALSE(m_delegate->canSaveOrRevert());
    EXPECT_FALSE(save());

    m_delegate.reset();
    m_store.reset();
    EXPECT_EQ(fileBytes(path), damaged);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedStoreLoadTest,
    testing::Values(StoreDamage{"interiorPage", Damage::InteriorPage, "Page "},
        StoreDamage{"contactFields", Damage::ContactFields, "fields"}),
    [](const testing::TestParamInfo<StoreDamage> &info) { return std::string(info.param.name); });

TEST_F(AddressBookTest, WriteProtectedStoreIsShownAfterAnAlert)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    ContactStore store(m_store->filePath());
    AddressBookLoader loader(store, m_delegate->sideStore());
    QList<RecordingAlertPresenter::Alert> alerts;
    loader.setAlertPoster([&alerts](const QString &message, const QString &informativeText) {
        alerts.append({message, informativeText});
    });

    WriteProtection protection(m_folder);
    const AddressBookTables tables = loader.loadAddressBook({});

    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts.first().messageText, QStringLiteral("The contacts store can't be written."));
    EXPECT_TRUE(alerts.first().informativeText.contains(QLatin1String("write-protected")))
        << alerts.first().informativeText.toStdString();
    EXPECT_FALSE(tables.storeUnreadable);
    ASSERT_TRUE(tables.contactTable);
    EXPECT_EQ(tables.contactTable->size(), 1);
}

TEST_F(AddressBookTest, SaveOverContactsThatCanNoLongerBeReadFailsAndKeepsTheEdits)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    relaunch();
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    taro->person->stringValues()->setEntry(FieldId::Company, QStringLiteral("Yamada Shoten"));
    taro->person->setChanged(true);
    markEdited();
    ASSERT_TRUE(StoreFileDamage::damageFirstContactFields(m_store->filePath()));

    EXPECT_FALSE(save());

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_TRUE(m_delegate->window()->isWindowModified());
    EXPECT_TRUE(taro->person->changed());
}
