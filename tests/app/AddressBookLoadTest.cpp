#include "AddressBookTestSupport.h"
#include "PersonValueDump.h"

#include "app/AddressBookLoader.h"
#include "app/RenmeiAndHagakiStore.h"
#include "common/GeneratedAddressBook.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The hand-over is queued even on the main thread, and gives the loaded
// tables before the represented object.
TEST_F(AddressBookTest, LoadShowsTheTopGroupsContactsAndHandsTheVeryTablesOverThenTheRepresentedObject)
{
    const StoreContact taro = seedContact(u"Taro"_s, u"Yamada"_s);
    seedContact(u"Hanako"_s, u"Sato"_s);
    seedGroup(u"Family"_s, {taro.identifier()});
    seedGroup(QString());
    launch();

    const ContainerTablePtr containers = m_delegate->containerTable();
    ASSERT_EQ(containers->size(), 1);
    const GroupRecordPtr top = topGroup();
    EXPECT_EQ(top->name, u"All Contacts"_s);
    ASSERT_EQ(top->contactTable->size(), 2);
    for (const ContactRecordPtr &row : std::as_const(*top->contactTable))
        EXPECT_FALSE(row->isNew || row->deleted || row->person->created() || row->person->changed());
    const GroupListPtr groups = containers->first()->groups;
    ASSERT_EQ(groups->size(), 3);
    EXPECT_EQ(groups->at(1)->uniqueId, groups->at(1)->cnGroup.value_or(StoreGroup()).identifier());
    EXPECT_FALSE(groups->at(1)->contactTable);

    EXPECT_EQ(std::tuple(m_view.containerTable, m_view.selectedGroupDict, m_view.contactTable),
        std::tuple(containers, top, top->contactTable));
    const QStringList handOver{u"containerTable"_s, u"selectedGroupDict"_s, u"contactTable"_s, u"representedObject"_s};
    EXPECT_EQ(m_view.calls, handOver);
    m_view.calls.clear();
    m_delegate->updateContainerTableInViewController();
    EXPECT_TRUE(m_view.calls.isEmpty());
    endTurn();
    EXPECT_EQ(m_view.calls, handOver);
}

// Which container's contacts the load shows, by the last container shown.
enum class LastContainer { Account, Stale, Absent };

class ChosenContainerTest : public AddressBookTest, public testing::WithParamInterface<LastContainer> { };

TEST_P(ChosenContainerTest, LastContainerShownElseTheFirstOrTheStoresDefault)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    const std::optional<StoreContainer> account = m_store->addContainer(u"Work"_s, StoreContainer::Type::CardDAV);
    ASSERT_TRUE(account.has_value());
    ASSERT_TRUE(m_store->addContainer(u"Nameless"_s, StoreContainer::Type::Unassigned).has_value());
    if (GetParam() != LastContainer::Absent)
        m_userDefaults->setObject(GetParam() == LastContainer::Account ? account->identifier : u"gone"_s,
            AppDelegate::lastContainerIdentifierKey);
    launch();

    const ContainerTablePtr containers = m_delegate->containerTable();
    ASSERT_EQ(containers->size(), 2);
    const bool chosen = GetParam() == LastContainer::Account;
    const ContainerRecordPtr expected = containers->at(chosen ? 1 : 0);
    EXPECT_EQ(m_delegate->selectedGroupDict(), expected->topGroup());
    // An empty container gets an empty table to add contacts to.
    ASSERT_TRUE(m_delegate->contactTable());
    EXPECT_EQ(m_delegate->contactTable()->size(), chosen ? 0 : 1);
    // Only the chosen container's contacts are fetched.
    EXPECT_FALSE(containers->at(chosen ? 0 : 1)->topGroup()->contactTable);
}

INSTANTIATE_TEST_SUITE_P(Containers, ChosenContainerTest,
    testing::Values(LastContainer::Account, LastContainer::Stale, LastContainer::Absent));

TEST_F(AddressBookTest, SideRecordsApplyFromTheFileThenFromTheKeyValueStoreSkippingEntriesOfTheWrongShape)
{
    const StoreContact taro = seedContact(u"Taro"_s, u"Yamada"_s);
    const StoreContact hanako = seedContact(u"Hanako"_s, u"Sato"_s);
    const StoreContact jiro = seedContact(u"Jiro"_s, u"Sato"_s);
    RenmeiAndHagakiStore sideStore(m_keyValueStore.get(), sideFilePath());
    RenmeiAndHagakiRecord fileRecord;
    fileRecord.renmei = u"From the file"_s;
    ASSERT_TRUE(sideStore.saveRenmeiAndHagakiContainers({{m_store->defaultContainerIdentifier(),
        {{taro.identifier(), fileRecord}, {hanako.identifier(), fileRecord}}}}));
    RenmeiAndHagakiRecord keyValueRecord;
    keyValueRecord.renmei = u"From the key-value store"_s;
    sideStore.keyValueSaveRenmeiAndHagaki({{u"any"_s, {{hanako.identifier(), keyValueRecord}}}});
    m_keyValueStore->setObject(QVariantMap{{u"Renmei"_s, 42}}, jiro.identifier());
    LoggedMessages log;
    launch();

    const auto renmeiOf = [this](const char *name) {
        return rowNamed(QLatin1String(name))->person->stringValues()->value(FieldId::Renmei);
    };
    EXPECT_EQ(renmeiOf("Taro"), u"From the file"_s);
    EXPECT_EQ(renmeiOf("Hanako"), u"From the key-value store"_s);
    EXPECT_TRUE(renmeiOf("Jiro").isEmpty());
    EXPECT_TRUE(log.contains(jiro.identifier()));
}

// The answer the store gives about access to the user's contacts.
class StoreAccessTest : public AddressBookTest, public testing::WithParamInterface<ContactStore::AccessBehaviour> {
protected:
    void TearDown() override
    {
        ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::Authorized);
        AddressBookTest::TearDown();
    }
};

TEST_P(StoreAccessTest, WithoutAccessThePrivacyAlertComesAfterADelayAndNothingLoads)
{
    seedContact(u"Taro"_s, u"Yamada"_s);
    ContactStore::setAccessBehaviour(GetParam());
    QSignalSpy loaded(m_delegate.get(), &AppDelegate::addressBookLoaded);
    m_delegate->applicationDidFinishLaunching();
    endTurn();
    EXPECT_TRUE(m_alerts.alerts.isEmpty());

    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_alerts.alerts.isEmpty(); }, 5000));
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(m_alerts.alerts.first().messageText, u"Please allow \"Quillmark\" to access your contacts."_s);
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_FALSE(m_delegate->containerTable());
}

INSTANTIATE_TEST_SUITE_P(Access, StoreAccessTest,
    testing::Values(ContactStore::AccessBehaviour::Denied, ContactStore::AccessBehaviour::Restricted,
        ContactStore::AccessBehaviour::NotDeterminedThenRefuse));

// The load makes the records of many contacts on several threads at once:
// each is the record one contact read and made by itself gives, side record
// applied, in the store's order.
TEST_F(AddressBookTest, RecordsMadeTogetherAreThoseMadeOneByOneInStoreOrder)
{
    StoreSaveRequest request;
    QList<StoreContact> contacts;
    for (int i = 0; i < 700; ++i) {
        contacts.append(GeneratedAddressBook::makeContact(i));
        request.addContact(contacts.last());
    }
    ASSERT_TRUE(m_store->execute(request));
    RenmeiAndHagakiStore sideStore(m_keyValueStore.get(), sideFilePath());
    RenmeiAndHagakiRecords fileRecords;
    for (int i = 0; i < contacts.size(); i += 7) {
        RenmeiAndHagakiRecord record;
        record.renmei = u"連名 %1"_s.arg(i);
        fileRecords.insert(contacts.at(i).identifier(), record);
    }
    ASSERT_TRUE(sideStore.saveRenmeiAndHagakiContainers({{m_store->defaultContainerIdentifier(), fileRecords}}));
    launch();

    const ContactTable &loaded = *topGroup()->contactTable;
    const std::optional<QList<StoreContact>> stored
        = AddressBookLoader(*m_store, sideStore)
              .cnContactsForGroup(std::nullopt, m_store->defaultContainerIdentifier());
    ASSERT_TRUE(stored);
    ASSERT_EQ(loaded.size(), stored->size());
    for (qsizetype i = 0; i < loaded.size(); ++i) {
        const MVPersonPtr alone = MVPerson::initWithCNContact(stored->at(i));
        if (const auto record = fileRecords.constFind(stored->at(i).identifier()); record != fileRecords.cend())
            RenmeiAndHagakiStore::applyRenmeiAndHagakiRecord(*record, *alone);
        ASSERT_EQ(loaded.at(i)->uniqueId, stored->at(i).identifier()) << i;
        EXPECT_EQ(dumpPerson(*loaded.at(i)->person), dumpPerson(*alone)) << i;
    }
}
