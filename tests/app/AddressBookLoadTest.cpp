#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

TEST_F(AddressBookTest, LocalOnlyStoreLoadsAsOneContainerWithAllContacts)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
    launch();

    const ContainerTablePtr containers = m_delegate->containerTable();
    ASSERT_EQ(containers->size(), 1);
    EXPECT_EQ(containers->first()->identifier, m_store->defaultContainerIdentifier());
    ASSERT_EQ(containers->first()->groups->size(), 1);
    const GroupRecordPtr top = topGroup();
    EXPECT_TRUE(top->top);
    EXPECT_EQ(top->name, QStringLiteral("All Contacts"));
    EXPECT_EQ(m_delegate->selectedGroupDict(), top);
    EXPECT_EQ(m_delegate->contactTable(), top->contactTable);
    ASSERT_EQ(top->contactTable->size(), 2);
    for (const ContactRecordPtr &row : std::as_const(*top->contactTable)) {
        EXPECT_FALSE(row->isNew || row->deleted);
        EXPECT_FALSE(row->person->created() || row->person->changed());
    }
}

// The hand-over is queued even on the main thread, and gives the loaded
// tables before the represented object.
TEST_F(AddressBookTest, HandOverGivesTheMainViewTheDelegatesVeryTablesThenTheRepresentedObject)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    launch();

    EXPECT_EQ(m_view.containerTable, m_delegate->containerTable());
    EXPECT_EQ(m_view.selectedGroupDict, m_delegate->selectedGroupDict());
    EXPECT_EQ(m_view.contactTable, m_delegate->contactTable());
    const QStringList handOver{QStringLiteral("containerTable"), QStringLiteral("selectedGroupDict"),
        QStringLiteral("contactTable"), QStringLiteral("representedObject")};
    EXPECT_EQ(m_view.calls, handOver);

    m_view.calls.clear();
    m_delegate->updateContainerTableInViewController();
    EXPECT_TRUE(m_view.calls.isEmpty());
    processEvents();
    EXPECT_EQ(m_view.calls, handOver);
}

// Which container's contacts the load shows, by the last container shown.
enum class LastContainer { Account, Stale, Absent };

class ChosenContainerTest : public AddressBookTest, public testing::WithParamInterface<LastContainer> { };

TEST_P(ChosenContainerTest, LastContainerShownElseTheFirstOrTheStoresDefault)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    const std::optional<StoreContainer> account
        = m_store->addContainer(QStringLiteral("Work"), StoreContainer::Type::CardDAV);
    ASSERT_TRUE(account.has_value());
    ASSERT_TRUE(m_store->addContainer(QStringLiteral("Nameless"), StoreContainer::Type::Unassigned).has_value());
    if (GetParam() == LastContainer::Account)
        m_userDefaults->setObject(account->identifier, AppDelegate::lastContainerIdentifierKey);
    else if (GetParam() == LastContainer::Stale)
        m_userDefaults->setObject(QStringLiteral("no-such-container"), AppDelegate::lastContainerIdentifierKey);
    launch();

    const ContainerTablePtr containers = m_delegate->containerTable();
    ASSERT_EQ(containers->size(), 2);
    EXPECT_EQ(containers->at(1)->name, QStringLiteral("Work"));
    EXPECT_EQ(containers->at(1)->type, 3);
    const ContainerRecordPtr expected = GetParam() == LastContainer::Account ? containers->at(1) : containers->at(0);
    EXPECT_EQ(m_delegate->selectedGroupDict(), expected->topGroup());
    EXPECT_EQ(m_delegate->contactTable(), expected->topGroup()->contactTable);
    EXPECT_EQ(m_delegate->contactTable()->size(), GetParam() == LastContainer::Account ? 0 : 1);
    // Only the chosen container's contacts are fetched.
    const ContainerRecordPtr other = GetParam() == LastContainer::Account ? containers->at(0) : containers->at(1);
    EXPECT_FALSE(other->topGroup()->contactTable);
}

INSTANTIATE_TEST_SUITE_P(Containers, ChosenContainerTest,
    testing::Values(LastContainer::Account, LastContainer::Stale, LastContainer::Absent));

TEST_F(AddressBookTest, GroupsFollowTheTopGroupWithTheirStoreGroupAndNoContactsYet)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    seedGroup(QStringLiteral("Family"), {taro.identifier()});
    seedGroup(QString());
    launch();

    const GroupListPtr groups = m_delegate->containerTable()->first()->groups;
    ASSERT_EQ(groups->size(), 3);
    const GroupRecordPtr family = groups->at(1);
    EXPECT_EQ(family->name, QStringLiteral("Family"));
    ASSERT_TRUE(family->cnGroup.has_value());
    EXPECT_EQ(family->uniqueId, family->cnGroup->identifier());
    EXPECT_FALSE(family->contactTable);
    EXPECT_EQ(groups->at(2)->name, QString());
}

TEST_F(AddressBookTest, EmptyContainerGetsAnEmptyTableToAddContactsTo)
{
    launch();
    ASSERT_TRUE(m_delegate->contactTable());
    EXPECT_TRUE(m_delegate->contactTable()->isEmpty());
    EXPECT_EQ(m_delegate->contactTable(), topGroup()->contactTable);
}

TEST_F(AddressBookTest, StoreThatCannotBeOpenedIsAnAlertNamingTheFile)
{
    const QString path = m_folder + QStringLiteral("/Broken.sqlite");
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, 'x'));
    broken.close();
    m_delegate.reset();
    m_store = std::make_unique<ContactStore>(path);
    relaunch();

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(path))
        << m_alerts.alerts.first().informativeText.toStdString();
    EXPECT_TRUE(m_delegate->containerTable()->isEmpty());
}

TEST_F(AddressBookTest, SideRecordsApplyFromTheFileThenFromTheKeyValueStore)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    const StoreContact hanako = seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
    RenmeiAndHagakiStore sideStore(m_keyValueStore.get(), sideFilePath());
    RenmeiAndHagakiRecord fileRecord;
    fileRecord.renmei = QStringLiteral("From the file");
    ASSERT_TRUE(sideStore.saveRenmeiAndHagakiContainers({{m_store->defaultContainerIdentifier(),
        {{taro.identifier(), fileRecord}, {hanako.identifier(), fileRecord}}}}));
    RenmeiAndHagakiRecord keyValueRecord;
    keyValueRecord.renmei = QStringLiteral("From the key-value store");
    sideStore.keyValueSaveRenmeiAndHagaki({{QStringLiteral("any"), {{hanako.identifier(), keyValueRecord}}}});
    launch();

    EXPECT_EQ(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Renmei),
        QStringLiteral("From the file"));
    EXPECT_EQ(rowNamed(QStringLiteral("Hanako"))->person->stringValues()->value(FieldId::Renmei),
        QStringLiteral("From the key-value store"));
}

TEST_F(AddressBookTest, KeyValueEntryOfTheWrongShapeIsSkipped)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    const StoreContact hanako = seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
    m_keyValueStore->setObject(QStringLiteral("not a record"), taro.identifier());
    m_keyValueStore->setObject(QVariantMap{{QStringLiteral("Renmei"), 42}}, hanako.identifier());
    LoggedMessages log;
    launch();

    EXPECT_EQ(topGroup()->contactTable->size(), 2);
    EXPECT_TRUE(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Renmei).isEmpty());
    EXPECT_TRUE(rowNamed(QStringLiteral("Hanako"))->person->stringValues()->value(FieldId::Renmei).isEmpty());
    EXPECT_TRUE(log.contains(taro.identifier()));
    EXPECT_TRUE(log.contains(hanako.identifier()));
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
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    ContactStore::setAccessBehaviour(GetParam());
    QSignalSpy loaded(m_delegate.get(), &AppDelegate::addressBookLoaded);
    m_delegate->applicationDidFinishLaunching();
    processEvents();
    EXPECT_TRUE(m_alerts.alerts.isEmpty());

    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_alerts.alerts.isEmpty(); }, 5000));

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_EQ(
        m_alerts.alerts.first().messageText, QStringLiteral("Please allow \"Quillmark\" to access your contacts."));
    EXPECT_TRUE(
        m_alerts.alerts.first().informativeText.startsWith(QStringLiteral("Quillmark needs to access your contacts")));
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_FALSE(m_delegate->containerTable());
}

INSTANTIATE_TEST_SUITE_P(Access, StoreAccessTest,
    testing::Values(ContactStore::AccessBehaviour::Denied, ContactStore::AccessBehaviour::Restricted,
        ContactStore::AccessBehaviour::NotDeterminedThenRefuse));
