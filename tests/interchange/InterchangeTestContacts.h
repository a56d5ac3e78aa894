#pragma once

#include "common/QtPrinting.h"
#include "model/ContactRecord.h"
#include "model/MVPerson.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Contacts for the vCard and CSV tests, and comparison by what the user sees
// (values, labels and their order), never by identifiers or labelIndex.
namespace InterchangeTestContacts {

// A labeled value of a plain-text field.
[[nodiscard]] LabeledValueRecord labeled(const QString &label, const QString &value);
// A postal address with a postcard layout applied.
[[nodiscard]] LabeledValueRecord address(const QString &label, const QString &zip, const QString &state,
    const QString &city, const QString &street, const QString &layout);

// A contact with every field: names, phonetic names, the single texts (a
// note with a backslash, a comma and a line break), phones, e-mails, URLs,
// three addresses with layouts, profiles, messaging, relations, dates, a
// birthday, two joint names and a photo.
[[nodiscard]] MVPersonPtr fullPerson();
// A contact whose values are all under one label ("home", "work" or "other"),
// each field holding one value.
[[nodiscard]] MVPersonPtr personWithLabel(const QString &label, const QString &name);
[[nodiscard]] ContactRecordPtr contactOf(const MVPersonPtr &person);

// Every value the contact holds, a line each ("Field=text", labeled values as
// "Field=label|value|date|zip|state|city|street|username|service" without
// empty trailing parts).
[[nodiscard]] QString listing(MVPerson &person);

// Google Test assertions that two contacts hold the same values.
void expectSameValues(MVPerson &expected, MVPerson &actual);
// Same size, every pixel within the tolerance, their mean within a twelfth of it.
void expectSamePicture(const QImage &expected, const QImage &actual, int tolerance = 24);
// Values, postcard layouts and photo.
void expectSameContact(MVPerson &expected, MVPerson &actual);

// The postcard layout of each address, as the layout string writes it.
[[nodiscard]] QStringList layoutStrings(MVPerson &person);

// A UTF-8 file of tests/data.
[[nodiscard]] QString dataText(const QString &relativePath);

} // namespace InterchangeTestContacts

// Names the cases of a parameterised test after their rows' `name`.
inline constexpr auto rowName = [](const auto &info) { return std::string(info.param.name); };
