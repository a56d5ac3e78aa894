#include "app/PersonStoreBridge_p.h"

#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StorePhoneNumber.h"

namespace {

// Until the contact model writes itself back into a store contact, these
// steps cover the fields the address book saves.
void writeName(MVPerson &person, StoreContact &target)
{
    if (!person.holdsNameValue())
        return;
    const NameRecordPtr name = person.nameValue();
    target.setGivenName(name->firstName);
    target.setMiddleName(name->middleName);
    target.setFamilyName(name->lastName);
    target.setPreviousFamilyName(name->previousFamilyName);
    target.setContactType(name->showAsPerson ? StoreContact::ContactType::Person
                                             : StoreContact::ContactType::Organization);
}

void writeStrings(MVPerson &person, StoreContact &target)
{
    if (!person.holdsStringValues())
        return;
    const StringValuesRecordPtr strings = person.stringValues();
    for (const QString &identifier : StringValuesRecord::identifiers()) {
        const std::optional<QString> value = strings->entry(identifier);
        const QString key = MVPerson::CNIdentifiers().value(identifier);
        if (value && !key.isEmpty() && identifier != FieldId::Renmei)
            target.setStringForKey(key, *value);
    }
}

void writeLabeledValues(MVPerson &person, StoreContact &target)
{
    if (const LabeledValueListPtr phones = person.heldLabeledValues(FieldId::Phone)) {
        StoreContact::PhoneNumbers values;
        for (const LabeledValueRecordPtr &record : std::as_const(*phones)) {
            if (const auto number = StorePhoneNumber::phoneNumberWithStringValue(record->valueText()))
                values.append({MVPerson::CNLabelFromLabel(record->labelText()), *number});
        }
        target.setPhoneNumbers(values);
    }
    if (const LabeledValueListPtr emails = person.heldLabeledValues(FieldId::Email)) {
        StoreContact::Strings values;
        for (const LabeledValueRecordPtr &record : std::as_const(*emails)) {
            if (!record->valueText().isEmpty())
                values.append({MVPerson::CNLabelFromLabel(record->labelText()), record->valueText()});
        }
        target.setEmailAddresses(values);
    }
    if (const LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address)) {
        StoreContact::PostalAddresses values;
        for (const LabeledValueRecordPtr &record : std::as_const(*addresses)) {
            StorePostalAddress address;
            address.street = record->street;
            address.city = record->city;
            address.state = record->state;
            address.postalCode = record->zip;
            address.country = record->country;
            address.isoCountryCode = record->isoCountryCode;
            values.append({MVPerson::CNLabelFromLabel(record->labelText()), address});
        }
        target.setPostalAddresses(values);
    }
}

}  // namespace

namespace PersonStoreBridge {

MVPersonPtr personWithStoreContact(const StoreContact &contact)
{
    auto person = std::make_shared<MVPerson>();
    person->setCnContact(contact);
    person->setUniqueId(contact.identifier());
    (void)person->nameValue();
    (void)person->stringValues();
    (void)person->phoneticNameValue();
    (void)person->compositeName();
    for (const QString &identifier : MVPerson::labeledIdentifiers())
        (void)person->labeledValues(identifier);
    (void)person->birthdayValue();
    if (contact.isKeyAvailable(ContactKeys::imageData))
        person->setImageData(contact.imageData());
    (void)person->hagakiLayouts();
    person->setCnContact(std::nullopt);
    return person;
}

StoreContact contactFromCache(MVPerson &person, const std::optional<StoreContact> &contact)
{
    StoreContact target = contact ? contact->mutableCopy() : StoreContact();
    writeName(person, target);
    writeStrings(person, target);
    writeLabeledValues(person, target);
    if (!person.imageData().isEmpty())
        target.setImageData(person.imageData());
    return target;
}

}  // namespace PersonStoreBridge
