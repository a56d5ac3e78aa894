#include "model/StoreContactWriter.h"

#include "model/FieldVocabulary.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContactIdentifier.h"

#include <QHash>
#include <QStringList>

#include <array>

namespace {

using Target = StoreContactWriter::Target;

// A string field by its key and accessors: naming the field by key text
// would look the key up three times for every field of every contact.
struct Field {
    QLatin1StringView key;
    QString (StoreContact::*get)() const;
    void (StoreContact::*set)(const QString &);
};

// The store's label of a label word. The same few words label nearly every
// value, so the last ones turned into store labels are kept: the store's
// text is then shared instead of made again for every value. One set per
// thread: contacts are written off the GUI thread too.
QString storeLabel(const LabeledValueRecord &record)
{
    if (!record.label || record.label->isEmpty())
        return FieldVocabulary::CNLabelFromLabel(record.labelText());
    const QString &word = *record.label;
    struct Known {
        QString word;
        QString storeLabel;
    };
    constexpr std::size_t keptCount = 8;
    thread_local std::array<Known, keptCount> known;
    thread_local std::size_t next = 0;
    for (const Known &entry : known) {
        if (entry.word.size() == word.size() && entry.word == word)
            return entry.storeLabel;
    }
    Known &entry = known[next];
    next = (next + 1) % keptCount;
    entry.word = word;
    entry.storeLabel = FieldVocabulary::CNLabelFromLabel(word);
    return entry.storeLabel;
}

// What a record gives a labeled value: its label and value, or nothing when
// the store cannot hold it.
template <typename T> using Labeled = std::optional<std::pair<QString, T>>;

// An editor may hand in a plain date before the dates builder has made parts of it.
std::optional<StoreDateComponents> dateComponents(const LabeledValue &value)
{
    if (const auto *components = std::get_if<StoreDateComponents>(&value))
        return *components;
    if (const auto *date = std::get_if<QDate>(&value))
        return StoreDateComponents::fromDate(*date);
    return std::nullopt;
}

constexpr Field givenNameField{ContactKeys::givenName, &StoreContact::givenName, &StoreContact::setGivenName};
constexpr Field middleNameField{ContactKeys::middleName, &StoreContact::middleName, &StoreContact::setMiddleName};
constexpr Field familyNameField{ContactKeys::familyName, &StoreContact::familyName, &StoreContact::setFamilyName};
constexpr Field previousFamilyNameField{
    ContactKeys::previousFamilyName, &StoreContact::previousFamilyName, &StoreContact::setPreviousFamilyName};
constexpr Field phoneticGivenNameField{
    ContactKeys::phoneticGivenName, &StoreContact::phoneticGivenName, &StoreContact::setPhoneticGivenName};
constexpr Field phoneticMiddleNameField{
    ContactKeys::phoneticMiddleName, &StoreContact::phoneticMiddleName, &StoreContact::setPhoneticMiddleName};
constexpr Field phoneticFamilyNameField{
    ContactKeys::phoneticFamilyName, &StoreContact::phoneticFamilyName, &StoreContact::setPhoneticFamilyName};

// The string fields a vocabulary identifier can name, by their store key.
constexpr std::array<Field, 8> stringFields{{
    {ContactKeys::namePrefix, &StoreContact::namePrefix, &StoreContact::setNamePrefix},
    {ContactKeys::nameSuffix, &StoreContact::nameSuffix, &StoreContact::setNameSuffix},
    {ContactKeys::nickname, &StoreContact::nickname, &StoreContact::setNickname},
    {ContactKeys::phoneticOrganizationName, &StoreContact::phoneticOrganizationName,
        &StoreContact::setPhoneticOrganizationName},
    {ContactKeys::organizationName, &StoreContact::organizationName, &StoreContact::setOrganizationName},
    {ContactKeys::departmentName, &StoreContact::departmentName, &StoreContact::setDepartmentName},
    {ContactKeys::jobTitle, &StoreContact::jobTitle, &StoreContact::setJobTitle},
    {ContactKeys::note, &StoreContact::note, &StoreContact::setNote},
}};

void setIfDifferent(StoreContact &target, Target kind, const Field &field, const QString &value)
{
    if (kind != Target::Fetched) {
        if (!value.isEmpty())
            (target.*field.set)(value);
        return;
    }
    const QString current = target.isKeyAvailable(field.key) ? (target.*field.get)() : QString();
    if (current != value)
        (target.*field.set)(value);
}

// A store key of no string field above goes by its text, as the store takes it.
void setStringIfDifferent(StoreContact &target, Target kind, const QString &key, const QString &value)
{
    if (kind != Target::Fetched) {
        if (!value.isEmpty())
            target.setStringForKey(key, value);
        return;
    }
    const QString current = target.isKeyAvailable(key) ? target.stringForKey(key) : QString();
    if (current != value)
        target.setStringForKey(key, value);
}

} // namespace

QString StoreContactWriter::valueIdentifier() const
{
    return m_kind == Target::Serialized ? QString() : StoreContactIdentifier::create();
}

void StoreContactWriter::writeName(const NameRecord &name)
{
    setIfDifferent(m_target, m_kind, givenNameField, name.firstName);
    setIfDifferent(m_target, m_kind, middleNameField, name.middleName());
    setIfDifferent(m_target, m_kind, familyNameField, name.lastName);
    setIfDifferent(m_target, m_kind, previousFamilyNameField, name.previousFamilyName());
    const auto type = name.showAsPerson ? StoreContact::ContactType::Person : StoreContact::ContactType::Organization;
    if (m_kind != Target::Fetched) {
        if (type != StoreContact::ContactType::Person)
            m_target.setContactType(type);
    } else if (!m_target.isKeyAvailable(ContactKeys::contactType) || m_target.contactType() != type) {
        m_target.setContactType(type);
    }
}

void StoreContactWriter::writePhoneticName(const PhoneticNameRecord &name)
{
    setIfDifferent(m_target, m_kind, phoneticGivenNameField, name.firstName);
    setIfDifferent(m_target, m_kind, phoneticMiddleNameField, name.middleName);
    setIfDifferent(m_target, m_kind, phoneticFamilyNameField, name.lastName);
}

// One labeled value per record that make() turns into a label and a value.
template <typename T, typename Make>
QList<StoreLabeledValue<T>> StoreContactWriter::labeledValues(const LabeledValueList &records, Make make) const
{
    QList<StoreLabeledValue<T>> values;
    values.reserve(records.size());
    for (const LabeledValueRecordPtr &record : records) {
        if (!record)
            continue;
        if (Labeled<T> made = make(*record))
            values.append(StoreLabeledValue<T>(valueIdentifier(), made->first, made->second));
    }
    return values;
}

void StoreContactWriter::writePhoneValues(const LabeledValueList &records)
{
    m_target.setPhoneNumbers(
        labeledValues<StorePhoneNumber>(records, [](const LabeledValueRecord &record) -> Labeled<StorePhoneNumber> {
            const std::optional<StorePhoneNumber> number
                = StorePhoneNumber::phoneNumberWithStringValue(record.valueText());
            if (!number)
                return std::nullopt;
            return std::pair(storeLabel(record), *number);
        }));
}

namespace {

Labeled<QString> textValue(const LabeledValueRecord &record)
{
    QString text = record.valueText();
    if (text.isEmpty())
        return std::nullopt;
    return std::pair(storeLabel(record), std::move(text));
}

} // namespace

void StoreContactWriter::writeEmailValues(const LabeledValueList &records)
{
    m_target.setEmailAddresses(labeledValues<QString>(records, textValue));
}

void StoreContactWriter::writeUrlValues(const LabeledValueList &records)
{
    m_target.setUrlAddresses(labeledValues<QString>(records, textValue));
}

void StoreContactWriter::writeAddressValues(const LabeledValueList &records)
{
    m_target.setPostalAddresses(
        labeledValues<StorePostalAddress>(records, [](const LabeledValueRecord &record) -> Labeled<StorePostalAddress> {
            const LabeledValueRecord::AddressParts &parts = record.addressParts();
            StorePostalAddress address;
            address.postalCode = parts.zip;
            address.state = parts.state;
            address.city = parts.city;
            address.street = parts.street;
            address.country = parts.country;
            address.isoCountryCode = parts.isoCountryCode;
            // The parts an address read from the store has no field for go
            // back with it: writing the address without them would lose them
            // on every save, though its mailing form still shows them.
            if (const auto *extras = record.heldStoreObject<StoreAddressExtras>()) {
                address.subLocality = extras->subLocality;
                address.subAdministrativeArea = extras->subAdministrativeArea;
            }
            return std::pair(storeLabel(record), std::move(address));
        }));
}

void StoreContactWriter::writeSnsValues(const LabeledValueList &records)
{
    m_target.setSocialProfiles(
        labeledValues<StoreSocialProfile>(records, [](const LabeledValueRecord &record) -> Labeled<StoreSocialProfile> {
            const LabeledValueRecord::AccountParts &account = record.accountParts();
            // A profile read as a URL alone, as from
            // "X-SOCIALPROFILE;TYPE=twitter:https://twitter.com/rich", is one
            // the user imported and sees: only one with neither is left out.
            if (account.username.isEmpty() && account.urlString.isEmpty())
                return std::nullopt;
            StoreSocialProfile profile;
            profile.service
                = account.service.isEmpty() ? QString(ContactLabels::socialProfileServiceTwitter) : account.service;
            profile.username = account.username;
            // The profile's URL and user identifier were read with it; writing
            // them back empty would lose them on every save.
            profile.urlString = account.urlString;
            profile.userIdentifier = account.userIdentifier;
            QString label = profile.service;
            return std::pair(std::move(label), std::move(profile));
        }));
}

void StoreContactWriter::writeImsValues(const LabeledValueList &records)
{
    m_target.setInstantMessageAddresses(labeledValues<StoreInstantMessageAddress>(
        records, [](const LabeledValueRecord &record) -> Labeled<StoreInstantMessageAddress> {
            const LabeledValueRecord::AccountParts &account = record.accountParts();
            if (account.username.isEmpty())
                return std::nullopt;
            StoreInstantMessageAddress address;
            address.service
                = account.service.isEmpty() ? QString(ContactLabels::instantMessageServiceAIM) : account.service;
            address.username = account.username;
            return std::pair(storeLabel(record), std::move(address));
        }));
}

void StoreContactWriter::writeRelationshipValues(const LabeledValueList &records)
{
    m_target.setContactRelations(labeledValues<StoreContactRelation>(
        records, [](const LabeledValueRecord &record) -> Labeled<StoreContactRelation> {
            QString name = record.valueText();
            if (name.isEmpty())
                return std::nullopt;
            return std::pair(storeLabel(record), StoreContactRelation{std::move(name)});
        }));
}

void StoreContactWriter::writeDatesValues(const LabeledValueList &records)
{
    m_target.setDates(labeledValues<StoreDateComponents>(
        records, [](const LabeledValueRecord &record) -> Labeled<StoreDateComponents> {
            const std::optional<StoreDateComponents> date = dateComponents(record.value);
            if (!date)
                return std::nullopt;
            return std::pair(storeLabel(record), *date);
        }));
}

void StoreContactWriter::writeBirthday(const BirthdayRecord &birthday)
{
    if (m_kind != Target::Fetched) {
        if (birthday.value)
            m_target.setBirthday(birthday.value);
        return;
    }
    const bool available = m_target.isKeyAvailable(ContactKeys::birthday);
    if (!available && !birthday.value)
        return;
    if (!available || m_target.birthday() != birthday.value)
        m_target.setBirthday(birthday.value);
}

namespace {

// A vocabulary string identifier's record member and store field.
struct StringFieldKey {
    StringValuesRecord::Member member = nullptr;
    QString storeKey;
    const Field *field = nullptr; // null for a key of no string field
};

// The record member and store field of each string field, as the vocabulary
// maps them. Comparing and hashing the identifiers and keys again for every
// contact written was a sixth of the time of a vCard export; the pairs are
// made again whenever the vocabulary's tables are no longer the ones they
// were made from. One per thread: contacts are written off the GUI thread too.
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
        for (const QString &identifier : std::as_const(identifiers)) {
            StringFieldKey pair{StringValuesRecord::memberFor(identifier), storeKeys.value(identifier)};
            for (const Field &field : stringFields) {
                if (pair.storeKey == field.key)
                    pair.field = &field;
            }
            pairs.append(pair);
        }
    }
    return pairs;
}

} // namespace

void StoreContactWriter::writeStringValues(const StringValuesRecord &values)
{
    static const QString absent;
    for (const StringFieldKey &field : stringFieldKeys(FieldVocabulary::shared())) {
        const StringValuesRecord::Entry *entry = field.member ? &(values.*field.member) : nullptr;
        const QString &value = entry && *entry ? **entry : absent;
        if (field.field)
            setIfDifferent(m_target, m_kind, *field.field, value);
        else
            setStringIfDifferent(m_target, m_kind, field.storeKey, value);
    }
}

void StoreContactWriter::writeImageData(const QByteArray &imageData)
{
    if (m_kind != Target::Fetched) {
        if (!imageData.isEmpty())
            m_target.setImageData(imageData);
        return;
    }
    const bool available = m_target.isKeyAvailable(ContactKeys::imageData);
    if (available ? m_target.imageData() != imageData : !imageData.isEmpty())
        m_target.setImageData(imageData);
}
