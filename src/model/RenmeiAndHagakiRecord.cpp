#include "model/RenmeiAndHagakiRecord.h"

#include <QMetaType>

namespace {

[[nodiscard]] bool isString(const QVariant &value)
{
    return value.metaType().id() == QMetaType::QString;
}

[[nodiscard]] std::optional<RenmeiAndHagakiRecord::HagakiEntry> entryFromVariant(const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    const QVariant label = map.value(RenmeiAndHagakiKey::Label);
    const QVariant addressString = map.value(RenmeiAndHagakiKey::AddressString);
    const QVariant layoutString = map.value(RenmeiAndHagakiKey::LayoutString);
    if (!isString(label) || !isString(addressString) || !isString(layoutString))
        return std::nullopt;
    return RenmeiAndHagakiRecord::HagakiEntry{label.toString(), addressString.toString(), layoutString.toString()};
}

} // namespace

QVariantMap RenmeiAndHagakiRecord::toVariantMap() const
{
    QVariantMap map;
    if (renmei)
        map.insert(RenmeiAndHagakiKey::Renmei, *renmei);
    if (!hagakiArray.isEmpty()) {
        QVariantList entries;
        entries.reserve(hagakiArray.size());
        for (const HagakiEntry &entry : hagakiArray) {
            entries.append(QVariantMap{
                {RenmeiAndHagakiKey::Label, entry.label},
                {RenmeiAndHagakiKey::AddressString, entry.addressString},
                {RenmeiAndHagakiKey::LayoutString, entry.layoutString},
            });
        }
        map.insert(RenmeiAndHagakiKey::HagakiArray, entries);
    }
    return map;
}

std::optional<RenmeiAndHagakiRecord> RenmeiAndHagakiRecord::fromVariantMap(const QVariantMap &map)
{
    RenmeiAndHagakiRecord record;
    if (const auto renmei = map.constFind(RenmeiAndHagakiKey::Renmei); renmei != map.cend()) {
        if (!isString(*renmei))
            return std::nullopt;
        if (!renmei->toString().isEmpty())
            record.renmei = renmei->toString();
    }
    if (const auto array = map.constFind(RenmeiAndHagakiKey::HagakiArray); array != map.cend()) {
        if (array->metaType().id() != QMetaType::QVariantList)
            return std::nullopt;
        for (const QVariant &value : array->toList()) {
            const std::optional<HagakiEntry> entry = entryFromVariant(value);
            if (!entry)
                return std::nullopt;
            if (!entry->layoutString.isEmpty())
                record.hagakiArray.append(*entry);
        }
    }
    return record;
}
