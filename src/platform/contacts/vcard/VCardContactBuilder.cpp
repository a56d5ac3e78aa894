#include "platform/contacts/vcard/VCardContactBuilder_p.h"

#include "platform/contacts/vcard/VCardLine_p.h"

#include <QRandomGenerator>
#include <QUuid>

namespace {

// A random (version 4) UUID, as the store makes for every labeled value, but
// drawn from a generator of this thread seeded once from the system: asking
// the system (the CPU's random instruction) for every value took a fifth of
// the time of reading a large file.
QString newValueIdentifier()
{
    thread_local QRandomGenerator generator = QRandomGenerator::securelySeeded();
    quint32 words[4];
    generator.fillRange(words);
    const QUuid uuid(words[0], ushort(words[1]), ushort((words[1] >> 16 & 0x0FFF) | 0x4000),
        uchar((words[2] & 0x3F) | 0x80), uchar(words[2] >> 8), uchar(words[2] >> 16), uchar(words[2] >> 24),
        uchar(words[3]), uchar(words[3] >> 8), uchar(words[3] >> 16), uchar(words[3] >> 24));
    // As QUuid::toString(QUuid::WithoutBraces) writes it, straight into the
    // string: that call goes through a byte array of its own.
    QString text(36, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto hex = [&out](quint64 value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value >>= 4)
            out[i] = u"0123456789abcdef"[value & 0xF];
        out += digits;
    };
    hex(uuid.data1, 8);
    *out++ = u'-';
    hex(uuid.data2, 4);
    *out++ = u'-';
    hex(uuid.data3, 4);
    *out++ = u'-';
    hex(quint64(uuid.data4[0]) << 8 | uuid.data4[1], 4);
    *out++ = u'-';
    quint64 node = 0;
    for (int i = 2; i < 8; ++i)
        node = node << 8 | uuid.data4[i];
    hex(node, 12);
    return text;
}

template <typename T> void relabel(QList<StoreLabeledValue<T>> &list, qsizetype index, const QString &label)
{
    if (index >= 0 && index < list.size())
        list[index].setLabel(label);
}

} // namespace

void VCardContactBuilder::reset()
{
    const bool valueIdentifiers = m_valueIdentifiers;
    *this = VCardContactBuilder();
    m_valueIdentifiers = valueIdentifiers;
}

template <typename T>
qsizetype VCardContactBuilder::appendValue(QList<StoreLabeledValue<T>> &list, const QString &label, const T &value)
{
    list.append(StoreLabeledValue<T>(m_valueIdentifiers ? newValueIdentifier() : QString(), label, value));
    return list.size() - 1;
}

VCardContactBuilder::GroupEntry *VCardContactBuilder::findGroup(QStringView group)
{
    for (GroupEntry &entry : m_groups) {
        if (isSameVCardWord(group, QStringView(entry.group)))
            return &entry;
    }
    return nullptr;
}

VCardContactBuilder::GroupEntry &VCardContactBuilder::groupEntry(QStringView group)
{
    if (GroupEntry *entry = findGroup(group))
        return *entry;
    GroupEntry entry;
    entry.group = group.toString();
    m_groups.append(entry);
    return m_groups.back();
}

void VCardContactBuilder::registerValue(QStringView group, Field field, qsizetype index)
{
    m_hasContent = true;
    if (group.isEmpty())
        return;
    GroupEntry &entry = groupEntry(group);
    if (entry.index >= 0)
        return; // a second value in one group keeps its own label
    entry.field = field;
    entry.index = index;
    if (entry.hasLabel)
        applyGroupLabel(entry);
    if (entry.hasCountryCode)
        applyGroupCountryCode(entry);
}

void VCardContactBuilder::applyGroupLabel(const GroupEntry &entry)
{
    switch (entry.field) {
    case Field::Phone:
        relabel(m_phoneNumbers, entry.index, entry.label);
        break;
    case Field::Email:
        relabel(m_emailAddresses, entry.index, entry.label);
        break;
    case Field::Address:
        relabel(m_postalAddresses, entry.index, entry.label);
        break;
    case Field::Url:
        relabel(m_urlAddresses, entry.index, entry.label);
        break;
    case Field::Relation:
        relabel(m_contactRelations, entry.index, entry.label);
        break;
    case Field::Date:
        relabel(m_dates, entry.index, entry.label);
        break;
    case Field::SocialProfile:
        relabel(m_socialProfiles, entry.index, entry.label);
        break;
    case Field::InstantMessage:
        relabel(m_instantMessageAddresses, entry.index, entry.label);
        break;
    }
}

void VCardContactBuilder::applyGroupCountryCode(const GroupEntry &entry)
{
    if (entry.field != Field::Address || entry.index < 0 || entry.index >= m_postalAddresses.size())
        return;
    StorePostalAddress address = m_postalAddresses.at(entry.index).value();
    address.isoCountryCode = entry.countryCode;
    m_postalAddresses[entry.index].setValue(address);
}

void VCardContactBuilder::setGroupLabel(QStringView group, const QString &label)
{
    GroupEntry &entry = groupEntry(group);
    entry.label = label;
    entry.hasLabel = true;
    if (entry.index >= 0)
        applyGroupLabel(entry);
}

void VCardContactBuilder::setGroupCountryCode(QStringView group, const QString &code)
{
    GroupEntry &entry = groupEntry(group);
    entry.countryCode = code;
    entry.hasCountryCode = true;
    if (entry.index >= 0)
        applyGroupCountryCode(entry);
}

void VCardContactBuilder::addPhoneNumber(QStringView group, const QString &label, const StorePhoneNumber &value)
{
    registerValue(group, Field::Phone, appendValue(m_phoneNumbers, label, value));
}

void VCardContactBuilder::addEmailAddress(QStringView group, const QString &label, const QString &value)
{
    registerValue(group, Field::Email, appendValue(m_emailAddresses, label, value));
}

void VCardContactBuilder::addUrlAddress(QStringView group, const QString &label, const QString &value)
{
    registerValue(group, Field::Url, appendValue(m_urlAddresses, label, value));
}

void VCardContactBuilder::addPostalAddress(QStringView group, const QString &label, const StorePostalAddress &value)
{
    registerValue(group, Field::Address, appendValue(m_postalAddresses, label, value));
}

void VCardContactBuilder::addContactRelation(QStringView group, const QString &label, const StoreContactRelation &value)
{
    registerValue(group, Field::Relation, appendValue(m_contactRelations, label, value));
}

void VCardContactBuilder::addDate(QStringView group, const QString &label, const StoreDateComponents &value)
{
    registerValue(group, Field::Date, appendValue(m_dates, label, value));
}

void VCardContactBuilder::addSocialProfile(QStringView group, const QString &label, const StoreSocialProfile &value)
{
    registerValue(group, Field::SocialProfile, appendValue(m_socialProfiles, label, value));
}

void VCardContactBuilder::addInstantMessageAddress(
    QStringView group, const QString &label, const StoreInstantMessageAddress &value)
{
    registerValue(group, Field::InstantMessage, appendValue(m_instantMessageAddresses, label, value));
}

void VCardContactBuilder::appendNote(const QString &note)
{
    // Outlook and Android write a long note as several NOTE lines.
    if (m_hasNote)
        m_note += u'\n';
    m_note += note;
    m_hasNote = true;
    m_hasContent = true;
}

void VCardContactBuilder::setImageData(const QByteArray &data)
{
    if (m_imageData.isEmpty())
        m_imageData = data;
    m_hasContent = true;
}

StoreContact VCardContactBuilder::takeContact()
{
    // A 4.0 card may name a contact by FN alone, and CardDAV clients write
    // "N:;;;;" beside it; with N naming someone FN is only its display form
    // and is not read.
    const bool named = !m_contact.familyName().isEmpty() || !m_contact.givenName().isEmpty()
        || !m_contact.middleName().isEmpty() || !m_contact.namePrefix().isEmpty() || !m_contact.nameSuffix().isEmpty();
    // Beside an empty N, an FN that repeats ORG is how writers (this one
    // included) show a contact without names: reading it as a name would
    // give the contact one it never had.
    const bool showsOrganization = m_nameRead && m_formattedName == m_contact.organizationName();
    if (!named && !showsOrganization && !m_formattedName.isEmpty()) {
        if (m_contact.contactType() == StoreContact::ContactType::Organization) {
            if (m_contact.organizationName().isEmpty())
                m_contact.setOrganizationName(m_formattedName);
        } else {
            m_contact.setGivenName(m_formattedName);
        }
    }
    if (!m_phoneNumbers.isEmpty())
        m_contact.setPhoneNumbers(m_phoneNumbers);
    if (!m_emailAddresses.isEmpty())
        m_contact.setEmailAddresses(m_emailAddresses);
    if (!m_postalAddresses.isEmpty())
        m_contact.setPostalAddresses(m_postalAddresses);
    if (!m_urlAddresses.isEmpty())
        m_contact.setUrlAddresses(m_urlAddresses);
    if (!m_contactRelations.isEmpty())
        m_contact.setContactRelations(m_contactRelations);
    if (!m_socialProfiles.isEmpty())
        m_contact.setSocialProfiles(m_socialProfiles);
    if (!m_instantMessageAddresses.isEmpty())
        m_contact.setInstantMessageAddresses(m_instantMessageAddresses);
    if (!m_dates.isEmpty())
        m_contact.setDates(m_dates);
    if (m_birthday)
        m_contact.setBirthday(m_birthday);
    if (m_hasNote)
        m_contact.setNote(m_note);
    if (!m_imageData.isEmpty())
        m_contact.setImageData(m_imageData);
    StoreContact contact = std::move(m_contact);
    reset();
    return contact;
}
