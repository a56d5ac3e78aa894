#include "model/StoreContactWriter.h"

#include "model/FieldVocabulary.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"

#include <QHash>
#include <QStringList>

namespace {

QString storeLabel(const LabeledValueRecord &record)
{
    return FieldVocabulary::CNLabelFromLabel(record.labelText());
}

QString storeLabelOr(const LabeledValueRecord &record, QLatin1StringView fallback)
{
    const QString label = storeLabel(record);
    return label.isEmpty() ? QString(fallback) : label;
}

// The target's text under a string key, or "" when its fetch did not carry it.
QString currentString(const StoreContact &target, const QString &key)
{
    return target.isKeyAvailable(key) ? target.stringForKey(key) : QString();
}

void setStringIfDifferent(StoreContact &target, const QString &key, const QString &value)
{
    if (currentString(target, key) != value)
        target.setStringForKey(key, value);
}

// A name field by its key and accessors: the names are written for every
// contact, and naming the field by key text would look the key up three times.
struct NameField {
    QLatin1StringView key;
    QString (StoreContact::*get)() const;
    void (StoreContact::*set)(const QString &);
};

void setNameIfDifferent(StoreContact &target, const NameField &field, const QString &value)
{
    const QString current = target.isKeyAvailable(field.key) ? (target.*field.get)() : QString();
    if (current != value)
        (target.*field.set)(value);
}

// One labeled value per record that make() turns into a store value.
template <typename T, typename Make>
QList<StoreLabeledValue<T>> labeledValues(const LabeledValueList &records, Make make)
{
    QList<StoreLabeledValue<T>> values;
    values.reserve(records.size());
    for (const LabeledValueRecordPtr &record : records) {
        if (!record)
            continue;
        if (std::optional<StoreLabeledValue<T>> value = make(*record))
            values.append(std::move(*value));
    }
    return values;
}

// An editor may hand in a plain date before the dates builder has made parts of it.
std::optional<StoreDateComponents> dateComponents(const LabeledValue &value)
{
    if (const auto *components = std::get_if<StoreDateComponents>(&value))
        return *components;
    if (const auto *date = std::get_if<QDate>(&value))
        return StoreDateComponents::fromDate(*date);
    return std::nullopt;
}

} // namespace

void StoreContactWriter::writeName(const NameRecord &name, StoreContact &target)
{
    setNameIfDifferent(
        target, {ContactKeys::givenName, &StoreContact::givenName, &StoreContact::setGivenName}, name.firstName);
    setNameIfDifferent(
        target, {ContactKeys::middleName, &StoreContact::middleName, &StoreContact::setMiddleName}, name.middleName);
    setNameIfDifferent(
        target, {ContactKeys::familyName, &StoreContact::familyName, &StoreContact::setFamilyName}, name.lastName);
    setNameIfDifferent(target,
        {ContactKeys::previousFamilyName, &StoreContact::previousFamilyName, &StoreContact::setPreviousFamilyName},
        name.previousFamilyName);
    const auto type = name.showAsPerson ? StoreContact::ContactType::Person : StoreContact::ContactType::Organization;
    if (!target.isKeyAvailable(ContactKeys::contactType) || target.contactType() != type)
        target.setContactType(type);
}

void StoreContactWriter::writePhoneticName(const PhoneticNameRecord &name, StoreContact &target)
{
    setNameIfDifferent(target,
        {ContactKeys::phoneticGivenName, &StoreContact::phoneticGivenName, &StoreContact::setPhoneticGivenName},
        name.firstName);
    setNameIfDifferent(target,
        {ContactKeys::phoneticMiddleName, &StoreContact::phoneticMiddleName, &StoreContact::setPhoneticMiddleName},
        name.middleName);
    setNameIfDifferent(target,
        {ContactKeys::phoneticFamilyName, &StoreContact::phoneticFamilyName, &StoreContact::setPhoneticFamilyName},
        name.lastName);
}

void StoreContactWriter::writePhoneValues(const LabeledValueList &records, StoreContact &target)
{
    target.setPhoneNumbers(labeledValues<StorePhoneNumber>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StorePhoneNumber>> {
            const std::optional<StorePhoneNumber> number
                = StorePhoneNumber::phoneNumberWithStringValue(record.valueText());
            if (!number)
                return std::nullopt;
            return StoreLabeledValue<StorePhoneNumber>(storeLabel(record), *number);
        }));
}

namespace {

StoreContact::Strings textValues(const LabeledValueList &records)
{
    return labeledValues<QString>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<QString>> {
            const QString text = record.valueText();
            if (text.isEmpty())
                return std::nullopt;
            return StoreLabeledValue<QString>(storeLabel(record), text);
        });
}

} // namespace

void StoreContactWriter::writeEmailValues(const LabeledValueList &records, StoreContact &target)
{
    target.setEmailAddresses(textValues(records));
}

void StoreContactWriter::writeUrlValues(const LabeledValueList &records, StoreContact &target)
{
    target.setUrlAddresses(textValues(records));
}

void StoreContactWriter::writeAddressValues(const LabeledValueList &records, StoreContact &target)
{
    target.setPostalAddresses(labeledValues<StorePostalAddress>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StorePostalAddress>> {
            StorePostalAddress address;
            address.postalCode = record.zip;
            address.state = record.state;
            address.city = record.city;
            address.street = record.street;
            address.country = record.country;
            address.isoCountryCode = record.isoCountryCode;
            return StoreLabeledValue<StorePostalAddress>(storeLabel(record), address);
        }));
}

void StoreContactWriter::writeSnsValues(const LabeledValueList &records, StoreContact &target)
{
    target.setSocialProfiles(labeledValues<StoreSocialProfile>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StoreSocialProfile>> {
            if (record.username.isEmpty())
                return std::nullopt;
            StoreSocialProfile profile;
            profile.service
                = record.service.isEmpty() ? QString(ContactLabels::socialProfileServiceTwitter) : record.service;
            profile.username = record.username;
            // The profile's URL and user identifier were read with it; writing
            // them back empty would lose them on every save.
            profile.urlString = record.urlString;
            profile.userIdentifier = record.userIdentifier;
            return StoreLabeledValue<StoreSocialProfile>(profile.service, profile);
        }));
}

void StoreContactWriter::writeImsValues(const LabeledValueList &records, StoreContact &target)
{
    target.setInstantMessageAddresses(labeledValues<StoreInstantMessageAddress>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StoreInstantMessageAddress>> {
            if (record.username.isEmpty())
                return std::nullopt;
            StoreInstantMessageAddress address;
            address.service
                = record.service.isEmpty() ? QString(ContactLabels::instantMessageServiceAIM) : record.service;
            address.username = record.username;
            return StoreLabeledValue<StoreInstantMessageAddress>(storeLabel(record), address);
        }));
}

void StoreContactWriter::writeRelationshipValues(const LabeledValueList &records, StoreContact &target)
{
    target.setContactRelations(labeledValues<StoreContactRelation>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StoreContactRelation>> {
            const QString name = record.valueText();
            if (name.isEmpty())
                return std::nullopt;
            return StoreLabeledValue<StoreContactRelation>(
                storeLabelOr(record, ContactLabels::contactRelationFriend), StoreContactRelation{name});
        }));
}

void StoreContactWriter::writeDatesValues(const LabeledValueList &records, StoreContact &target)
{
    target.setDates(labeledValues<StoreDateComponents>(
        records, [](const LabeledValueRecord &record) -> std::optional<StoreLabeledValue<StoreDateComponents>> {
            const std::optional<StoreDateComponents> date = dateComponents(record.value);
            if (!date)
                return std::nullopt;
            return StoreLabeledValue<StoreDateComponents>(storeLabelOr(record, ContactLabels::dateAnniversary), *date);
        }));
}

void StoreContactWriter::writeBirthday(const BirthdayRecord &birthday, StoreContact &target)
{
    const bool available = target.isKeyAvailable(ContactKeys::birthday);
    if (!available && !birthday.value)
        return;
    if (!available || target.birthday() != birthday.value)
        target.setBirthday(birthday.value);
}

namespace {

struct StringFieldKey {
    StringValuesRecord::Member member = nullptr;
    QString storeKey;
};

// The record member and store key of each string field, as the vocabulary
// maps them. Comparing and hashing the identifiers again for every contact
// written was a sixth of the time of a vCard export; the pairs are made again
// whenever the vocabulary's tables are no longer the ones they were made
// from. One per thread: contacts are written off the GUI thread too.
const QList<StringFieldKey> &stringFieldKeys(const FieldVocabulary &vocabulary)
{
    thread_local QStringList identifiers;
    thread_local QHash<QString, QString> storeKeys;
    thread_local QList<StringFieldKey> pairs;
    if (!identifiers.isSharedWith(vocabulary.storeStringIdentifiers())
        || !storeKeys.isSharedWith(vocabulary.CNIdentifiers())) {
        identifiers = vocabulary.storeStringIdentifiers();
        storeKeys = vocabulary.CNIdentifiers();
        pairs.clear();
        for (const QString &identifier : std::as_const(identifiers))
            pairs.append({StringValuesRecord::memberFor(identifier), storeKeys.value(identifier)});
    }
    return pairs;
}

} // namespace

void StoreContactWriter::writeStringValues(const StringValuesRecord &values, StoreContact &target)
{
    static const QString absent;
    for (const StringFieldKey &field : stringFieldKeys(FieldVocabulary::shared())) {
        const std::optional<QString> *entry = field.member ? &(values.*field.member) : nullptr;
        setStringIfDifferent(target, field.storeKey, entry && *entry ? **entry : absent);
    }
}

void StoreContactWriter::writeImageData(const QByteArray &imageData, StoreContact &target)
{
    const bool available = target.isKeyAvailable(ContactKeys::imageData);
    if (available ? target.imageData() != imageData : !imageData.isEmpty())
        target.setImageData(imageData);
}
