#include "platform/contacts/StoreContactCodec_p.h"

#include "platform/contacts/ContactKeyIndex_p.h"
#include "platform/contacts/ContactKeys.h"

#include <QSysInfo>

#include <cstring>

namespace {

constexpr quint8 formatVersion = 1;
// The blob holds the fields from the contact type to the instant-message
// addresses; identifier and images have columns of their own.
constexpr int firstStoredKey = KeyContactType;
constexpr int lastStoredKey = KeyInstantMessageAddresses;

// Little-endian numbers and UTF-16 strings with a length in front, written and
// read without a device in between: fetching 10,000 contacts is dominated by
// this loop.
class BlobWriter {
public:
    BlobWriter &operator<<(quint8 value)
    {
        m_data.append(char(value));
        return *this;
    }
    BlobWriter &operator<<(quint32 value)
    {
        const char bytes[4] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
        m_data.append(bytes, 4);
        return *this;
    }
    BlobWriter &operator<<(qint32 value) { return *this << quint32(value); }
    BlobWriter &operator<<(const QString &text)
    {
        *this << quint32(text.size());
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            m_data.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        } else {
            for (const QChar character : text)
                *this << quint8(character.unicode()) << quint8(character.unicode() >> 8);
        }
        return *this;
    }
    [[nodiscard]] const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

class BlobReader {
public:
    explicit BlobReader(const QByteArray &data)
        : m_data(data)
    {
    }

    BlobReader &operator>>(quint8 &value)
    {
        value = have(1) ? quint8(m_data[m_position++]) : 0;
        return *this;
    }
    BlobReader &operator>>(quint32 &value)
    {
        value = 0;
        if (have(4)) {
            const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData() + m_position);
            value = quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16 | quint32(bytes[3]) << 24;
            m_position += 4;
        }
        return *this;
    }
    BlobReader &operator>>(qint32 &value)
    {
        quint32 raw = 0;
        *this >> raw;
        value = qint32(raw);
        return *this;
    }
    BlobReader &operator>>(QString &text)
    {
        quint32 length = 0;
        *this >> length;
        if (!have(qsizetype(length) * 2)) {
            text.clear();
            return *this;
        }
        text.resize(length);
        char16_t *units = reinterpret_cast<char16_t *>(text.data());
        const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData() + m_position);
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            memcpy(units, bytes, size_t(length) * 2);
        } else {
            for (quint32 i = 0; i < length; ++i)
                units[i] = char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
        }
        m_position += qsizetype(length) * 2;
        return *this;
    }
    [[nodiscard]] bool atEnd() const { return m_position >= m_data.size(); }
    [[nodiscard]] bool ok() const { return m_ok; }

private:
    bool have(qsizetype bytes)
    {
        if (m_ok && bytes <= m_data.size() - m_position)
            return true;
        m_ok = false;
        return false;
    }

    const QByteArray &m_data;
    qsizetype m_position = 0;
    bool m_ok = true;
};

// --- writing ---------------------------------------------------------------

void writeValue(BlobWriter &s, const QString &value)
{
    s << value;
}
void writeValue(BlobWriter &s, StoreContact::ContactType value)
{
    s << quint8(value);
}
void writeValue(BlobWriter &s, const StorePhoneNumber &value)
{
    s << value.stringValue();
}
void writeValue(BlobWriter &s, const StoreContactRelation &value)
{
    s << value.name;
}
void writeValue(BlobWriter &s, const StoreInstantMessageAddress &value)
{
    s << value.username << value.service;
}
void writeValue(BlobWriter &s, const StoreSocialProfile &value)
{
    s << value.urlString << value.username << value.userIdentifier << value.service;
}
void writeValue(BlobWriter &s, const StorePostalAddress &value)
{
    s << value.street << value.subLocality << value.city << value.subAdministrativeArea << value.state
      << value.postalCode << value.country << value.isoCountryCode;
}
void writeValue(BlobWriter &s, const StoreDateComponents &value)
{
    s << quint8((value.year ? 1 : 0) | (value.month ? 2 : 0) | (value.day ? 4 : 0));
    for (const std::optional<int> &part : {value.year, value.month, value.day}) {
        if (part)
            s << qint32(*part);
    }
}
void writeValue(BlobWriter &s, const std::optional<StoreDateComponents> &value)
{
    s << quint8(value.has_value());
    if (value)
        writeValue(s, *value);
}
template <typename T> void writeValue(BlobWriter &s, const QList<StoreLabeledValue<T>> &list)
{
    s << quint32(list.size());
    for (const StoreLabeledValue<T> &item : list) {
        s << item.identifier() << item.label();
        writeValue(s, item.value());
    }
}

bool isEmptyValue(const QString &value)
{
    return value.isEmpty();
}
bool isEmptyValue(StoreContact::ContactType value)
{
    return value == StoreContact::ContactType::Person;
}
bool isEmptyValue(const std::optional<StoreDateComponents> &value)
{
    return !value;
}
template <typename T> bool isEmptyValue(const QList<T> &value)
{
    return value.isEmpty();
}

template <typename T> void put(BlobWriter &s, int key, const T &value, bool includeEmpty)
{
    if (!includeEmpty && isEmptyValue(value))
        return;
    s << quint8(key);
    writeValue(s, value);
}

// --- reading ---------------------------------------------------------------

bool readValue(BlobReader &s, QString *value)
{
    s >> *value;
    return true;
}
bool readValue(BlobReader &s, StoreContact::ContactType *value)
{
    quint8 type = 0;
    s >> type;
    *value = StoreContact::ContactType(type);
    return type <= 1;
}
bool readValue(BlobReader &s, std::optional<StorePhoneNumber> *value)
{
    QString text;
    s >> text;
    *value = StorePhoneNumber::phoneNumberWithStringValue(text);
    return value->has_value();
}
bool readValue(BlobReader &s, StoreContactRelation *value)
{
    s >> value->name;
    return true;
}
bool readValue(BlobReader &s, StoreInstantMessageAddress *value)
{
    s >> value->username >> value->service;
    return true;
}
bool readValue(BlobReader &s, StoreSocialProfile *value)
{
    s >> value->urlString >> value->username >> value->userIdentifier >> value->service;
    return true;
}
bool readValue(BlobReader &s, StorePostalAddress *value)
{
    s >> value->street >> value->subLocality >> value->city >> value->subAdministrativeArea >> value->state
        >> value->postalCode >> value->country >> value->isoCountryCode;
    return true;
}
bool readValue(BlobReader &s, StoreDateComponents *value)
{
    quint8 present = 0;
    s >> present;
    std::optional<int> *parts[] = {&value->year, &value->month, &value->day};
    for (int i = 0; i < 3; ++i) {
        if (present & (1 << i)) {
            qint32 part = 0;
            s >> part;
            *parts[i] = part;
        }
    }
    return present < 8;
}
bool readValue(BlobReader &s, std::optional<StoreDateComponents> *value)
{
    quint8 present = 0;
    s >> present;
    value->reset();
    if (!present)
        return true;
    StoreDateComponents components;
    const bool ok = readValue(s, &components);
    *value = components;
    return ok;
}

template <typename T> const T &unwrap(const T &value)
{
    return value;
}
const StorePhoneNumber &unwrap(const std::optional<StorePhoneNumber> &value)
{
    return *value;
}

template <typename T, typename Holder = T> bool readValue(BlobReader &s, QList<StoreLabeledValue<T>> *list)
{
    quint32 count = 0;
    s >> count;
    list->clear();
    for (quint32 i = 0; i < count && s.ok(); ++i) {
        QString identifier;
        QString label;
        Holder value{};
        s >> identifier >> label;
        if (!readValue(s, &value))
            return false;
        list->append(StoreLabeledValue<T>(identifier, label, unwrap(value)));
    }
    return s.ok();
}

} // namespace

QByteArray StoreContactCodec::encode(const StoreContact &contact)
{
    return encodeKeys(contact, false);
}

QByteArray StoreContactCodec::encodeKeys(const StoreContact &c, bool includeEmpty)
{
    BlobWriter s;
    s << formatVersion;
    auto &mutableContact = const_cast<StoreContact &>(c);
    for (int key = firstStoredKey; key <= lastStoredKey; ++key) {
        if (!hasKey(c, key))
            continue;
        if (const QString *text = mutableContact.stringField(key)) {
            put(s, key, *text, includeEmpty);
            continue;
        }
        switch (key) {
        case KeyContactType:
            put(s, key, c.m_contactType, includeEmpty);
            break;
        case KeyBirthday:
            put(s, key, c.m_birthday, includeEmpty);
            break;
        case KeyDates:
            put(s, key, c.m_dates, includeEmpty);
            break;
        case KeyPhoneNumbers:
            put(s, key, c.m_phoneNumbers, includeEmpty);
            break;
        case KeyEmailAddresses:
            put(s, key, c.m_emailAddresses, includeEmpty);
            break;
        case KeyPostalAddresses:
            put(s, key, c.m_postalAddresses, includeEmpty);
            break;
        case KeyUrlAddresses:
            put(s, key, c.m_urlAddresses, includeEmpty);
            break;
        case KeyContactRelations:
            put(s, key, c.m_contactRelations, includeEmpty);
            break;
        case KeySocialProfiles:
            put(s, key, c.m_socialProfiles, includeEmpty);
            break;
        case KeyInstantMessageAddresses:
            put(s, key, c.m_instantMessageAddresses, includeEmpty);
            break;
        default:
            break;
        }
    }
    return s.data();
}

bool StoreContactCodec::decode(const QByteArray &blob, StoreContact *c)
{
    BlobReader s(blob);
    quint8 version = 0;
    s >> version;
    if (version != formatVersion)
        return false;
    while (!s.atEnd()) {
        quint8 key = 0;
        s >> key;
        bool ok = true;
        if (QString *text = c->stringField(key)) {
            ok = readValue(s, text);
        } else {
            switch (key) {
            case KeyContactType:
                ok = readValue(s, &c->m_contactType);
                break;
            case KeyBirthday:
                ok = readValue(s, &c->m_birthday);
                break;
            case KeyDates:
                ok = readValue(s, &c->m_dates);
                break;
            case KeyPhoneNumbers:
                ok = readValue<StorePhoneNumber, std::optional<StorePhoneNumber>>(s, &c->m_phoneNumbers);
                break;
            case KeyEmailAddresses:
                ok = readValue(s, &c->m_emailAddresses);
                break;
            case KeyPostalAddresses:
                ok = readValue(s, &c->m_postalAddresses);
                break;
            case KeyUrlAddresses:
                ok = readValue(s, &c->m_urlAddresses);
                break;
            case KeyContactRelations:
                ok = readValue(s, &c->m_contactRelations);
                break;
            case KeySocialProfiles:
                ok = readValue(s, &c->m_socialProfiles);
                break;
            case KeyInstantMessageAddresses:
                ok = readValue(s, &c->m_instantMessageAddresses);
                break;
            default:
                ok = false;
                break;
            }
        }
        if (!ok || !s.ok())
            return false;
    }
    return true;
}

bool StoreContactCodec::merge(const QByteArray &stored, const StoreContact &changes, QByteArray *merged)
{
    StoreContact contact = fetchedContact(changes.identifier(), ~quint64(0));
    if (!decode(stored, &contact) || !decode(encodeKeys(changes, true), &contact))
        return false;
    *merged = encode(contact);
    return true;
}

StoreContact StoreContactCodec::fetchedContact(const QString &identifier, quint64 availableKeys)
{
    return StoreContact(identifier, availableKeys | (quint64(1) << KeyIdentifier));
}

quint64 StoreContactCodec::keyMask(const QStringList &keys)
{
    quint64 mask = 0;
    for (const QString &key : keys) {
        const int index = ContactKeys::indexOfContactKey(key);
        if (index >= 0)
            mask |= quint64(1) << index;
        else
            qWarning("%s: ERROR unknown contact key %s", Q_FUNC_INFO, qPrintable(key));
    }
    return mask;
}

bool StoreContactCodec::hasKey(const StoreContact &contact, int keyIndex)
{
    return contact.m_availableKeys & (quint64(1) << keyIndex);
}

const QByteArray &StoreContactCodec::rawImageData(const StoreContact &contact)
{
    return contact.m_imageData;
}

void StoreContactCodec::setImages(StoreContact *contact, const QByteArray &image, const QByteArray &thumbnail)
{
    contact->m_imageData = image;
    contact->m_thumbnailImageData = thumbnail;
}
