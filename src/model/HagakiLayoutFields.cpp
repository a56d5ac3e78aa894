#include "model/HagakiLayoutFields.h"

#include "model/HagakiLayoutString.h"

namespace {

void insertFlag(QVariantMap &map, const QString &key, const std::optional<bool> &flag)
{
    if (flag)
        map.insert(key, *flag);
}

void insertFrame(QVariantMap &map, const QString &key, const HeapOptional<QRectF> &frame)
{
    if (const QString text = HagakiLayoutString::frameText(frame); !text.isEmpty())
        map.insert(key, text);
}

std::optional<bool> readFlag(const QVariantMap &map, const QString &key)
{
    const auto it = map.constFind(key);
    if (it == map.cend())
        return std::nullopt;
    return it->toBool();
}

} // namespace

bool HagakiLayoutFields::isUnset() const
{
    return *this == HagakiLayoutFields{};
}

void HagakiLayoutFields::insertInto(QVariantMap &map) const
{
    insertFlag(map, HagakiLayoutKey::Sender, sender);
    insertFlag(map, HagakiLayoutKey::Company, company);
    insertFlag(map, HagakiLayoutKey::Renmei, renmei);
    insertFrame(map, HagakiLayoutKey::ReceiverAddress, receiverAddress);
    insertFrame(map, HagakiLayoutKey::ReceiverName, receiverName);
    insertFrame(map, HagakiLayoutKey::SenderAddress, senderAddress);
    insertFrame(map, HagakiLayoutKey::SenderName, senderName);
}

void HagakiLayoutFields::readFrom(const QVariantMap &map)
{
    sender = readFlag(map, HagakiLayoutKey::Sender);
    company = readFlag(map, HagakiLayoutKey::Company);
    renmei = readFlag(map, HagakiLayoutKey::Renmei);
    receiverAddress = HagakiLayoutString::frameFromString(map.value(HagakiLayoutKey::ReceiverAddress).toString());
    receiverName = HagakiLayoutString::frameFromString(map.value(HagakiLayoutKey::ReceiverName).toString());
    senderAddress = HagakiLayoutString::frameFromString(map.value(HagakiLayoutKey::SenderAddress).toString());
    senderName = HagakiLayoutString::frameFromString(map.value(HagakiLayoutKey::SenderName).toString());
}
