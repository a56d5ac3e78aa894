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
        seedGroup(QStringLiteral("Family"), {m_taro.identifier()});
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
