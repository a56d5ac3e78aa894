#include "model/StoreContactReader.h"

#include "model/AddressText.h"
#include "model/FieldVocabulary.h"
#include "model/LabeledValueBlock.h"
#include "model/ValueRecordFormatter.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"
#include "platform/contacts/StoreContactFormatter.h"

namespace {

// One numbered record per store value, made in the room when there is one:
// labelIndex is the store position and the label the plain word; fill
// completes the field's own keys.
template <typename T, typename Fill>
LabeledValueList numberedRecords(LabeledValueBlock *room, const QList<StoreLabeledValue<T>> &values, Fill fill)
{
    LabeledValueList records;
    records.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        const LabeledValueRecordPtr record = room ? room->next() : std::make_shared<LabeledValueRecord>();
        record->label = FieldVocabulary::labelFromCNLabel(values.at(i).label());
        fill(*record, values.at(i).value());
        record->labelIndex = i;
        records.append(record);
    }
    return records;
}

void setText(LabeledValueRecord &record, const QString &text)
{
    record.value = text;
    record.stringValue = text;
}

} // namespace

void StoreContactReader::readName(const StoreContact &contact, NameRecord &name)
{
    name.firstName = contact.givenName();
    name.setMiddleName(contact.middleName());
    name.lastName = contact.familyName();
    name.setPreviousFamilyName(contact.previousFamilyName());
    switch (StoreContactFormatter::nameOrderForContact(contact)) {
    case StoreContactFormatter::DisplayNameOrder::GivenNameFirst:
        name.nameOrdering = 1;
        break;
    case StoreContactFormatter::DisplayNameOrder::FamilyNameFirst:
        name.nameOrdering = 2;
        break;
    default:
        name.nameOrdering = 0;
        break;
    }
    name.showAsPerson = contact.contactType() == StoreContact::ContactType::Person;
    name.stringValue = ValueRecordFormatter::compositeNameFromNameDict(name);
}

void StoreContactReader::readPhoneticName(const StoreContact &contact, PhoneticNameRecord &name)
{
    if (const QString first = contact.phoneticGivenName(); !first.isEmpty())
        name.firstName = first;
    if (const QString middle = contact.phoneticMiddleName(); !middle.isEmpty())
        name.middleName = middle;
    if (const QString last = contact.phoneticFamilyName(); !last.isEmpty())
        name.lastName = last;
}

void StoreContactReader::readStringValues(const StoreContact &contact, StringValuesRecord &values)
{
    values.company = contact.organizationName();
    values.department = contact.departmentName();
    values.jobTitle = contact.jobTitle();
    values.nickname = contact.nickname();
    values.title = contact.namePrefix();
    values.suffix = contact.nameSuffix();
    // The note is fetched only where the user allowed it.
    values.note = contact.isKeyAvailable(ContactKeys::note) ? contact.note() : QString();
}

void StoreContactReader::readBirthday(const StoreContact &contact, BirthdayRecord &birthday)
{
    const std::optional<StoreDateComponents> components = contact.birthday();
    if (!components) {
        birthday.stringValue = QString();
        return;
    }
    birthday.value = *components;
    birthday.stringValue = ValueRecordFormatter::dateStringFromDateComponents(*components);
}

qsizetype StoreContactReader::labeledValueCount(const StoreContact &contact)
{
    return contact.phoneNumbers().size() + contact.emailAddresses().size() + contact.postalAddresses().size()
        + contact.urlAddresses().size() + contact.socialProfiles().size() + contact.instantMessageAddresses().size()
        + contact.contactRelations().size() + contact.dates().size();
}

LabeledValueList StoreContactReader::phoneValues(const StoreContact &contact, LabeledValueBlock *room)
{
    // The store's number carries only its text, so the value keeps none of it.
    return numberedRecords(room, contact.phoneNumbers(),
        [](LabeledValueRecord &record, const StorePhoneNumber &number) { setText(record, number.stringValue()); });
}

LabeledValueList StoreContactReader::emailValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(room, contact.emailAddresses(), [](LabeledValueRecord &record, const QString &address) {
        setText(record, address);
        ValueRecordFormatter::updateEmailValue(&record);
    });
}

LabeledValueList StoreContactReader::addressValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(
        room, contact.postalAddresses(), [](LabeledValueRecord &record, const StorePostalAddress &address) {
            LabeledValueRecord::AddressParts &parts = *record.address;
            parts.street = address.street;
            parts.city = address.city;
            parts.state = address.state;
            parts.zip = address.postalCode;
            parts.country = address.country;
            parts.isoCountryCode = address.isoCountryCode;
            record.holdStoreObject(StoreAddressExtras{address.subLocality, address.subAdministrativeArea});
            AddressText::updateAddressValue(&record, AddressText::IncludeCountryAndZIP);
        });
}

LabeledValueList StoreContactReader::urlValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(
        room, contact.urlAddresses(), [](LabeledValueRecord &record, const QString &url) { setText(record, url); });
}

LabeledValueList StoreContactReader::snsValues(const StoreContact &contact, LabeledValueBlock *room)
{
    // The service names the value; the store's label of a profile is not used.
    return numberedRecords(
        room, contact.socialProfiles(), [](LabeledValueRecord &record, const StoreSocialProfile &profile) {
            record.holdStoreObject(profile);
            LabeledValueRecord::AccountParts &account = *record.account;
            account.service = canonicalSocialService(profile.service);
            record.label = account.service;
            setText(record, profile.username);
            account.username = profile.username;
            account.urlString = profile.urlString;
            account.userIdentifier = profile.userIdentifier;
        });
}

LabeledValueList StoreContactReader::imsValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(room, contact.instantMessageAddresses(),
        [](LabeledValueRecord &record, const StoreInstantMessageAddress &address) {
            record.holdStoreObject(address);
            record.account->service = address.service;
            record.account->username = address.username;
            record.value = address.username;
            record.stringValue = ValueRecordFormatter::instantMessageString(address.service, address.username);
        });
}

LabeledValueList StoreContactReader::relationshipValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(
        room, contact.contactRelations(), [](LabeledValueRecord &record, const StoreContactRelation &relation) {
            record.holdStoreObject(relation);
            setText(record, relation.name);
        });
}

LabeledValueList StoreContactReader::datesValues(const StoreContact &contact, LabeledValueBlock *room)
{
    return numberedRecords(room, contact.dates(), [](LabeledValueRecord &record, const StoreDateComponents &date) {
        if (!date.isEmpty())
            record.value = date;
        record.stringValue = ValueRecordFormatter::dateStringFromDateComponents(date);
    });
}

QString StoreContactReader::canonicalSocialService(const QString &service)
{
    if (service == u"facebook")
        return ContactLabels::socialProfileServiceFacebook;
    if (service == u"twitter")
        return ContactLabels::socialProfileServiceTwitter;
    if (service == u"flickr")
        return ContactLabels::socialProfileServiceFlickr;
    if (service == u"linkedin")
        return ContactLabels::socialProfileServiceLinkedIn;
    return service;
}
