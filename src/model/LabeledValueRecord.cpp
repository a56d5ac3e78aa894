#include "model/LabeledValueRecord.h"

#include "model/ContactIdentifier.h"
#include "model/ValueRecordKeys.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using AccountParts = LabeledValueRecord::AccountParts;
using AddressParts = LabeledValueRecord::AddressParts;
template <typename Parts, std::size_t Count, typename Text = QString>
using PartKeys = std::array<std::pair<QString, Text Parts::*>, Count>;

// The text keys written only when they hold text.
const PartKeys<AccountParts, 3> &accountKeys()
{
    static const PartKeys<AccountParts, 3> table{{
        {RecordKey::Username, &AccountParts::username},
        {RecordKey::Domain, &AccountParts::domain},
        {QString(ContactLabels::socialProfileServiceKey), &AccountParts::service},
    }};
    return table;
}

// The same for the parts only a social profile has.
const PartKeys<AccountParts, 2, HeapString> &profileKeys()
{
    static const PartKeys<AccountParts, 2, HeapString> table{{
        {QString(ContactLabels::socialProfileURLStringKey), &AccountParts::urlString},
        {QString(ContactLabels::socialProfileUserIdentifierKey), &AccountParts::userIdentifier},
    }};
    return table;
}

// The address parts an identifier names come first.
const PartKeys<AddressParts, 6> &addressKeys()
{
    static const PartKeys<AddressParts, 6> table{{
        {FieldId::Street, &AddressParts::street},
        {FieldId::City, &AddressParts::city},
        {FieldId::State, &AddressParts::state},
        {FieldId::ZIP, &AddressParts::zip},
        {FieldId::Country, &AddressParts::country},
        {QString(ContactKeys::postalAddressISOCountryCode), &AddressParts::isoCountryCode},
    }};
    return table;
}

template <typename Parts, std::size_t Count, typename Text>
void insertParts(QVariantMap &map, const Parts &parts, const PartKeys<Parts, Count, Text> &keys)
{
    for (const auto &[key, member] : keys) {
        const QString &text = parts.*member;
        if (!text.isEmpty())
            map.insert(key, text);
    }
}

// A record without any of the keys stays without the group.
template <typename Slot, typename Parts, std::size_t Count, typename Text>
void readParts(const QVariantMap &map, Slot &parts, const PartKeys<Parts, Count, Text> &keys)
{
    for (const auto &[key, member] : keys) {
        const QString text = map.value(key).toString();
        if (parts.isHeld() || !text.isNull())
            (*parts).*member = text;
    }
}

QVariant variantFromValue(const LabeledValue &value)
{
    return std::visit(
        [](const auto &alternative) -> QVariant {
            using T = std::decay_t<decltype(alternative)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else
                return QVariant::fromValue(alternative);
        },
        value);
}

LabeledValue valueFromVariant(const QVariant &variant)
{
    const QMetaType type = variant.metaType();
    if (type == QMetaType::fromType<StoreDateComponents>())
        return variant.value<StoreDateComponents>();
    if (type == QMetaType::fromType<QDate>())
        return variant.toDate();
    if (type == QMetaType::fromType<QDateTime>())
        return variant.toDateTime().date();
    if (!variant.isValid() || variant.isNull())
        return std::monostate{};
    return variant.toString();
}

} // namespace

QString LabeledValueRecord::valueText() const
{
    if (const auto *text = std::get_if<QString>(&value))
        return *text;
    return {};
}

QString AddressParts::*LabeledValueRecord::addressPartMember(const QString &identifier)
{
    const auto &keys = addressKeys();
    const auto parts
        = std::find_if(keys.begin(), keys.end() - 1, [&](const auto &key) { return key.first == identifier; });
    return parts == keys.end() - 1 ? nullptr : parts->second;
}

QString LabeledValueRecord::addressPart(const QString &identifier) const
{
    const auto member = addressPartMember(identifier);
    return member ? (*address).*member : QString();
}

void LabeledValueRecord::setAddressPart(const QString &identifier, const QString &text)
{
    if (const auto member = addressPartMember(identifier))
        (*address).*member = text;
}

QVariantMap LabeledValueRecord::toVariantMap() const
{
    QVariantMap map{
        {RecordKey::StringValue, stringValue},
        {RecordKey::LabelIndex, labelIndex},
    };
    if (label)
        map.insert(RecordKey::Label, *label);
    if (hasValue())
        map.insert(RecordKey::Value, variantFromValue(value));
    const AccountParts parts = accountParts();
    insertParts(map, parts, accountKeys());
    insertParts(map, parts, profileKeys());
    insertParts(map, *address, addressKeys());
    layout->insertInto(map);
    return map;
}

LabeledValueRecord LabeledValueRecord::fromVariantMap(const QVariantMap &map)
{
    LabeledValueRecord record;
    if (map.contains(RecordKey::Label))
        record.label = map.value(RecordKey::Label).toString();
    record.value = valueFromVariant(map.value(RecordKey::Value));
    record.stringValue = map.value(RecordKey::StringValue).toString();
    record.labelIndex = map.value(RecordKey::LabelIndex, qint64(-1)).toLongLong();
    readParts(map, record.account, accountKeys());
    readParts(map, record.account, profileKeys());
    readParts(map, record.address, addressKeys());
    HagakiLayoutFields layout;
    layout.readFrom(map);
    if (!layout.isUnset())
        record.layout = layout;
    return record;
}
