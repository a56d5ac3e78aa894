#include "StoreTestSupport.h"

#include "common/StoreFileDamage.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/StoreContactCodec_p.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace StoreTestSupport;

namespace {

// A contact as text: identifier, fields as stored, image.
QString line(const StoreContact &contact)
{
    return contact.identifier() + u' ' + QString::fromLatin1(StoreContactCodec::encode(contact).toHex()) + u' '
        + QString::fromLatin1(contact.imageData().toHex());
}

StoreFetchRequest everyKey()
{
    StoreFetchRequest request;
    request.keysToFetch = ContactKeys::allContactKeys();
    return request;
}

// A store of `count` contacts, every tenth with a photo.
QString writeStore(int count)
{
    const QString path = newStorePath(QStringLiteral("concurrent"));
    ContactStore store(path);
    StoreSaveRequest request;
    for (int i = 0; i < count; ++i) {
        StoreContact contact = typicalContact(i);
        if (i % 10 == 0)
            contact.setImageData(QByteArray(64, char(i)));
        request.addContact(contact);
    }
    EXPECT_TRUE(store.execute(request));
    return path;
}

// What the concurrent read handed over, each at its place, with how many
// times each place came.
struct Placed {
    qsizetype told = -1;
    std::vector<QString> lines;
    std::unique_ptr<std::atomic<int>[]> visits;
};

bool readConcurrently(const ContactStore &store, Placed &placed, StoreError *error = nullptr)
{
    return store.enumerateContactsConcurrently(
        everyKey(),
        [&placed](qsizetype count) {
            placed.told = count;
            placed.lines.resize(std::size_t(count));
            placed.visits = std::make_unique<std::atomic<int>[]>(std::size_t(count));
        },
        [&placed](qsizetype place, StoreContact &contact) {
            placed.lines[std::size_t(place)] = line(contact);
            ++placed.visits[std::size_t(place)];
        },
        error);
}

class ConcurrentFetch : public testing::TestWithParam<int> { };

// Counts around the size of a task of decoding, 256 rows.
TEST_P(ConcurrentFetch, EveryContactComesOnceAtItsPlaceAsThePlainFetchReadsIt)
{
    const ContactStore store(writeStore(GetParam()));
    QStringList plain;
    ASSERT_TRUE(store.enumerateContactsWithFetchRequest(
        everyKey(), [&plain](const StoreContact &contact, bool *) { plain.append(line(contact)); }));

    Placed placed;
    ASSERT_TRUE(readConcurrently(store, placed));
    ASSERT_EQ(placed.told, GetParam());
    for (qsizetype place = 0; place < placed.told; ++place) {
        EXPECT_EQ(placed.visits[std::size_t(place)].load(), 1) << place;
        EXPECT_EQ(placed.lines[std::size_t(place)], plain.value(place)) << place;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, ConcurrentFetch, testing::Values(0, 1, 256, 257, 1000));

TEST(ConcurrentFetchDamage, AContactWhoseFieldsCantBeReadFailsTheWholeReadAsDamaged)
{
    const QString path = writeStore(600);
    ASSERT_TRUE(StoreFileDamage::damageFirstContactFields(path));
    const ContactStore store(path);
    Placed placed;
    StoreError error;
    EXPECT_FALSE(readConcurrently(store, placed, &error));
    EXPECT_EQ(error.code, StoreError::Code::Damaged);
}

// Every group's members read together are each group's members read alone,
// in store order whatever order they joined in; a group the store doesn't
// hold has none.
TEST(GroupMembersRead, EachGroupsIdentifiersInStoreOrderAsAReadOfTheGroupAloneGives)
{
    ContactStore store(writeStore(0));
    StoreSaveRequest request;
    QList<StoreContact> contacts;
    for (int i = 0; i < 300; ++i) {
        contacts.append(typicalContact(i));
        request.addContact(contacts.last());
    }
    const StoreGroup even(QStringLiteral("Even")), third(QStringLiteral("Third")), none(QStringLiteral("None"));
    for (const StoreGroup &group : {even, third, none})
        request.addGroup(group);
    for (int i = int(contacts.size()) - 1; i >= 0; --i) {
        if (i % 2 == 0)
            request.addMember(contacts.at(i), even);
        if (i % 3 == 0)
            request.addMember(contacts.at(i), third);
    }
    ASSERT_TRUE(store.execute(request));

    const QStringList asked{third.identifier(), QStringLiteral("gone"), even.identifier(), none.identifier()};
    const std::optional<QList<QStringList>> members = store.contactIdentifiersOfGroups(asked);
    ASSERT_TRUE(members);
    ASSERT_EQ(members->size(), asked.size());
    for (qsizetype g = 0; g < asked.size(); ++g) {
        EXPECT_EQ(members->at(g),
            contactIdentifiers(store, StorePredicate::predicateForContactsInGroupWithIdentifier(asked.at(g))))
            << g;
    }
    EXPECT_EQ(members->at(0).size(), 100);
    EXPECT_EQ(members->at(2).first(), contacts.first().identifier());
}

} // namespace
