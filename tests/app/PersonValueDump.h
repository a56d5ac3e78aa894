#pragma once

#include "model/MVPerson.h"

#include <QString>
#include <QStringList>

#include <string>

// Every value of a contact as text, one line per field, so that two dumps are
// equal exactly when the contact's values are.
[[nodiscard]] std::string dumpPerson(MVPerson &person);

// A labeled value as an editor hands it over.
[[nodiscard]] LabeledValueRecord labeled(const QString &label, const LabeledValue &value);

// A contact with a value in every field: two phones, two e-mails, an address
// with its postcard layout, a chat and a social account, a web page, a
// relation, a date, a birthday, name and phonetic name, company, note and
// joint names.
void fillPerson(MVPerson &person, const QString &firstName);
