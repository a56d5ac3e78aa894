#pragma once

#include "platform/contacts/StoreContact.h"

// Sample contacts for the store's tests and its benchmark.
namespace StoreSampleContacts {

// A person with names, phonetic names, company, two phones, two e-mails, an
// address and a note, all carrying `number` so that contacts differ.
[[nodiscard]] StoreContact typicalContact(int number);

} // namespace StoreSampleContacts
