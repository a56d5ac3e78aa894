#pragma once

#include "model/ContactIdentifier.h"
#include "model/LabeledValueRecord.h"
#include "model/PersonValue.h"

#include <QString>

// How the window's value operations sort a field identifier, compare values
// and rewrite text.
namespace PersonValueRules {

// The eight fields that hold lists of labeled values.
[[nodiscard]] bool isLabeledIdentifier(const ContactIdentifier &identifier);
// "ZIP", "State", "City", "Street", "Country".
[[nodiscard]] bool isAddressPart(const ContactIdentifier &identifier);
// "FirstName", "LastName", "MiddleName", "PreviousFamilyName".
[[nodiscard]] bool isNamePart(const ContactIdentifier &identifier);
// "PhoneticFirstName", "PhoneticLastName", "PhoneticMiddleName".
[[nodiscard]] bool isPhoneticPart(const ContactIdentifier &identifier);
// The single-string fields, joint names included.
[[nodiscard]] bool isStringIdentifier(const ContactIdentifier &identifier);

// Equal in content: lists and layouts are compared by what they hold, since
// every reader hands out fresh copies.
[[nodiscard]] bool sameValue(const PersonValue &a, const PersonValue &b);

// Replace All on one string: every occurrence of the find string replaced; an
// empty find string fills an empty field and leaves any other as it is.
[[nodiscard]] QString replacedString(
    const QString &text, const QString &find, const QString &replacement, Qt::CaseSensitivity options);

// Sets an address part of an address record by its identifier.
void setAddressPart(LabeledValueRecord &address, const ContactIdentifier &part, const QString &text);

} // namespace PersonValueRules
