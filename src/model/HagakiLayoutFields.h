#pragma once

#include "model/HeapText.h"

#include <QString>
#include <QVariantMap>

#include <optional>

// The print choices and the four block frames of one postcard layout. Both a
// layout record and the address it belongs to carry these keys, flat, beside
// their own; a flag that was never set reads as NO and an empty frame counts
// as absent. The frames are kept on the heap: every address carries these
// keys, and most never get a layout.
struct HagakiLayoutFields {
    std::optional<bool> sender; // "Sender"
    std::optional<bool> company; // "Company"
    std::optional<bool> renmei; // "Renmei"
    HeapString receiverAddress; // "receiverAddress"
    HeapString receiverName; // "receiverName"
    HeapString senderAddress; // "senderAddress"
    HeapString senderName; // "senderName"

    [[nodiscard]] bool printsSender() const { return sender.value_or(false); }
    [[nodiscard]] bool printsCompany() const { return company.value_or(false); }
    [[nodiscard]] bool printsRenmei() const { return renmei.value_or(false); }
    // True when no flag and no frame has ever been set.
    [[nodiscard]] bool isUnset() const;

    // Adds the keys that are present to map, and reads them back from one.
    void insertInto(QVariantMap &map) const;
    void readFrom(const QVariantMap &map);

    bool operator==(const HagakiLayoutFields &) const = default;
};

namespace HagakiLayoutKey {
inline const QString Sender = QStringLiteral("Sender");
inline const QString Company = QStringLiteral("Company");
inline const QString Renmei = QStringLiteral("Renmei");
inline const QString ReceiverAddress = QStringLiteral("receiverAddress");
inline const QString ReceiverName = QStringLiteral("receiverName");
inline const QString SenderAddress = QStringLiteral("senderAddress");
inline const QString SenderName = QStringLiteral("senderName");
} // namespace HagakiLayoutKey
