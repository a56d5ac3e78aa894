#pragma once

#include "platform/contacts/StoreContact.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// The last layer of the vCard reader: collects the values that the property
// readers take from one card and makes the store contact of it. Values of
// grouped lines ("item1.TEL", "item1.X-ABLabel") meet here, in whichever order
// the card writes them.
class VCardContactBuilder {
public:
    enum class Field { Phone, Email, Address, Url, Relation, Date, SocialProfile, InstantMessage };

    void reset();
    // Whether each labeled value gets an identifier of its own, as the store
    // gives one; a caller that keeps none of them is spared making them.
    void setValueIdentifiers(bool made) { m_valueIdentifiers = made; }

    // Plain string fields are set on the contact directly.
    [[nodiscard]] StoreContact &contact() { return m_contact; }

    void addPhoneNumber(QStringView group, const QString &label, const StorePhoneNumber &value);
    void addEmailAddress(QStringView group, const QString &label, const QString &value);
    void addUrlAddress(QStringView group, const QString &label, const QString &value);
    void addPostalAddress(QStringView group, const QString &label, const StorePostalAddress &value);
    void addContactRelation(QStringView group, const QString &label, const StoreContactRelation &value);
    void addDate(QStringView group, const QString &label, const StoreDateComponents &value);
    void addSocialProfile(QStringView group, const QString &label, const StoreSocialProfile &value);
    void addInstantMessageAddress(QStringView group, const QString &label, const StoreInstantMessageAddress &value);

    // "itemN.X-ABLabel" and "itemN.X-ABADR" (the ISO country code of the
    // address in that group), before or after the value they belong to.
    void setGroupLabel(QStringView group, const QString &label);
    void setGroupCountryCode(QStringView group, const QString &code);

    void setFormattedName(const QString &name) { m_formattedName = name; }
    void markNameRead() { m_nameRead = true; }
    [[nodiscard]] bool isNameRead() const { return m_nameRead; }
    void appendNote(const QString &note);
    void setBirthday(const StoreDateComponents &date) { m_birthday = date; }
    void setImageData(const QByteArray &data);
    void markContent() { m_hasContent = true; }

    [[nodiscard]] bool hasContent() const { return m_hasContent; }

    // The contact of the card; the builder is empty afterwards.
    [[nodiscard]] StoreContact takeContact();

private:
    struct GroupEntry {
        QString group;
        Field field = Field::Phone;
        qsizetype index = -1; // -1: the group's value has not come yet
        QString label;
        bool hasLabel = false;
        QString countryCode;
        bool hasCountryCode = false;
    };

    [[nodiscard]] GroupEntry *findGroup(QStringView group);
    GroupEntry &groupEntry(QStringView group);
    void registerValue(QStringView group, Field field, qsizetype index);
    void applyGroupLabel(const GroupEntry &entry);
    void applyGroupCountryCode(const GroupEntry &entry);

    StoreContact m_contact;
    StoreContact::PhoneNumbers m_phoneNumbers;
    StoreContact::Strings m_emailAddresses;
    StoreContact::Strings m_urlAddresses;
    StoreContact::PostalAddresses m_postalAddresses;
    StoreContact::ContactRelations m_contactRelations;
    StoreContact::Dates m_dates;
    StoreContact::SocialProfiles m_socialProfiles;
    StoreContact::InstantMessageAddresses m_instantMessageAddresses;
    std::optional<StoreDateComponents> m_birthday;
    QString m_note;
    bool m_hasNote = false;
    QByteArray m_imageData;
    QString m_formattedName;
    bool m_nameRead = false;
    bool m_hasContent = false;
    QVarLengthArray<GroupEntry, 8> m_groups;
    bool m_valueIdentifiers = true;

    template <typename T>
    qsizetype appendValue(QList<StoreLabeledValue<T>> &list, const QString &label, const T &value);
};
