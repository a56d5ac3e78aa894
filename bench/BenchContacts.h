#pragma once

#include "platform/contacts/StoreContact.h"

// The generated Japanese contacts the vCard benchmarks share: kanji name,
// katakana readings, company and department, title, two phones, an e-mail,
// one address, a four-line note and a birthday, no photo; contact i differs
// from the others in its numbers, names and city.
namespace BenchContacts {

[[nodiscard]] StoreContact japaneseContact(int i);

} // namespace BenchContacts
