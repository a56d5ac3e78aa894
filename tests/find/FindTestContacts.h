#pragma once

#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <QString>

// Values of the contacts the find tests search.
namespace FindTestContacts {

inline void addValue(MVPerson &person, const ContactIdentifier &field, const QString &label, const QString &text,
    const QString &service = {})
{
    LabeledValueRecord record;
    record.label = label;
    record.value = text;
    record.stringValue = text;
    record.account->username = service.isEmpty() ? QString() : text;
    record.account->service = service;
    person.addLabeledValue(record, field);
}

} // namespace FindTestContacts
