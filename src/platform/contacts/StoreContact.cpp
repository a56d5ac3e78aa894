#include "platform/contacts/StoreContact.h"

#include "platform/contacts/ContactKeyIndex_p.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreContactIdentifier.h"

namespace {

template <typename T> T valueIf(bool available, const T &value)
{
    return available ? value : T();
}

} // namespace

StoreContact::StoreContact()
    : m_identifier(StoreContactIdentifier::create())
{
}

bool StoreContact::isKeyAvailable(const QString &key) const
{
    return isIndexAvailable(ContactKeys::indexOfContactKey(key));
}

bool StoreContact::isKeyAvailable(QLatin1StringView key) const
{
    return isIndexAvailable(ContactKeys::indexOfContactKey(key));
}

QStringList StoreContact::availableKeys() const
{
    QStringList keys;
    const QStringList &all = ContactKeys::allContactKeys();
    for (int i = 0; i < all.size(); ++i) {
        if (m_availableKeys & (quint64(1) << i))
            keys.append(all.at(i));
    }
    return keys;
}

bool StoreContact::checkAvailable(int keyIndex, const char *caller) const
{
    if (isIndexAvailable(keyIndex))
        return true;
    qWarning("%s: ERROR the key %s was not fetched for contact %s", caller,
        qPrintable(ContactKeys::allContactKeys().at(keyIndex)), qPrintable(m_identifier));
    return false;
}

StoreContact::ContactType StoreContact::contactType() const
{
    return valueIf(checkAvailable(KeyContactType, Q_FUNC_INFO), m_contactType);
}

QString StoreContact::namePrefix() const
{
    return valueIf(checkAvailable(KeyNamePrefix, Q_FUNC_INFO), m_namePrefix);
}
QString StoreContact::givenName() const
{
    return valueIf(checkAvailable(KeyGivenName, Q_FUNC_INFO), m_givenName);
}
QString StoreContact::middleName() const
{
    return valueIf(checkAvailable(KeyMiddleName, Q_FUNC_INFO), m_middleName);
}
QString StoreContact::familyName() const
{
    return valueIf(checkAvailable(KeyFamilyName, Q_FUNC_INFO), m_familyName);
}
QString StoreContact::previousFamilyName() const
{
    return valueIf(checkAvailable(KeyPreviousFamilyName, Q_FUNC_INFO), m_previousFamilyName);
}
QString StoreContact::nameSuffix() const
{
    return valueIf(checkAvailable(KeyNameSuffix, Q_FUNC_INFO), m_nameSuffix);
}
QString StoreContact::nickname() const
{
    return valueIf(checkAvailable(KeyNickname, Q_FUNC_INFO), m_nickname);
}
QString StoreContact::phoneticGivenName() const
{
    return valueIf(checkAvailable(KeyPhoneticGivenName, Q_FUNC_INFO), m_phoneticGivenName);
}
QString StoreContact::phoneticMiddleName() const
{
    return valueIf(checkAvailable(KeyPhoneticMiddleName, Q_FUNC_INFO), m_phoneticMiddleName);
}
QString StoreContact::phoneticFamilyName() const
{
    return valueIf(checkAvailable(KeyPhoneticFamilyName, Q_FUNC_INFO), m_phoneticFamilyName);
}
QString StoreContact::phoneticOrganizationName() const
{
    return valueIf(checkAvailable(KeyPhoneticOrganizationName, Q_FUNC_INFO), m_phoneticOrganizationName);
}
QString StoreContact::organizationName() const
{
    return valueIf(checkAvailable(KeyOrganizationName, Q_FUNC_INFO), m_organizationName);
}
QString StoreContact::departmentName() const
{
    return valueIf(checkAvailable(KeyDepartmentName, Q_FUNC_INFO), m_departmentName);
}
QString StoreContact::jobTitle() const
{
    return valueIf(checkAvailable(KeyJobTitle, Q_FUNC_INFO), m_jobTitle);
}
QString StoreContact::note() const
{
    return valueIf(checkAvailable(KeyNote, Q_FUNC_INFO), m_note);
}

StoreContact::PhoneNumbers StoreContact::phoneNumbers() const
{
    return valueIf(checkAvailable(KeyPhoneNumbers, Q_FUNC_INFO), m_phoneNumbers);
}
StoreContact::Strings StoreContact::emailAddresses() const
{
    return valueIf(checkAvailable(KeyEmailAddresses, Q_FUNC_INFO), m_emailAddresses);
}
StoreContact::PostalAddresses StoreContact::postalAddresses() const
{
    return valueIf(checkAvailable(KeyPostalAddresses, Q_FUNC_INFO), m_postalAddresses);
}
StoreContact::Strings StoreContact::urlAddresses() const
{
    return valueIf(checkAvailable(KeyUrlAddresses, Q_FUNC_INFO), m_urlAddresses);
}
StoreContact::ContactRelations StoreContact::contactRelations() const
{
    return valueIf(checkAvailable(KeyContactRelations, Q_FUNC_INFO), m_contactRelations);
}
StoreContact::SocialProfiles StoreContact::socialProfiles() const
{
    return valueIf(checkAvailable(KeySocialProfiles, Q_FUNC_INFO), m_socialProfiles);
}
StoreContact::InstantMessageAddresses StoreContact::instantMessageAddresses() const
{
    return valueIf(checkAvailable(KeyInstantMessageAddresses, Q_FUNC_INFO), m_instantMessageAddresses);
}
std::optional<StoreDateComponents> StoreContact::birthday() const
{
    return valueIf(checkAvailable(KeyBirthday, Q_FUNC_INFO), m_birthday);
}
StoreContact::Dates StoreContact::dates() const
{
    return valueIf(checkAvailable(KeyDates, Q_FUNC_INFO), m_dates);
}
QByteArray StoreContact::imageData() const
{
    return valueIf(checkAvailable(KeyImageData, Q_FUNC_INFO), m_imageData);
}
QByteArray StoreContact::thumbnailImageData() const
{
    return valueIf(checkAvailable(KeyThumbnailImageData, Q_FUNC_INFO), m_thumbnailImageData);
}

void StoreContact::setContactType(ContactType type)
{
    assign(&m_contactType, type, KeyContactType);
}

void StoreContact::setNamePrefix(const QString &value)
{
    assign(&m_namePrefix, value, KeyNamePrefix);
}
void StoreContact::setGivenName(const QString &value)
{
    assign(&m_givenName, value, KeyGivenName);
}
void StoreContact::setMiddleName(const QString &value)
{
    assign(&m_middleName, value, KeyMiddleName);
}
void StoreContact::setFamilyName(const QString &value)
{
    assign(&m_familyName, value, KeyFamilyName);
}
void StoreContact::setPreviousFamilyName(const QString &value)
{
    assign(&m_previousFamilyName, value, KeyPreviousFamilyName);
}
void StoreContact::setNameSuffix(const QString &value)
{
    assign(&m_nameSuffix, value, KeyNameSuffix);
}
void StoreContact::setNickname(const QString &value)
{
    assign(&m_nickname, value, KeyNickname);
}
void StoreContact::setPhoneticGivenName(const QString &value)
{
    assign(&m_phoneticGivenName, value, KeyPhoneticGivenName);
}
void StoreContact::setPhoneticMiddleName(const QString &value)
{
    assign(&m_phoneticMiddleName, value, KeyPhoneticMiddleName);
}
void StoreContact::setPhoneticFamilyName(const QString &value)
{
    assign(&m_phoneticFamilyName, value, KeyPhoneticFamilyName);
}
void StoreContact::setPhoneticOrganizationName(const QString &value)
{
    assign(&m_phoneticOrganizationName, value, KeyPhoneticOrganizationName);
}
void StoreContact::setOrganizationName(const QString &value)
{
    assign(&m_organizationName, value, KeyOrganizationName);
}
void StoreContact::setDepartmentName(const QString &value)
{
    assign(&m_departmentName, value, KeyDepartmentName);
}
void StoreContact::setJobTitle(const QString &value)
{
    assign(&m_jobTitle, value, KeyJobTitle);
}
void StoreContact::setNote(const QString &value)
{
    assign(&m_note, value, KeyNote);
}

void StoreContact::setPhoneNumbers(const PhoneNumbers &values)
{
    assign(&m_phoneNumbers, values, KeyPhoneNumbers);
}

void StoreContact::setEmailAddresses(const Strings &values)
{
    assign(&m_emailAddresses, values, KeyEmailAddresses);
}

void StoreContact::setPostalAddresses(const PostalAddresses &values)
{
    assign(&m_postalAddresses, values, KeyPostalAddresses);
}

void StoreContact::setUrlAddresses(const Strings &values)
{
    assign(&m_urlAddresses, values, KeyUrlAddresses);
}

void StoreContact::setContactRelations(const ContactRelations &values)
{
    assign(&m_contactRelations, values, KeyContactRelations);
}

void StoreContact::setSocialProfiles(const SocialProfiles &values)
{
    assign(&m_socialProfiles, values, KeySocialProfiles);
}

void StoreContact::setInstantMessageAddresses(const InstantMessageAddresses &values)
{
    assign(&m_instantMessageAddresses, values, KeyInstantMessageAddresses);
}

void StoreContact::setBirthday(const std::optional<StoreDateComponents> &value)
{
    assign(&m_birthday, value, KeyBirthday);
}

void StoreContact::setDates(const Dates &values)
{
    assign(&m_dates, values, KeyDates);
}

void StoreContact::setImageData(const QByteArray &data)
{
    assign(&m_imageData, data, KeyImageData);
}

QString *StoreContact::stringField(int keyIndex)
{
    switch (keyIndex) {
    case KeyNamePrefix:
        return &m_namePrefix;
    case KeyGivenName:
        return &m_givenName;
    case KeyMiddleName:
        return &m_middleName;
    case KeyFamilyName:
        return &m_familyName;
    case KeyPreviousFamilyName:
        return &m_previousFamilyName;
    case KeyNameSuffix:
        return &m_nameSuffix;
    case KeyNickname:
        return &m_nickname;
    case KeyPhoneticGivenName:
        return &m_phoneticGivenName;
    case KeyPhoneticMiddleName:
        return &m_phoneticMiddleName;
    case KeyPhoneticFamilyName:
        return &m_phoneticFamilyName;
    case KeyPhoneticOrganizationName:
        return &m_phoneticOrganizationName;
    case KeyOrganizationName:
        return &m_organizationName;
    case KeyDepartmentName:
        return &m_departmentName;
    case KeyJobTitle:
        return &m_jobTitle;
    case KeyNote:
        return &m_note;
    default:
        return nullptr;
    }
}

QString StoreContact::stringForKey(const QString &key) const
{
    const int index = ContactKeys::indexOfContactKey(key);
    const QString *field = const_cast<StoreContact *>(this)->stringField(index);
    if (!field) {
        qWarning("%s: ERROR %s is not a string key", Q_FUNC_INFO, qPrintable(key));
        return {};
    }
    return valueIf(checkAvailable(index, Q_FUNC_INFO), *field);
}

bool StoreContact::setStringForKey(const QString &key, const QString &value)
{
    const int index = ContactKeys::indexOfContactKey(key);
    QString *field = stringField(index);
    if (!field) {
        qWarning("%s: ERROR %s is not a string key", Q_FUNC_INFO, qPrintable(key));
        return false;
    }
    *field = value;
    markAvailable(index);
    return true;
}
