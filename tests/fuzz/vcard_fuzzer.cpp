// Feeds arbitrary text, taken as FuzzInput takes it, to the vCard reader.
#include "fuzz/FuzzInput.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        FuzzInput::silenceMessages();
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;
    const QString text = FuzzInput::text(data, size);
    ContactVCardSerialization::ReadReport report;
    const QList<StoreContact> contacts = ContactVCardSerialization::contactsWithData(text, &report);
    // Writing what was read must hold up too.
    (void)ContactVCardSerialization::dataWithContacts(contacts);
    return 0;
}
