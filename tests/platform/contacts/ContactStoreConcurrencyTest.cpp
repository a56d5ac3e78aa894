#include "StoreTestSupport.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

using namespace StoreTestSupport;

TEST(ContactStoreConcurrency, WorkerFetchesOverItsOwnConnectionWhileTheMainThreadSaves)
{
    ContactStore store(newStorePath(QStringLiteral("concurrent")));
    StoreSaveRequest first;
    for (int i = 0; i < 500; ++i)
        first.addContact(typicalContact(i));
    ASSERT_TRUE(store.execute(first));

    constexpr int rounds = 20;
    std::atomic<bool> workerFailed = false;
    QList<qsizetype> counts;
    std::thread worker([&] {
        for (int round = 0; round < rounds; ++round) {
            StoreError error;
            const auto contacts = store.unifiedContactsMatchingPredicate({}, ContactKeys::allContactKeys(), &error);
            if (error.isError())
                workerFailed = true;
            counts.append(contacts.size());
        }
    });
    bool savesSucceeded = true;
    for (int round = 0; round < rounds; ++round) {
        StoreSaveRequest more;
        for (int i = 0; i < 50; ++i)
            more.addContact(typicalContact(1000 + round * 50 + i));
        StoreError error;
        savesSucceeded = store.execute(more, &error) && savesSucceeded;
        EXPECT_FALSE(error.isError()) << qPrintable(error.description);
    }
    worker.join();

    EXPECT_TRUE(savesSucceeded);
    EXPECT_FALSE(workerFailed);
    ASSERT_EQ(counts.size(), rounds);
    for (qsizetype count : counts) {
        // Each fetch sees one whole state: some number of complete saves.
        EXPECT_EQ((count - 500) % 50, 0) << count;
        EXPECT_GE(count, 500);
    }
    EXPECT_EQ(contactIdentifiers(store).size(), 500 + rounds * 50);
}

// The save runs in a child process (the test binary started again by
// GoogleTest's threadsafe death-test style), which kills itself with SIGKILL
// half-way through the statements of a large request.
TEST(ContactStoreCrashDeathTest, ChildKilledInTheMiddleOfASaveLeavesThePreviousStateWhole)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char *pathVariable = "QUILLMARK_TEST_CRASH_STORE";
    QString path = qEnvironmentVariable(pathVariable);
    const bool isChild = !path.isEmpty();
    QStringList before;
    QStringList identifiers;
    if (!isChild) {
        path = newStorePath(QStringLiteral("crash"));
        ContactStore store(path);
        StoreSaveRequest initial;
        const StoreGroup group(QStringLiteral("Neighbours"));
        initial.addGroup(group);
        for (int i = 0; i < 20; ++i) {
            const StoreContact contact = typicalContact(i);
            initial.addContact(contact);
            if (i % 2)
                initial.addMember(contact, group);
        }
        ASSERT_TRUE(store.execute(initial));
        before = snapshot(store);
        identifiers = contactIdentifiers(store);
        qputenv(pathVariable, path.toUtf8());
    }

    EXPECT_EXIT(
        {
            ContactStore store(path);
            StoreSaveRequest request;
            for (const QString &identifier : contactIdentifiers(store)) {
                StoreContact changed = *store.unifiedContactWithIdentifier(identifier, {ContactKeys::note});
                changed.setNote(QStringLiteral("overwritten"));
                request.updateContact(changed);
            }
            for (int i = 0; i < 2000; ++i)
                request.addContact(typicalContact(100 + i));
            StoreTestHooks::setStatementHook([](int number) {
                if (number == 1500)
                    std::raise(SIGKILL);
                return true;
            });
            (void)store.execute(request);
            std::exit(0);
        },
        testing::KilledBySignal(SIGKILL), "");

    qunsetenv(pathVariable);
    ContactStore reopened(path);
    EXPECT_EQ(snapshot(reopened), before);
    StoreSaveRequest next;
    next.addContact(typicalContact(99));
    StoreError error;
    EXPECT_TRUE(reopened.execute(next, &error)) << qPrintable(error.description);
    EXPECT_EQ(contactIdentifiers(reopened).size(), identifiers.size() + 1);
}
