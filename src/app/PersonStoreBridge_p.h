#pragma once

#include "model/MVPerson.h"
#include "platform/contacts/StoreContact.h"

#include <optional>

// The two conversions between a store contact and the contact model that
// loading and saving need, kept in one place.
namespace PersonStoreBridge {

// A new person copied out of a contact fetched with every key of the address book.
[[nodiscard]] MVPersonPtr personWithStoreContact(const StoreContact &contact);

// The person written into a copy of the contact, or into a new contact.
[[nodiscard]] StoreContact contactFromCache(MVPerson &person, const std::optional<StoreContact> &contact);

}  // namespace PersonStoreBridge
