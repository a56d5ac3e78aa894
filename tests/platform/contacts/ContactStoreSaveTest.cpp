#include "StoreTestSupport.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <functional>

using namespace StoreTestSupport;

namespace {

class ContactStoreSave : public testing::Test {
protected:
    void TearDown() override { StoreTestHooks::setStatementHook({}); }

    // A store holding two contacts, a group with the first as member, and a
    // second group.
    void fillStore(ContactStore &store)
    {
        StoreSaveRequest request;
        request.addContact(m_first);
        request.addContact(m_second);
        request.addGroup(m_friends);
        request.addGroup(m_work);
        request.addMember(m_first, m_friends);
        StoreError error;
        ASSERT_TRUE(store.execute(request, &error)) << qPrintable(error.description);
    }

    // Touches every kind of operation once.
    [[nodiscard]] StoreSaveRequest mixedRequest() const
    {
        StoreSaveRequest request;
        StoreContact changed = m_first.mutableCopy();
        changed.setNote(QStringLiteral("changed"));
        StoreGroup renamed = m_work.mutableCopy();
        renamed.setName(QStringLiteral("Office"));
        const StoreContact added = typicalContact(3);
        const StoreGroup addedGroup(QStringLiteral("Choir"));
        request.addContact(added);
        request.addGroup(addedGroup);
        request.addMember(added, addedGroup);
        request.updateContact(changed);
        request.updateGroup(renamed);
        request.removeMember(m_first, m_friends);
        request.addMember(m_second, m_work);
        request.deleteContact(m_second);
        request.deleteGroup(m_friends);
        return request;
    }

    QString m_path = newStorePath(QStringLiteral("save"));
    StoreContact m_first = typicalContact(1);
    StoreContact m_second = typicalContact(2);
    StoreGroup m_friends{QStringLiteral("Friends")};
    StoreGroup m_work{QStringLiteral("Work")};
};

QByteArray pngImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

} // namespace

TEST_F(ContactStoreSave, RequestFailingAtAnyStatementLeavesTheStoreAsBefore)
{
    ContactStore store(m_path);
    fillStore(store);
    const QStringList before = snapshot(store);

    int statements = 0;
    StoreTestHooks::setStatementHook([&statements](int number) {
        statements = number;
        return true;
    });
    {
        ContactStore probe(newStorePath(QStringLiteral("probe")));
        fillStore(probe);
        statements = 0;
        ASSERT_TRUE(probe.execute(mixedRequest()));
    }
    ASSERT_GE(statements, 9);

    for (int failing = 1; failing <= statements; ++failing) {
        SCOPED_TRACE(failing);
        StoreTestHooks::setStatementHook([failing](int number) { return number != failing; });
        StoreError error;
        EXPECT_FALSE(store.execute(mixedRequest(), &error));
        EXPECT_TRUE(error.description.startsWith(QStringLiteral("Can't"))) << qPrintable(error.description);
        EXPECT_EQ(snapshot(store), before);
    }
    StoreTestHooks::setStatementHook({});
    EXPECT_TRUE(store.execute(mixedRequest()));
    EXPECT_NE(snapshot(store), before);
}

TEST_F(ContactStoreSave, RequestNamingWhatTheStoreLacksOrHoldsFailsWhole)
{
    ContactStore store(m_path);
    fillStore(store);
    const QStringList before = snapshot(store);
    StoreContact stranger = typicalContact(6);
    stranger.setGivenName(QStringLiteral("Nobody"));
    const std::pair<std::function<void(StoreSaveRequest &)>, StoreError::Code> requests[] = {
        {[&](StoreSaveRequest &r) { r.updateContact(stranger); }, StoreError::Code::RecordDoesNotExist},
        {[&](StoreSaveRequest &r) { r.addContact(m_first); }, StoreError::Code::RecordExists},
        {[&](StoreSaveRequest &r) { r.addMember(stranger, m_friends); }, StoreError::Code::RecordDoesNotExist},
    };
    for (const auto &[fill, code] : requests) {
        StoreSaveRequest request;
        request.addContact(typicalContact(5));
        fill(request);
        StoreError error;
        EXPECT_FALSE(store.execute(request, &error));
        EXPECT_EQ(error.code, code);
        EXPECT_EQ(snapshot(store), before);
    }
    StoreSaveRequest update;
    update.updateContact(stranger);
    StoreError error;
    EXPECT_FALSE(store.execute(update, &error));
    EXPECT_TRUE(error.description.contains(QStringLiteral("Nobody Yamada"))) << qPrintable(error.description);
}

TEST_F(ContactStoreSave, OneRequestAddsAGroupAndAContactAndMakesItAMember)
{
    ContactStore store(m_path);
    const StoreContact contact = typicalContact(1);
    const StoreGroup group(QStringLiteral("Family"));
    StoreSaveRequest request;
    request.addMember(contact, group);
    request.addContact(contact);
    request.addGroup(group);
    StoreError error;
    ASSERT_TRUE(store.execute(request, &error)) << qPrintable(error.description);

    const auto groups = store.groupsMatchingPredicate(
        StorePredicate::predicateForGroupsInContainerWithIdentifier(store.defaultContainerIdentifier()));
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups.first().identifier(), group.identifier());
    EXPECT_EQ(groups.first().name(), QStringLiteral("Family"));
    EXPECT_EQ(contactIdentifiers(store, StorePredicate::predicateForContactsInGroupWithIdentifier(group.identifier())),
        QStringList{contact.identifier()});
}

TEST_F(ContactStoreSave, UpdateAfterAPartialFetchLeavesTheUnfetchedFieldsAlone)
{
    ContactStore store(m_path);
    StoreContact original = everyFieldContact();
    original.setImageData(pngImage(40, 40));
    StoreSaveRequest add;
    add.addContact(original);
    ASSERT_TRUE(store.execute(add));
    const QStringList before = snapshot(store);

    std::optional<StoreContact> partial = store.unifiedContactWithIdentifier(
        original.identifier(), {ContactKeys::givenName, ContactKeys::phoneNumbers});
    ASSERT_TRUE(partial);
    EXPECT_FALSE(partial->isKeyAvailable(ContactKeys::note));
    EXPECT_TRUE(partial->note().isEmpty());
    StoreContact changed = partial->mutableCopy();
    changed.setGivenName(QStringLiteral("Jiro"));
    changed.setPhoneNumbers({});
    StoreSaveRequest update;
    update.updateContact(changed);
    ASSERT_TRUE(store.execute(update));

    const std::optional<StoreContact> after
        = store.unifiedContactWithIdentifier(original.identifier(), ContactKeys::allContactKeys());
    ASSERT_TRUE(after);
    EXPECT_EQ(after->givenName(), QStringLiteral("Jiro"));
    EXPECT_TRUE(after->phoneNumbers().isEmpty());
    EXPECT_EQ(after->familyName(), original.familyName());
    EXPECT_EQ(after->note(), original.note());
    EXPECT_EQ(after->postalAddresses(), original.postalAddresses());
    EXPECT_EQ(after->birthday(), original.birthday());
    EXPECT_EQ(after->imageData(), original.imageData());
    EXPECT_EQ(snapshot(store).size(), before.size());
}

TEST_F(ContactStoreSave, EveryFieldComesBackAsSavedWithItsValueIdentifiers)
{
    ContactStore store(m_path);
    const StoreContact original = everyFieldContact();
    StoreSaveRequest request;
    request.addContact(original);
    ASSERT_TRUE(store.execute(request));

    const std::optional<StoreContact> fetched
        = store.unifiedContactWithIdentifier(original.identifier(), ContactKeys::allContactKeys());
    ASSERT_TRUE(fetched);
    for (const QString &key : ContactKeys::stringContactKeys())
        EXPECT_EQ(fetched->stringForKey(key), original.stringForKey(key)) << qPrintable(key);
    EXPECT_EQ(fetched->contactType(), StoreContact::ContactType::Organization);
    EXPECT_EQ(fetched->phoneNumbers(), original.phoneNumbers());
    EXPECT_EQ(fetched->emailAddresses(), original.emailAddresses());
    EXPECT_EQ(fetched->postalAddresses(), original.postalAddresses());
    EXPECT_EQ(fetched->urlAddresses(), original.urlAddresses());
    EXPECT_EQ(fetched->contactRelations(), original.contactRelations());
    EXPECT_EQ(fetched->socialProfiles(), original.socialProfiles());
    EXPECT_EQ(fetched->instantMessageAddresses(), original.instantMessageAddresses());
    EXPECT_EQ(fetched->birthday(), original.birthday());
    EXPECT_EQ(fetched->dates(), original.dates());
}

TEST_F(ContactStoreSave, StoreMakesAThumbnailFromTheImageAndDropsItWithTheImage)
{
    ContactStore store(m_path);
    StoreContact contact = typicalContact(1);
    contact.setImageData(pngImage(1200, 600));
    StoreSaveRequest add;
    add.addContact(contact);
    ASSERT_TRUE(store.execute(add));

    const QStringList imageKeys{ContactKeys::imageData, ContactKeys::thumbnailImageData};
    std::optional<StoreContact> fetched = store.unifiedContactWithIdentifier(contact.identifier(), imageKeys);
    ASSERT_TRUE(fetched);
    const QImage thumbnail = QImage::fromData(fetched->thumbnailImageData());
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.size(), QSize(320, 160));

    StoreContact withoutImage = fetched->mutableCopy();
    withoutImage.setImageData({});
    StoreSaveRequest update;
    update.updateContact(withoutImage);
    ASSERT_TRUE(store.execute(update));
    fetched = store.unifiedContactWithIdentifier(contact.identifier(), imageKeys);
    ASSERT_TRUE(fetched);
    EXPECT_TRUE(fetched->imageData().isEmpty());
    EXPECT_TRUE(fetched->thumbnailImageData().isEmpty());
}

TEST_F(ContactStoreSave, DeletingAContactOrAGroupEndsItsMemberships)
{
    ContactStore store(m_path);
    fillStore(store);
    StoreSaveRequest members;
    members.addMember(m_second, m_friends);
    members.addMember(m_second, m_work);
    ASSERT_TRUE(store.execute(members));

    StoreSaveRequest deletions;
    deletions.deleteContact(m_first);
    deletions.deleteGroup(m_work);
    ASSERT_TRUE(store.execute(deletions));
    EXPECT_EQ(
        contactIdentifiers(store, StorePredicate::predicateForContactsInGroupWithIdentifier(m_friends.identifier())),
        QStringList{m_second.identifier()});
    EXPECT_EQ(contactIdentifiers(store), QStringList{m_second.identifier()});

    // A group made anew under the deleted one's identifier starts empty.
    StoreSaveRequest again;
    again.addGroup(m_work);
    ASSERT_TRUE(store.execute(again));
    EXPECT_TRUE(
        contactIdentifiers(store, StorePredicate::predicateForContactsInGroupWithIdentifier(m_work.identifier()))
            .isEmpty());
}

TEST_F(ContactStoreSave, ContainersKeepTheirOwnContactsGroupsAndMembershipsAcrossReopening)
{
    QString exchange;
    QStringList before;
    {
        ContactStore store(m_path);
        const std::optional<StoreContainer> account
            = store.addContainer(QStringLiteral("Office"), StoreContainer::Type::Exchange);
        ASSERT_TRUE(account);
        exchange = account->identifier;
        StoreSaveRequest request;
        request.addContact(m_first, exchange);
        request.addGroup(m_friends, exchange);
        request.addMember(m_first, m_friends);
        request.addContact(m_second);
        StoreError error;
        ASSERT_TRUE(store.execute(request, &error)) << qPrintable(error.description);
        before = snapshot(store);
    }
    EXPECT_EQ(QFile::permissions(m_path) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
        QFile::Permissions());
    ContactStore reopened(m_path);
    EXPECT_EQ(snapshot(reopened), before);
    const QList<StoreContainer> containers = reopened.containersMatchingPredicate({});
    ASSERT_EQ(containers.size(), 2);
    EXPECT_EQ(containers[0].name, QStringLiteral("On This Computer"));
    EXPECT_EQ(containers[0].type, StoreContainer::Type::Local);
    EXPECT_EQ(containers[1].type, StoreContainer::Type::Exchange);
    EXPECT_EQ(containers[1].name, QStringLiteral("Office"));
    EXPECT_NE(reopened.defaultContainerIdentifier(), exchange);
    EXPECT_EQ(contactIdentifiers(reopened, StorePredicate::predicateForContactsInContainerWithIdentifier(exchange)),
        QStringList{m_first.identifier()});
    EXPECT_EQ(contactIdentifiers(reopened,
                  StorePredicate::predicateForContactsInContainerWithIdentifier(reopened.defaultContainerIdentifier())),
        QStringList{m_second.identifier()});
    const QList<StoreGroup> groups
        = reopened.groupsMatchingPredicate(StorePredicate::predicateForGroupsInContainerWithIdentifier(exchange));
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups.first().identifier(), m_friends.identifier());
}
