#include "platform/contacts/ContactKeys.h"

#include "platform/contacts/ContactKeyIndex_p.h"

#include <QCoreApplication>

namespace {

struct KeyName {
    QLatin1StringView key;
    const char *englishName;
};

// The names a user sees for each key, as column headers and field titles.
constexpr KeyName keyNames[] = {
    {ContactKeys::identifier, QT_TRANSLATE_NOOP("ContactKeys", "Identifier")},
    {ContactKeys::contactType, QT_TRANSLATE_NOOP("ContactKeys", "Contact Type")},
    {ContactKeys::namePrefix, QT_TRANSLATE_NOOP("ContactKeys", "Prefix")},
    {ContactKeys::givenName, QT_TRANSLATE_NOOP("ContactKeys", "First Name")},
    {ContactKeys::middleName, QT_TRANSLATE_NOOP("ContactKeys", "Middle Name")},
    {ContactKeys::familyName, QT_TRANSLATE_NOOP("ContactKeys", "Last Name")},
    {ContactKeys::previousFamilyName, QT_TRANSLATE_NOOP("ContactKeys", "Maiden Name")},
    {ContactKeys::nameSuffix, QT_TRANSLATE_NOOP("ContactKeys", "Suffix")},
    {ContactKeys::nickname, QT_TRANSLATE_NOOP("ContactKeys", "Nickname")},
    {ContactKeys::phoneticGivenName, QT_TRANSLATE_NOOP("ContactKeys", "Phonetic First Name")},
    {ContactKeys::phoneticMiddleName, QT_TRANSLATE_NOOP("ContactKeys", "Phonetic Middle Name")},
    {ContactKeys::phoneticFamilyName, QT_TRANSLATE_NOOP("ContactKeys", "Phonetic Last Name")},
    {ContactKeys::phoneticOrganizationName, QT_TRANSLATE_NOOP("ContactKeys", "Phonetic Company Name")},
    {ContactKeys::organizationName, QT_TRANSLATE_NOOP("ContactKeys", "Company")},
    {ContactKeys::departmentName, QT_TRANSLATE_NOOP("ContactKeys", "Department")},
    {ContactKeys::jobTitle, QT_TRANSLATE_NOOP("ContactKeys", "Job Title")},
    {ContactKeys::note, QT_TRANSLATE_NOOP("ContactKeys", "Note")},
    {ContactKeys::birthday, QT_TRANSLATE_NOOP("ContactKeys", "Birthday")},
    {ContactKeys::dates, QT_TRANSLATE_NOOP("ContactKeys", "Date")},
    {ContactKeys::phoneNumbers, QT_TRANSLATE_NOOP("ContactKeys", "Phone")},
    {ContactKeys::emailAddresses, QT_TRANSLATE_NOOP("ContactKeys", "Email")},
    {ContactKeys::postalAddresses, QT_TRANSLATE_NOOP("ContactKeys", "Address")},
    {ContactKeys::urlAddresses, QT_TRANSLATE_NOOP("ContactKeys", "URL")},
    {ContactKeys::contactRelations, QT_TRANSLATE_NOOP("ContactKeys", "Related Name")},
    {ContactKeys::socialProfiles, QT_TRANSLATE_NOOP("ContactKeys", "Social Profile")},
    {ContactKeys::instantMessageAddresses, QT_TRANSLATE_NOOP("ContactKeys", "Instant Message")},
    {ContactKeys::imageData, QT_TRANSLATE_NOOP("ContactKeys", "Image")},
    {ContactKeys::thumbnailImageData, QT_TRANSLATE_NOOP("ContactKeys", "Thumbnail")},
};
constexpr int contactKeyCount = int(std::size(keyNames));
static_assert(contactKeyCount == ContactKeyCount);

constexpr KeyName postalKeyNames[] = {
    {ContactKeys::postalAddressStreet, QT_TRANSLATE_NOOP("ContactKeys", "Street")},
    {ContactKeys::postalAddressSubLocality, QT_TRANSLATE_NOOP("ContactKeys", "Neighbourhood")},
    {ContactKeys::postalAddressCity, QT_TRANSLATE_NOOP("ContactKeys", "City")},
    {ContactKeys::postalAddressSubAdministrativeArea, QT_TRANSLATE_NOOP("ContactKeys", "County")},
    {ContactKeys::postalAddressState, QT_TRANSLATE_NOOP("ContactKeys", "State")},
    {ContactKeys::postalAddressPostalCode, QT_TRANSLATE_NOOP("ContactKeys", "Postal Code")},
    {ContactKeys::postalAddressCountry, QT_TRANSLATE_NOOP("ContactKeys", "Country")},
    {ContactKeys::postalAddressISOCountryCode, QT_TRANSLATE_NOOP("ContactKeys", "Country Code")},
};

// Writing a contact back looks keys up several times per field: a scan that
// compares lengths first is cheaper than hashing the key.
template <typename Text> int indexOfKeyText(const Text &key)
{
    for (int i = 0; i < contactKeyCount; ++i) {
        if (keyNames[i].key.size() == key.size() && keyNames[i].key == key)
            return i;
    }
    return -1;
}

} // namespace

const QStringList &ContactKeys::allContactKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (const KeyName &entry : keyNames)
            list.append(entry.key);
        return list;
    }();
    return keys;
}

const QStringList &ContactKeys::stringContactKeys()
{
    static const QStringList keys{namePrefix, givenName, middleName, familyName, previousFamilyName, nameSuffix,
        nickname, phoneticGivenName, phoneticMiddleName, phoneticFamilyName, phoneticOrganizationName, organizationName,
        departmentName, jobTitle, note};
    return keys;
}

int ContactKeys::indexOfContactKey(const QString &key)
{
    return indexOfKeyText(key);
}

int ContactKeys::indexOfContactKey(QLatin1StringView key)
{
    // The constants above are what callers pass: their text is the very text
    // of the table, so most lookups end at a pointer comparison.
    for (int i = 0; i < contactKeyCount; ++i) {
        if (keyNames[i].key.data() == key.data() && keyNames[i].key.size() == key.size())
            return i;
    }
    return indexOfKeyText(key);
}

QString ContactKeys::localizedStringForKey(const QString &key)
{
    for (const KeyName &entry : keyNames) {
        if (key == entry.key)
            return QCoreApplication::translate("ContactKeys", entry.englishName);
    }
    for (const KeyName &entry : postalKeyNames) {
        if (key == entry.key)
            return QCoreApplication::translate("ContactKeys", entry.englishName);
    }
    return key;
}
