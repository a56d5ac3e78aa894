#pragma once

#include "model/HeapOptional.h"

#include <QRectF>
#include <QString>
#include <QVariantMap>

#include <optional>

// The print choices and the four block frames of one postcard layout. Both a
// layout record and the address it belongs to carry these keys, flat, beside
// their own; a flag that was never set reads as NO. A frame is in points,
// as it was read or placed: a negative width or height stays negative. An
// absent frame is no frame (the block takes its default place), never one of
// zero size. The frames are kept on the heap: every address carries these
// keys, and most never get a layout.
struct HagakiLayoutFields {
    std::optional<bool> sender; // "Sender"
    std::optional<bool> company; // "Company"
    std::optional<bool> renmei; // "Renmei"
    HeapOptional<QRectF> receiverAddress; // "receiverAddress"
    HeapOptional<QRectF> receiverName; // "receiverName"
    HeapOptional<QRectF> senderAddress; // "senderAddress"
    HeapOptional<QRectF> senderName; // "senderName"

    [[nodiscard]] bool printsSender() const { return sender.value_or(false); }
    [[nodiscard]] bool printsCompany() const { return company.value_or(false); }
    [[nodiscard]] bool printsRenmei() const { return renmei.value_or(false); }
    // True when no flag and no frame has ever been set.
    [[nodiscard]] bool isUnset() const;

    // Adds the keys that are present to map, and reads them back from one; a
    // frame goes as the text a layout string carries it in.
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
