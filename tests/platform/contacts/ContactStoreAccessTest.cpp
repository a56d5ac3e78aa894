#include "StoreTestSupport.h"

#include "platform/contacts/ContactStore.h"

#include <gtest/gtest.h>

#include <future>

using namespace StoreTestSupport;

namespace {

struct AccessAnswer {
    bool granted = false;
    StoreError error;
};

class ContactStoreAccess : public testing::Test {
protected:
    void TearDown() override { ContactStore::setAccessBehaviour(ContactStore::AccessBehaviour::Authorized); }

    AccessAnswer request(ContactStore &store)
    {
        std::promise<AccessAnswer> promise;
        store.requestAccess([&promise](bool granted, const StoreError &error) { promise.set_value({granted, error}); });
        return promise.get_future().get();
    }
};

} // namespace

// The grant road is taken by the start-up tests; a refusal must also stop
// what the application never tries while refused.
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
