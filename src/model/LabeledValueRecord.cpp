#include "model/LabeledValueRecord.h"

#include "model/ContactIdentifier.h"
#include "model/ValueRecordKeys.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"

#include <array>
#include <utility>

namespace {

using TextMember = HeapString LabeledValueRecord::*;

// The text keys written only when they hold text.
const std::array<std::pair<QString, TextMember>, 12> &textMembers()
{
    static const std::array<std::pair<QString, TextMember>, 12> table{{
        {RecordKey::Username, &LabeledValueRecord::username},
        {RecordKey::Domain, &LabeledValueRecord::domain},
        {QString(ContactLabels::socialProfileServiceKey), &LabeledValueRecord::service},
        {QString(ContactLabels::socialProfileURLStringKey), &LabeledValueRecord::urlString},
        {QString(ContactLabels::socialProfileUserIdentifierKey), &LabeledValueRecord::userIdentifier},
        {FieldId::Street, &LabeledValueRecord::street},
        {FieldId::City, &LabeledValueRecord::city},
        {FieldId::State, &LabeledValueRecord::state},
        {FieldId::ZIP, &LabeledValueRecord::zip},
        {FieldId::Country, &LabeledValueRecord::country},
        {QString(ContactKeys::postalAddressISOCountryCode), &LabeledValueRecord::isoCountryCode},
        {RecordKey::FormattedString, &LabeledValueRecord::formattedString},
    }};
    return table;
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

namespace {

// The member holding an address part, or null for any other identifier.
TextMember addressMember(const QString &identifier)
{
    static const QStringList addressKeys{FieldId::Street, FieldId::City, FieldId::State, FieldId::ZIP, FieldId::Country,
        QString(ContactKeys::postalAddressISOCountryCode)};
    if (!addressKeys.contains(identifier))
        return nullptr;
    for (const auto &[key, member] : textMembers()) {
        if (key == identifier)
            return member;
    }
    return nullptr;
}

} // namespace

QString LabeledValueRecord::addressPart(const QString &identifier) const
{
    const TextMember member = addressMember(identifier);
    return member ? (this->*member).text() : QString();
}

void LabeledValueRecord::setAddressPart(const QString &identifier, const QString &text)
{
    if (const TextMember member = addressMember(identifier))
        this->*member = text;
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
    for (const auto &[key, member] : textMembers()) {
        if (!(this->*member).isEmpty())
            map.insert(key, (this->*member).text());
    }
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
    for (const auto &[key, member] : textMembers())
        record.*member = map.value(key).toString();
    HagakiLayoutFields layout;
    layout.readFrom(map);
    if (!layout.isUnset())
        record.layout = layout;
    return record;
}
