#include "StoreTestSupport.h"

#include "platform/contacts/ContactStore.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace StoreTestSupport;

namespace {

struct AccessAnswer {
    bool granted = false;
    StoreError error;
    std::thread::id thread;
};

class ContactStoreAccess : public testing::Test {
protected:
    void TearDown() override { ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::Authorized); }

    AccessAnswer request(ContactStore &store)
    {
        std::promise<AccessAnswer> promise;
        store.requestAccess([&promise](bool granted, const StoreError &error) {
            promise.set_value({granted, error, std::this_thread::get_id()});
        });
        return promise.get_future().get();
    }
};

} // namespace

TEST_F(ContactStoreAccess, UndecidedAccessGrantedOnAThreadOfItsOwn)
{
    ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::NotDeterminedThenGrant);
    ContactStore store(newStorePath(QStringLiteral("grant")));
    EXPECT_EQ(ContactStore::authorizationStatus(), ContactStore::AuthorizationStatus::NotDetermined);

    const AccessAnswer answer = request(store);
    EXPECT_TRUE(answer.granted);
    EXPECT_FALSE(answer.error.isError());
    EXPECT_NE(answer.thread, std::this_thread::get_id());
    EXPECT_EQ(ContactStore::authorizationStatus(), ContactStore::AuthorizationStatus::Authorized);
    EXPECT_TRUE(store.open());
}

TEST_F(ContactStoreAccess, RefusedAccessStaysDeniedAndStopsFetchesAndSaves)
{
    ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::NotDeterminedThenRefuse);
    ContactStore store(newStorePath(QStringLiteral("refuse")));

    const AccessAnswer answer = request(store);
    EXPECT_FALSE(answer.granted);
    EXPECT_EQ(answer.error.code, StoreError::Code::AccessDenied);
    EXPECT_EQ(ContactStore::authorizationStatus(), ContactStore::AuthorizationStatus::Denied);
    EXPECT_FALSE(request(store).granted);

    StoreError fetchError;
    (void)store.unifiedContactsMatchingPredicate({}, {}, &fetchError);
    EXPECT_EQ(fetchError.code, StoreError::Code::AccessDenied);
    StoreSaveRequest save;
    save.addContact(typicalContact(1));
    StoreError saveError;
    EXPECT_FALSE(store.execute(save, &saveError));
    EXPECT_EQ(saveError.code, StoreError::Code::AccessDenied);
}
