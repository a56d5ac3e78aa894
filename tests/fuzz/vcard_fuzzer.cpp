// Feeds arbitrary text to the vCard reader. The bytes are taken as UTF-8 (as
// a caller decodes a file) and, every other run, as UTF-16 code units, so
// that lone surrogates and NULs reach the reader too.
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        qInstallMessageHandler(dropMessages);
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QString text = (data[0] & 1)
        ? QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2)
        : QString::fromUtf8(bytes);
    ContactVCardSerialization::ReadReport report;
    const QList<StoreContact> contacts = ContactVCardSerialization::contactsWithData(text, &report);
    // Writing what was read must hold up too.
    (void)ContactVCardSerialization::dataWithContacts(contacts);
    return 0;
}
