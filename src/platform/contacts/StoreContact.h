#pragma once

#include "platform/contacts/StoreContactRelation.h"
#include "platform/contacts/StoreDateComponents.h"
#include "platform/contacts/StoreInstantMessageAddress.h"
#include "platform/contacts/StoreLabeledValue.h"
#include "platform/contacts/StorePhoneNumber.h"
#include "platform/contacts/StorePostalAddress.h"
#include "platform/contacts/StoreSocialProfile.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class StoreContactCodec;

// One contact of the contacts store, as a value.
//
// A contact made here is new: it gets a fresh UUID string as identifier, keeps
// it through ContactStore::execute() and is found by it afterwards, and all of
// its keys are available. A fetched contact carries only the keys the fetch
// asked for (isKeyAvailable); reading any other field logs an error and gives
// an empty value, because an empty value read there would be written back as
// if the user had cleared it. Setting a field makes its key available, so an
// update of a fetched contact writes the fetched and the set keys and leaves
// every other field of the stored contact alone.
//
// Copies are cheap (Qt's implicitly shared containers); mutableCopy() exists
// so that code written against a read-only/mutable pair reads naturally.
class StoreContact {
public:
    enum class ContactType { Person = 0, Organization = 1 };

    using PhoneNumbers = QList<StoreLabeledValue<StorePhoneNumber>>;
    using Strings = QList<StoreLabeledValue<QString>>;
    using PostalAddresses = QList<StoreLabeledValue<StorePostalAddress>>;
    using ContactRelations = QList<StoreLabeledValue<StoreContactRelation>>;
    using SocialProfiles = QList<StoreLabeledValue<StoreSocialProfile>>;
    using InstantMessageAddresses = QList<StoreLabeledValue<StoreInstantMessageAddress>>;
    using Dates = QList<StoreLabeledValue<StoreDateComponents>>;

    StoreContact();

    [[nodiscard]] StoreContact mutableCopy() const { return *this; }

    [[nodiscard]] const QString &identifier() const { return m_identifier; }

    // Whether the fetch that made this contact asked for the key (or the key
    // was set since). The identifier is always available.
    [[nodiscard]] bool isKeyAvailable(const QString &key) const;
    // The same for the constants of ContactKeys, without making a QString.
    [[nodiscard]] bool isKeyAvailable(QLatin1StringView key) const;
    [[nodiscard]] QStringList availableKeys() const;

    [[nodiscard]] ContactType contactType() const;
    [[nodiscard]] QString namePrefix() const;
    [[nodiscard]] QString givenName() const;
    [[nodiscard]] QString middleName() const;
    [[nodiscard]] QString familyName() const;
    [[nodiscard]] QString previousFamilyName() const;
    [[nodiscard]] QString nameSuffix() const;
    [[nodiscard]] QString nickname() const;
    [[nodiscard]] QString phoneticGivenName() const;
    [[nodiscard]] QString phoneticMiddleName() const;
    [[nodiscard]] QString phoneticFamilyName() const;
    [[nodiscard]] QString phoneticOrganizationName() const;
    [[nodiscard]] QString organizationName() const;
    [[nodiscard]] QString departmentName() const;
    [[nodiscard]] QString jobTitle() const;
    [[nodiscard]] QString note() const;
    [[nodiscard]] PhoneNumbers phoneNumbers() const;
    [[nodiscard]] Strings emailAddresses() const;
    [[nodiscard]] PostalAddresses postalAddresses() const;
    [[nodiscard]] Strings urlAddresses() const;
    [[nodiscard]] ContactRelations contactRelations() const;
    [[nodiscard]] SocialProfiles socialProfiles() const;
    [[nodiscard]] InstantMessageAddresses instantMessageAddresses() const;
    [[nodiscard]] std::optional<StoreDateComponents> birthday() const;
    [[nodiscard]] Dates dates() const;
    [[nodiscard]] QByteArray imageData() const;
    // Made by the store from the image whenever a contact with an image is
    // saved; there is no setter.
    [[nodiscard]] QByteArray thumbnailImageData() const;

    void setContactType(ContactType type);
    void setNamePrefix(const QString &value);
    void setGivenName(const QString &value);
    void setMiddleName(const QString &value);
    void setFamilyName(const QString &value);
    void setPreviousFamilyName(const QString &value);
    void setNameSuffix(const QString &value);
    void setNickname(const QString &value);
    void setPhoneticGivenName(const QString &value);
    void setPhoneticMiddleName(const QString &value);
    void setPhoneticFamilyName(const QString &value);
    void setPhoneticOrganizationName(const QString &value);
    void setOrganizationName(const QString &value);
    void setDepartmentName(const QString &value);
    void setJobTitle(const QString &value);
    void setNote(const QString &value);
    void setPhoneNumbers(const PhoneNumbers &values);
    void setEmailAddresses(const Strings &values);
    void setPostalAddresses(const PostalAddresses &values);
    void setUrlAddresses(const Strings &values);
    void setContactRelations(const ContactRelations &values);
    void setSocialProfiles(const SocialProfiles &values);
    void setInstantMessageAddresses(const InstantMessageAddresses &values);
    void setBirthday(const std::optional<StoreDateComponents> &value);
    void setDates(const Dates &values);
    // Empty data removes the image (and with it the thumbnail, on saving).
    void setImageData(const QByteArray &data);

    // The string field named by a key of ContactKeys::stringContactKeys();
    // empty (and logged) for any other key.
    [[nodiscard]] QString stringForKey(const QString &key) const;
    // Sets the string field named by the key; false (and logged) when the key
    // names no string field.
    bool setStringForKey(const QString &key, const QString &value);

private:
    friend class StoreContactCodec;

    StoreContact(const QString &identifier, quint64 availableKeys)
        : m_identifier(identifier)
        , m_availableKeys(availableKeys)
    {
    }

    [[nodiscard]] bool isIndexAvailable(int keyIndex) const
    {
        return keyIndex >= 0 && (m_availableKeys & (quint64(1) << keyIndex));
    }
    [[nodiscard]] bool checkAvailable(int keyIndex, const char *caller) const;
    void markAvailable(int keyIndex) { m_availableKeys |= quint64(1) << keyIndex; }
    template <typename T> void assign(T *member, const T &value, int keyIndex)
    {
        *member = value;
        markAvailable(keyIndex);
    }
    [[nodiscard]] QString *stringField(int keyIndex);

    QString m_identifier;
    quint64 m_availableKeys = ~quint64(0);
    ContactType m_contactType = ContactType::Person;
    QString m_namePrefix;
    QString m_givenName;
    QString m_middleName;
    QString m_familyName;
    QString m_previousFamilyName;
    QString m_nameSuffix;
    QString m_nickname;
    QString m_phoneticGivenName;
    QString m_phoneticMiddleName;
    QString m_phoneticFamilyName;
    QString m_phoneticOrganizationName;
    QString m_organizationName;
    QString m_departmentName;
    QString m_jobTitle;
    QString m_note;
    PhoneNumbers m_phoneNumbers;
    Strings m_emailAddresses;
    PostalAddresses m_postalAddresses;
    Strings m_urlAddresses;
    ContactRelations m_contactRelations;
    SocialProfiles m_socialProfiles;
    InstantMessageAddresses m_instantMessageAddresses;
    std::optional<StoreDateComponents> m_birthday;
    Dates m_dates;
    QByteArray m_imageData;
    QByteArray m_thumbnailImageData;
};
