#include "AddressBookTestSupport.h"

#include "app/RenmeiAndHagakiStore.h"
#include "app/WindowController.h"
#include "platform/UndoManager.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <QFile>

namespace {

void setRenmei(const ContactRecordPtr &row, const QString &renmei)
{
    row->person->stringValues()->setEntry(FieldId::Renmei, renmei.isEmpty() ? std::nullopt : std::optional(renmei));
    row->person->setChanged(true);
}

[[nodiscard]] QString renmeiOf(const ContactRecordPtr &row)
{
    return row->person->stringValues()->value(FieldId::Renmei);
}

GroupRecordPtr addNewGroup(const ContainerRecordPtr &container, const QString &name)
{
    auto group = std::make_shared<GroupRecord>();
    group->name = name;
    group->containerName = container->name;
    group->containerIdentifier = container->identifier;
    group->isNew = true;
    group->contactTable = std::make_shared<ContactTable>();
    container->groups->append(group);
    return group;
}

} // namespace

// Save commits the value being typed first; with nothing edited after that
// it writes nothing.
TEST_F(AddressBookTest, SaveCommitsTheTypingAndWritesOnlyAnEditedWindow)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    launch();
    m_delegate->window()->undoManager()->registerUndo(this, [] {});
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    setRenmei(taro, QStringLiteral("Hanako"));
    EXPECT_FALSE(save());
    EXPECT_TRUE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_FALSE(QFile::exists(sideFilePath()));
    EXPECT_TRUE(m_view.calls.contains(QStringLiteral("commitEditing")));

    m_view.typing = [this, taro] {
        taro->person->stringValues()->setEntry(FieldId::Company, QStringLiteral("Typed Inc."));
        taro->person->setChanged(true);
        markEdited();
    };
    m_view.calls.clear();
    ASSERT_TRUE(save());
    EXPECT_EQ(m_view.calls.mid(0, 2), (QStringList{QStringLiteral("commitEditing"), QStringLiteral("updateTable")}));
    EXPECT_EQ(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Company),
        QStringLiteral("Typed Inc."));
    EXPECT_EQ(renmeiOf(rowNamed(QStringLiteral("Taro"))), QStringLiteral("Hanako"));
}

TEST_F(AddressBookTest, FailedSaveKeepsEveryPendingChangeAndASecondSaveStoresEverything)
{
    const StoreContact yamada = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    launch();
    const ContainerTablePtr tables = m_delegate->containerTable();
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    setRenmei(taro, QStringLiteral("Hanako"));
    taro->person->stringValues()->setEntry(FieldId::Company, QStringLiteral("Yamada Shoten"));
    const ContactRecordPtr jiro = addCreatedContact(QStringLiteral("Jiro"));
    jiro->person->stringValues()->setEntry(FieldId::Renmei, QStringLiteral("Saburo"));
    const GroupRecordPtr family = addNewGroup(m_delegate->containerTable()->first(), QStringLiteral("Family"));
    family->contactTable->append(groupRow(jiro, true, false));
    markEdited();

    StoreTestHooks::setStatementHook([](int) { return false; });
    EXPECT_FALSE(save());

    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_FALSE(m_alerts.alerts.first().informativeText.isEmpty());
    EXPECT_EQ(m_delegate->containerTable(), tables);
    EXPECT_TRUE(m_delegate->window()->isWindowModified());
    EXPECT_TRUE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_TRUE(taro->person->changed());
    EXPECT_TRUE(jiro->person->created());
    EXPECT_FALSE(jiro->person->cnContact().has_value());
    // The side data written ahead of the store reads as not made.
    const std::optional<qint64> generation = m_store->saveGeneration();
    const auto sideRecords = m_delegate->sideStore().restoreRenmeiAndHagakiContainers(generation);
    ASSERT_TRUE(sideRecords.has_value());
    EXPECT_TRUE(sideRecords->value(m_store->defaultContainerIdentifier()).isEmpty());
    EXPECT_FALSE(m_delegate->sideStore().keyValueRestoreForGeneration(generation).valueForKey(yamada.identifier()));

    StoreTestHooks::setStatementHook({});
    ASSERT_TRUE(save());

    EXPECT_FALSE(m_delegate->window()->isWindowModified());
    EXPECT_FALSE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_EQ(m_view.containerTable, m_delegate->containerTable());
    EXPECT_EQ(m_view.contactTable, m_delegate->contactTable());
    EXPECT_EQ(renmeiOf(rowNamed(QStringLiteral("Taro"))), QStringLiteral("Hanako"));
    EXPECT_EQ(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Company),
        QStringLiteral("Yamada Shoten"));
    ASSERT_TRUE(rowNamed(QStringLiteral("Jiro")));
    EXPECT_EQ(renmeiOf(rowNamed(QStringLiteral("Jiro"))), QStringLiteral("Saburo"));
    EXPECT_EQ(contactsInGroupNamed(QStringLiteral("Family")), QStringList{QStringLiteral("Jiro")});
}

TEST_F(AddressBookTest, DeletedContactIsDeletedEvenWhenItWasAlsoChanged)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
    RenmeiAndHagakiRecord record;
    record.renmei = QStringLiteral("Jiro");
    m_delegate->sideStore().saveRenmeiAndHagakiContainers(
        {{m_store->defaultContainerIdentifier(), {{taro.identifier(), record}}}});
    m_delegate->sideStore().keyValueSaveRenmeiAndHagaki(
        {{m_store->defaultContainerIdentifier(), {{taro.identifier(), record}}}});
    launch();
    const ContactRecordPtr row = rowNamed(QStringLiteral("Taro"));
    setRenmei(row, QStringLiteral("Changed"));
    row->deleted = true;
    markEdited();

    ASSERT_TRUE(save());

    EXPECT_FALSE(rowNamed(QStringLiteral("Taro")));
    EXPECT_EQ(topGroup()->contactTable->size(), 1);
    EXPECT_FALSE(m_store->unifiedContactWithIdentifier(taro.identifier(), {}).has_value());
    // Its side entries go with it.
    EXPECT_FALSE(m_keyValueStore->objectForKey(taro.identifier()).isValid());
    const auto stored = m_delegate->sideStore().restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    EXPECT_FALSE(stored->value(m_store->defaultContainerIdentifier()).contains(taro.identifier()));
}

TEST_F(AddressBookTest, ChangingOneContactKeepsTheSideRecordsOfTheOthers)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"), [](StoreContact &contact) {
        contact.setPostalAddresses({{QStringLiteral("_$!<Home>!$_"),
            StorePostalAddress{.street = QStringLiteral("1-2-3 Ginza"),
                .city = QStringLiteral("Chuo-ku"),
                .state = QStringLiteral("Tokyo"),
                .postalCode = QStringLiteral("104-0061"),
                .country = QStringLiteral("Japan"),
                .isoCountryCode = QStringLiteral("jp")}}});
    });
    seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"), [](StoreContact &contact) {
        contact.setPostalAddresses({{QStringLiteral("_$!<Work>!$_"),
            StorePostalAddress{.street = QStringLiteral("4-5-6 Umeda"),
                .city = QStringLiteral("Kita-ku"),
                .state = QStringLiteral("Osaka"),
                .postalCode = QStringLiteral("530-0001"),
                .country = QStringLiteral("Japan"),
                .isoCountryCode = QStringLiteral("jp")}}});
    });
    launch();
    for (const QString &name : {QStringLiteral("Taro"), QStringLiteral("Hanako")}) {
        const ContactRecordPtr row = rowNamed(name);
        setRenmei(row, name + QStringLiteral("'s family"));
        row->person->addressValues()->first()->layout.sender = true;
        row->person->addressValues()->first()->layout.receiverName = QStringLiteral("{{10,20},{30,40}}");
    }
    markEdited();
    ASSERT_TRUE(save());

    setRenmei(rowNamed(QStringLiteral("Taro")), QStringLiteral("Only Taro changed"));
    markEdited();
    ASSERT_TRUE(save());
    relaunch();

    const ContactRecordPtr hanako = rowNamed(QStringLiteral("Hanako"));
    EXPECT_EQ(renmeiOf(hanako), QStringLiteral("Hanako's family"));
    const LabeledValueRecordPtr address = hanako->person->addressValues()->first();
    EXPECT_TRUE(address->layout.printsSender());
    EXPECT_EQ(address->layout.receiverName, QStringLiteral("{{10.00,20.00},{30.00,40.00}}"));
    EXPECT_EQ(renmeiOf(rowNamed(QStringLiteral("Taro"))), QStringLiteral("Only Taro changed"));
    EXPECT_TRUE(rowNamed(QStringLiteral("Taro"))->person->addressValues()->first()->layout.printsSender());
}

TEST_F(AddressBookTest, ClearedJointNamesStayCleared)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    launch();
    setRenmei(rowNamed(QStringLiteral("Taro")), QStringLiteral("Hanako"));
    markEdited();
    ASSERT_TRUE(save());
    ASSERT_TRUE(m_keyValueStore->objectForKey(taro.identifier()).isValid());

    setRenmei(rowNamed(QStringLiteral("Taro")), QString());
    markEdited();
    ASSERT_TRUE(save());
    relaunch();

    EXPECT_TRUE(renmeiOf(rowNamed(QStringLiteral("Taro"))).isEmpty());
    EXPECT_FALSE(m_keyValueStore->objectForKey(taro.identifier()).isValid());
    const auto stored = m_delegate->sideStore().restoreRenmeiAndHagakiContainers();
    ASSERT_TRUE(stored.has_value());
    EXPECT_FALSE(stored->value(m_store->defaultContainerIdentifier()).contains(taro.identifier()));
}

TEST_F(AddressBookTest, ContactRemovedFromAGroupLeavesTheGroupButStaysInTheStore)
{
    const StoreContact taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    const StoreContact hanako = seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
    seedGroup(QStringLiteral("Family"), {taro.identifier(), hanako.identifier()});
    launch();
    const GroupRecordPtr family = m_delegate->containerTable()->first()->groups->at(1);
    family->contactTable = std::make_shared<ContactTable>();
    family->contactTable->append(groupRow(rowNamed(QStringLiteral("Taro")), false, true));
    family->contactTable->append(groupRow(rowNamed(QStringLiteral("Hanako")), false, false));
    family->changed = true;
    family->name = QStringLiteral("Kin");
    family->groupNameChanged = true;
    markEdited();

    ASSERT_TRUE(save());

    EXPECT_EQ(contactsInGroupNamed(QStringLiteral("Kin")), QStringList{QStringLiteral("Hanako")});
    EXPECT_TRUE(m_store->unifiedContactWithIdentifier(taro.identifier(), {}).has_value());
}

TEST_F(AddressBookTest, RevertAskedFirstAndWhenConfirmedClearsTheUndoHistoryAndTheEditedMarkAndLoadsAgain)
{
    seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
    launch();
    setRenmei(rowNamed(QStringLiteral("Taro")), QStringLiteral("Hanako"));
    markEdited();
    const ContainerTablePtr before = m_delegate->containerTable();

    m_alerts.answer = AlertPresenter::SecondButtonReturn;
    m_delegate->revertAddressBookToSaved(nullptr);
    processEvents();
    EXPECT_EQ(m_alerts.confirmations, QStringList{QStringLiteral("Do you want to revert AddressBook?")});
    EXPECT_EQ(m_delegate->containerTable(), before);
    EXPECT_TRUE(m_delegate->window()->isWindowModified());
    EXPECT_TRUE(m_delegate->window()->undoManager()->canUndo());

    m_alerts.answer = AlertPresenter::FirstButtonReturn;
    m_delegate->revertAddressBookToSaved(nullptr);
    processEvents();
    EXPECT_NE(m_delegate->containerTable(), before);
    EXPECT_EQ(m_view.containerTable, m_delegate->containerTable());
    EXPECT_FALSE(m_delegate->window()->isWindowModified());
    EXPECT_FALSE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_TRUE(renmeiOf(rowNamed(QStringLiteral("Taro"))).isEmpty());
}
