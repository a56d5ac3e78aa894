#pragma once

#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <QString>

// Contacts the find tests search, built value by value.
namespace FindTestContacts {

inline ContactRecordPtr contact(const QString &first, const QString &last = {})
{
    MVPersonPtr person = MVPerson::init();
    person->setValue(first, FieldId::FirstName);
    person->setValue(last, FieldId::LastName);
    return ContactRecord::makeWithPerson(person);
}

inline void addValue(MVPerson &person, const ContactIdentifier &field, const QString &label, const QString &text,
    const QString &service = {})
{
    LabeledValueRecord record;
    record.label = label;
    record.value = text;
    record.stringValue = text;
    record.username = service.isEmpty() ? QString() : text;
    record.service = service;
    person.addLabeledValue(record, field);
}

inline void addAddress(MVPerson &person, const QString &label, const QString &zip, const QString &city,
    const QString &street, const QString &code = QStringLiteral("JP"))
{
    LabeledValueRecord address;
    address.label = label;
    address.zip = zip;
    address.city = city;
    address.street = street;
    address.isoCountryCode = code;
    person.addLabeledValue(address, FieldId::Address);
}

} // namespace FindTestContacts
