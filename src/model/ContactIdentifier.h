#pragma once

#include <QString>

// A contact field is named by a plain string everywhere in the program: the
// table columns, the editors, the find code and the files all key by it.
using ContactIdentifier = QString;

namespace FieldId {

// The fields of a contact.
inline const ContactIdentifier Name = QStringLiteral("Name");
inline const ContactIdentifier Company = QStringLiteral("Company");
inline const ContactIdentifier Department = QStringLiteral("Department");
inline const ContactIdentifier JobTitle = QStringLiteral("Job Title");
inline const ContactIdentifier Nickname = QStringLiteral("Nickname");
inline const ContactIdentifier Title = QStringLiteral("Title");
inline const ContactIdentifier Suffix = QStringLiteral("Suffix");
inline const ContactIdentifier Note = QStringLiteral("Note");
inline const ContactIdentifier Phone = QStringLiteral("Phone");
inline const ContactIdentifier Email = QStringLiteral("Email");
inline const ContactIdentifier URL = QStringLiteral("URL");
inline const ContactIdentifier Address = QStringLiteral("Address");
inline const ContactIdentifier Relationship = QStringLiteral("Relationship");
inline const ContactIdentifier SocialNetwork = QStringLiteral("Social Network");
inline const ContactIdentifier InstantMessage = QStringLiteral("Instant Message");
inline const ContactIdentifier Dates = QStringLiteral("Dates");
inline const ContactIdentifier Birthday = QStringLiteral("Birthday");
inline const ContactIdentifier PhoneticName = QStringLiteral("Phonetic Name");
inline const ContactIdentifier Photo = QStringLiteral("Photo");

// Joint names: kept beside the store, never in it.
inline const ContactIdentifier Renmei = QStringLiteral("Renmei");

// Parts of a postal address.
inline const ContactIdentifier ZIP = QStringLiteral("ZIP");
inline const ContactIdentifier State = QStringLiteral("State");
inline const ContactIdentifier City = QStringLiteral("City");
inline const ContactIdentifier Street = QStringLiteral("Street");
inline const ContactIdentifier Country = QStringLiteral("Country");

// The phonetic fields as keys of the store-key table.
inline const ContactIdentifier PhoneticFirstNameStore = QStringLiteral("Phonetic FirstName");
inline const ContactIdentifier PhoneticMiddleNameStore = QStringLiteral("Phonetic MiddleName");
inline const ContactIdentifier PhoneticLastNameStore = QStringLiteral("Phonetic LastName");

// Name and phonetic parts as the identifier-keyed access names them.
inline const ContactIdentifier FirstName = QStringLiteral("FirstName");
inline const ContactIdentifier MiddleName = QStringLiteral("MiddleName");
inline const ContactIdentifier LastName = QStringLiteral("LastName");
inline const ContactIdentifier PreviousFamilyName = QStringLiteral("PreviousFamilyName");
inline const ContactIdentifier PhoneticFirstName = QStringLiteral("PhoneticFirstName");
inline const ContactIdentifier PhoneticMiddleName = QStringLiteral("PhoneticMiddleName");
inline const ContactIdentifier PhoneticLastName = QStringLiteral("PhoneticLastName");
inline const ContactIdentifier HagakiLayout = QStringLiteral("HagakiLayout");

// Choices offered like labels but never stored as fields.
inline const ContactIdentifier ShowAsPerson = QStringLiteral("Show as Person");
inline const ContactIdentifier NameOrdering = QStringLiteral("Name Ordering");

} // namespace FieldId

// What typeForIdentifier answers.
namespace FieldKind {
inline const QString LabeledValue = QStringLiteral("Labeled Value");
inline const QString StringValue = QStringLiteral("String Value");
inline const QString DictionaryValue = QStringLiteral("Dictionary Value");
} // namespace FieldKind
