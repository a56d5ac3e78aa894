#pragma once

#include "platform/contacts/StoreContact.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The compact form in which the store keeps a contact's fields (all but the
// identifier and the images) in one blob: a format byte, then one entry per
// field, each a key number and its value (little-endian numbers, strings as
// UTF-16 with their length in front). Empty fields are left out. Adding a
// field means a new key number; changing a value's form means a new format
// byte and a schema version.
class StoreContactCodec {
public:
    StoreContactCodec() = delete;

    [[nodiscard]] static QByteArray encode(const StoreContact &contact);
    // Lays the fields held in the blob over the contact's; false when the
    // blob is damaged.
    [[nodiscard]] static bool decode(const QByteArray &blob, StoreContact *contact);
    // The stored blob with the available fields of `changes` laid over it:
    // what an update writes. False when the stored blob is damaged.
    [[nodiscard]] static bool merge(const QByteArray &stored, const StoreContact &changes, QByteArray *merged);

    // An empty contact as a fetch starts it: the stored identifier and the
    // keys the fetch asked for.
    [[nodiscard]] static StoreContact fetchedContact(const QString &identifier, quint64 availableKeys);
    [[nodiscard]] static quint64 keyMask(const QStringList &keys);
    [[nodiscard]] static bool hasKey(const StoreContact &contact, int keyIndex);
    [[nodiscard]] static const QByteArray &rawImageData(const StoreContact &contact);
    static void setImages(StoreContact *contact, const QByteArray &image, const QByteArray &thumbnail);

private:
    [[nodiscard]] static QByteArray encodeKeys(const StoreContact &contact, bool includeEmpty);
};
