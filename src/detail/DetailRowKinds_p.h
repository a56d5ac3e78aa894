#pragma once

#include "model/ContactIdentifier.h"
#include "model/FieldVocabulary.h"

// The kinds of rows of a contact's details, as their type names them.
namespace DetailRowKinds {

inline const ContactIdentifier Groups = QStringLiteral("Groups");
inline const ContactIdentifier NameDisplay = QStringLiteral("Name Display");
// The phonetic name's part keys are its row labels behind this.
inline const QString phoneticPrefix = QStringLiteral("Phonetic");

inline bool isLabeled(const ContactIdentifier &type)
{
    return FieldVocabulary::shared().labeledIdentifiers().contains(type);
}

inline bool isStringType(const ContactIdentifier &type)
{
    return FieldVocabulary::shared().stringIdentifiers().contains(type);
}

// The labeled fields whose value is one text typed into the row.
inline bool takesTypedText(const ContactIdentifier &type)
{
    using namespace FieldId;
    return type == Phone || type == Email || type == URL || type == SocialNetwork || type == Relationship;
}

// Rows that Return and Tab pass over: their value has an editor of its own
// or none.
inline bool isSkippedByReturn(const ContactIdentifier &type)
{
    using namespace FieldId;
    return type == Photo || type == NameOrdering || type == NameDisplay || type == Groups || type == Address
        || type == InstantMessage || type == Dates || type == Birthday;
}

} // namespace DetailRowKinds
