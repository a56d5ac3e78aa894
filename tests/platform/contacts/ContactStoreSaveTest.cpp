#include "StoreTestSupport.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/StoreContactCodec_p.h"
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

// Whatever order the request names them in.
TEST_F(ContactStoreSave, OneRequestAddsAGroupAndAContactAndMakesItAMember)
{
    ContactStore store(m_path);
    StoreSaveRequest request;
    request.addMember(m_first, m_friends);
    request.addContact(m_first);
    request.addGroup(m_friends);
    StoreError error;
    ASSERT_TRUE(store.execute(request, &error)) << qPrintable(error.description);
    EXPECT_EQ(snapshot(store).mid(1, 2),
        QStringList({"group " + m_friends.identifier() + " Friends", "members " + m_first.identifier()}));
    EXPECT_EQ(snapshot(store).size(), 4);
}

// Every field comes back as saved, value identifiers included, and an update
// after a partial fetch changes only the fields it fetched.
TEST_F(ContactStoreSave, UpdateAfterAPartialFetchLeavesTheUnfetchedFieldsAlone)
{
    ContactStore store(m_path);
    StoreContact original = everyFieldContact();
    original.setContactType(StoreContact::ContactType::Organization);
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
    StoreContact expected = original.mutableCopy();
    expected.setGivenName(QStringLiteral("Jiro"));
    expected.setPhoneNumbers({});
    EXPECT_EQ(StoreContactCodec::encode(*after).toHex().toStdString(),
        StoreContactCodec::encode(expected).toHex().toStdString());
    EXPECT_EQ(after->imageData(), original.imageData());
    EXPECT_EQ(snapshot(store).size(), before.size());
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
        EXPECT_NE(store.defaultContainerIdentifier(), exchange);
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
    const QString local = reopened.defaultContainerIdentifier();
    // Containers in order, each with its groups, members and contacts.
    QStringList shape;
    for (const QString &line : snapshot(reopened))
        shape.append(line.section(u' ', 0, 0) == QStringLiteral("contact") ? line.section(u' ', 0, 1) : line);
    EXPECT_EQ(shape,
        QStringList({"container " + local + " On This Computer " + QString::number(int(StoreContainer::Type::Local)),
            "contact " + m_second.identifier(),
            "container " + exchange + " Office " + QString::number(int(StoreContainer::Type::Exchange)),
            "group " + m_friends.identifier() + " Friends", "members " + m_first.identifier(),
            "contact " + m_first.identifier()}));
    EXPECT_EQ(snapshot(reopened), before);
}
