#include "AddressBookTestSupport.h"

#include "app/SaveRequestBuilder.h"

namespace {

class SaveRequestBuilderTest : public AddressBookTest {
protected:
    void SetUp() override
    {
        AddressBookTest::SetUp();
        m_taro = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"));
        m_hanako = seedContact(QStringLiteral("Hanako"), QStringLiteral("Sato"));
        m_family = seedGroup(QStringLiteral("Family"), {m_taro.identifier()});
        launch();
    }

    [[nodiscard]] SaveRequestBuilder::Plan build() const
    {
        return SaveRequestBuilder(*m_store).saveAddressBook(*m_delegate->containerTable());
    }

    // The stored group "Family" with a contact table of the given rows.
    GroupRecordPtr familyWithRows(const QList<ContactRecordPtr> &rows)
    {
        const GroupRecordPtr family = m_delegate->containerTable()->first()->groups->at(1);
        family->contactTable = std::make_shared<ContactTable>(rows);
        return family;
    }

    StoreContact m_taro;
    StoreContact m_hanako;
    StoreGroup m_family;
};

[[nodiscard]] QStringList memberIdentifiers(const QList<StoreSaveRequest::Membership> &memberships)
{
    QStringList identifiers;
    for (const StoreSaveRequest::Membership &membership : memberships)
        identifiers.append(membership.contactIdentifier);
    return identifiers;
}

} // namespace

TEST_F(SaveRequestBuilderTest, UnchangedTablesSendNothing)
{
    const SaveRequestBuilder::Plan plan = build();
    EXPECT_TRUE(plan.request.isEmpty());
    EXPECT_TRUE(plan.sideRecords.isEmpty());
}

TEST_F(SaveRequestBuilderTest, ChangedAndDeletedContactIsOnlyDeleted)
{
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    taro->person->setChanged(true);
    taro->deleted = true;

    const SaveRequestBuilder::Plan plan = build();

    EXPECT_TRUE(plan.request.updatedContacts().isEmpty());
    EXPECT_EQ(plan.request.deletedContactIdentifiers(), QStringList{m_taro.identifier()});
    // The deleted contact's side entry goes too.
    ASSERT_TRUE(plan.sideRecords.value(m_store->defaultContainerIdentifier()).contains(m_taro.identifier()));
    EXPECT_TRUE(plan.sideRecords.value(m_store->defaultContainerIdentifier()).value(m_taro.identifier()).isEmpty());
}

TEST_F(SaveRequestBuilderTest, ContactCreatedAndDeletedBeforeTheSaveSendsNothing)
{
    const ContactRecordPtr jiro = addCreatedContact(QStringLiteral("Jiro"));
    jiro->deleted = true;
    familyWithRows({groupRow(jiro, true, false)});

    const SaveRequestBuilder::Plan plan = build();

    EXPECT_TRUE(plan.request.isEmpty());
    EXPECT_TRUE(plan.sideRecords.isEmpty());
}

TEST_F(SaveRequestBuilderTest, RowAddedToAGroupAndRemovedAgainSendsNoMembershipChange)
{
    familyWithRows({groupRow(rowNamed(QStringLiteral("Hanako")), true, true)});

    const SaveRequestBuilder::Plan plan = build();

    EXPECT_TRUE(plan.request.addedMembers().isEmpty());
    EXPECT_TRUE(plan.request.removedMembers().isEmpty());
}

TEST_F(SaveRequestBuilderTest, NewGroupGetsOnlyTheRowsNotRemovedAgainWithContactsCreatedInTheSameSave)
{
    const ContactRecordPtr jiro = addCreatedContact(QStringLiteral("Jiro"));
    auto friends = std::make_shared<GroupRecord>();
    friends->name = QStringLiteral("Friends");
    friends->isNew = true;
    friends->containerIdentifier = m_store->defaultContainerIdentifier();
    friends->contactTable = std::make_shared<ContactTable>(ContactTable{
        groupRow(rowNamed(QStringLiteral("Taro")), true, false),
        groupRow(rowNamed(QStringLiteral("Hanako")), true, true),
        groupRow(jiro, true, false),
    });
    m_delegate->containerTable()->first()->groups->append(friends);

    const SaveRequestBuilder::Plan plan = build();

    ASSERT_EQ(plan.request.addedGroups().size(), 1);
    ASSERT_EQ(plan.request.addedContacts().size(), 1);
    const QString jiroIdentifier = plan.request.addedContacts().first().contact.identifier();
    EXPECT_EQ(memberIdentifiers(plan.request.addedMembers()), (QStringList{m_taro.identifier(), jiroIdentifier}));
    for (const StoreSaveRequest::Membership &membership : plan.request.addedMembers())
        EXPECT_EQ(membership.groupIdentifier, plan.request.addedGroups().first().group.identifier());
}

TEST_F(SaveRequestBuilderTest, ExistingGroupSendsAdditionsAndRemovalsOfItsRows)
{
    familyWithRows({groupRow(rowNamed(QStringLiteral("Taro")), false, true),
        groupRow(rowNamed(QStringLiteral("Hanako")), true, false)});

    const SaveRequestBuilder::Plan plan = build();

    EXPECT_EQ(memberIdentifiers(plan.request.addedMembers()), QStringList{m_hanako.identifier()});
    EXPECT_EQ(memberIdentifiers(plan.request.removedMembers()), QStringList{m_taro.identifier()});
}

TEST_F(SaveRequestBuilderTest, FlagsAreSettledOnlyAfterTheStoreTookTheRequest)
{
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    taro->person->setChanged(true);
    const ContactRecordPtr jiro = addCreatedContact(QStringLiteral("Jiro"));

    SaveRequestBuilder::Plan plan = build();

    EXPECT_TRUE(taro->person->changed());
    EXPECT_TRUE(jiro->person->created());
    EXPECT_FALSE(jiro->person->cnContact().has_value());
    EXPECT_FALSE(taro->cnContact.has_value());

    plan.applySucceeded();

    EXPECT_FALSE(taro->person->changed());
    EXPECT_FALSE(jiro->person->created());
    ASSERT_TRUE(jiro->person->cnContact().has_value());
    EXPECT_EQ(jiro->person->cnContact()->identifier(), plan.request.addedContacts().first().contact.identifier());
    ASSERT_TRUE(taro->cnContact.has_value());
    EXPECT_EQ(taro->cnContact->identifier(), m_taro.identifier());
}

TEST_F(SaveRequestBuilderTest, SideRecordOfACreatedContactIsKeptUnderTheIdentifierTheStoreKeeps)
{
    const ContactRecordPtr jiro = addCreatedContact(QStringLiteral("Jiro"));
    jiro->person->stringValues()->setEntry(FieldId::Renmei, QStringLiteral("Saburo"));

    const SaveRequestBuilder::Plan plan = build();

    ASSERT_EQ(plan.request.addedContacts().size(), 1);
    const QString stored = plan.request.addedContacts().first().contact.identifier();
    const RenmeiAndHagakiRecords records = plan.sideRecords.value(m_store->defaultContainerIdentifier());
    EXPECT_EQ(records.keys(), QStringList{stored});
    EXPECT_EQ(records.value(stored).renmei, QStringLiteral("Saburo"));
}

TEST_F(SaveRequestBuilderTest, RenamedGroupIsSentWithItsNewName)
{
    const GroupRecordPtr family = familyWithRows({});
    family->name = QStringLiteral("Kin");
    family->groupNameChanged = true;

    const SaveRequestBuilder::Plan plan = build();

    ASSERT_EQ(plan.request.updatedGroups().size(), 1);
    EXPECT_EQ(plan.request.updatedGroups().first().identifier(), m_family.identifier());
    EXPECT_EQ(plan.request.updatedGroups().first().name(), QStringLiteral("Kin"));
}
