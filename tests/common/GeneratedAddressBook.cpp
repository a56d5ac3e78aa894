#include "common/GeneratedAddressBook.h"

#include "platform/contacts/ContactLabels.h"

#include <QDir>

#include <array>

namespace {

struct JapaneseName {
    const char *family;
    const char *familyReading;
    const char *given;
    const char *givenReading;
};

constexpr std::array japaneseNames{JapaneseName{"山田", "やまだ", "太郎", "たろう"},
    JapaneseName{"佐藤", "さとう", "花子", "はなこ"}, JapaneseName{"鈴木", "すずき", "一郎", "いちろう"},
    JapaneseName{"高橋", "たかはし", "陽子", "ようこ"}, JapaneseName{"田中", "たなか", "健太", "けんた"},
    JapaneseName{"伊藤", "いとう", "美咲", "みさき"}, JapaneseName{"渡辺", "わたなべ", "翔", "しょう"},
    JapaneseName{"中村", "なかむら", "由美", "ゆみ"}, JapaneseName{"小林", "こばやし", "大輔", "だいすけ"},
    JapaneseName{"吉田", "よしだ", "さくら", "さくら"}, JapaneseName{"山本", "やまもと", "誠", "まこと"}};

constexpr std::array latinFamilyNames{"Smith", "Johnson", "Williams", "Brown", "Garcia", "Miller", "Davis", "Martinez",
    "Lopez", "Wilson", "Anderson", "Taylor", "Moore"};
constexpr std::array latinGivenNames{
    "John", "Mary", "Robert", "Patricia", "Michael", "Linda", "David", "Susan", "James", "Karen", "Emma"};

template <typename List> auto pick(const List &list, int index)
{
    return list[static_cast<std::size_t>(index) % list.size()];
}

bool isJapanese(int index)
{
    return index % 2 == 0;
}

void setName(StoreContact &contact, int index)
{
    if (isJapanese(index)) {
        const JapaneseName name = pick(japaneseNames, index / 2);
        contact.setFamilyName(QString::fromUtf8(name.family));
        contact.setGivenName(QString::fromUtf8(name.given));
        contact.setPhoneticFamilyName(QString::fromUtf8(name.familyReading));
        contact.setPhoneticGivenName(QString::fromUtf8(name.givenReading));
    } else {
        contact.setFamilyName(QString::fromUtf8(pick(latinFamilyNames, index / 2)));
        contact.setGivenName(QString::fromUtf8(pick(latinGivenNames, index / 3)));
    }
    // Numbered, so that every contact's name is its own.
    contact.setNickname(QStringLiteral("#%1").arg(index));
    if (index % 10 == 5) {
        contact.setContactType(StoreContact::ContactType::Organization);
        contact.setOrganizationName(isJapanese(index) ? QStringLiteral("株式会社%1商事").arg(index)
                                                      : QStringLiteral("Acme %1 Inc.").arg(index));
    } else if (index % 3 == 0) {
        contact.setOrganizationName(QStringLiteral("Company %1").arg(index % 97));
        contact.setDepartmentName(QStringLiteral("Sales"));
    }
}

void setPhonesAndMail(StoreContact &contact, int index, int count)
{
    static const std::array phoneLabels{
        ContactLabels::phoneNumberMobile, ContactLabels::home, ContactLabels::work, ContactLabels::phoneNumberHomeFax};
    static const std::array mailLabels{ContactLabels::home, ContactLabels::work, ContactLabels::other};
    StoreContact::PhoneNumbers phones;
    StoreContact::Strings mails;
    for (int k = 0; k < count; ++k) {
        const QString number = isJapanese(index)
            ? QStringLiteral("0%1-%2-%3").arg(k + 3).arg(1000 + index % 9000).arg(k)
            : QStringLiteral("+1 555 %1 %2").arg(100 + k).arg(index % 10000);
        if (const auto phone = StorePhoneNumber::phoneNumberWithStringValue(number))
            phones.append({QString(pick(phoneLabels, index + k)), *phone});
        const QString domain = isJapanese(index) ? QStringLiteral("example.jp") : QStringLiteral("example.com");
        mails.append({QString(pick(mailLabels, k)), QStringLiteral("user%1.%2@%3").arg(index).arg(k).arg(domain)});
    }
    contact.setPhoneNumbers(phones);
    contact.setEmailAddresses(mails);
}

StorePostalAddress makeAddress(int index, int k)
{
    StorePostalAddress address;
    if (isJapanese(index)) {
        address.postalCode = QStringLiteral("%1-%2").arg(100 + index % 800).arg(1000 + k * 11, 4, 10, QLatin1Char('0'));
        address.state = k == 0 ? QStringLiteral("東京都") : QStringLiteral("大阪府");
        address.city = k == 0 ? QStringLiteral("中央区") : QStringLiteral("北区");
        address.street = QStringLiteral("銀座%1-%2-%3").arg(index % 8 + 1).arg(k + 1).arg(index % 20 + 1);
        address.country = QStringLiteral("日本");
        address.isoCountryCode = QStringLiteral("jp");
    } else {
        address.street = QStringLiteral("%1 Main Street").arg(100 + index % 900 + k);
        address.city = k == 0 ? QStringLiteral("Springfield") : QStringLiteral("Portland");
        address.state = k == 0 ? QStringLiteral("IL") : QStringLiteral("OR");
        address.postalCode = QStringLiteral("%1").arg(62701 + index % 100 + k);
        address.country = QStringLiteral("USA");
        address.isoCountryCode = QStringLiteral("us");
    }
    return address;
}

} // namespace

GeneratedAddressBook::GeneratedAddressBook(int contactCount, const QString &folder)
    : m_folder(folder)
    , m_contactCount(contactCount)
{
    if (m_folder.isEmpty()) {
        m_temporaryFolder
            = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quillmark-book-XXXXXX"));
        m_folder = m_temporaryFolder->path();
    }
    QDir().mkpath(m_folder);
    m_store = std::make_unique<ContactStore>(m_folder + QStringLiteral("/Contacts.sqlite"));
    StoreSaveRequest request;
    QList<StoreGroup> groups;
    for (const QString &name : groupNames()) {
        groups.append(StoreGroup(name));
        request.addGroup(groups.last());
    }
    for (int index = 0; index < m_contactCount; ++index) {
        const StoreContact contact = makeContact(index);
        request.addContact(contact);
        for (int group = 0; group < groups.size(); ++group) {
            if (isMember(index, group))
                request.addMember(contact, groups.at(group));
        }
    }
    StoreError error;
    if (!m_store->execute(request, &error))
        qWarning("%s: ERROR %s", Q_FUNC_INFO, qPrintable(error.description));
}

const QStringList &GeneratedAddressBook::groupNames()
{
    static const QStringList names{QStringLiteral("Family"), QStringLiteral("Friends"), QStringLiteral("Work")};
    return names;
}

StoreContact GeneratedAddressBook::makeContact(int index)
{
    StoreContact contact;
    setName(contact, index);
    setPhonesAndMail(contact, index, 2 + index % 2);
    static const std::array addressLabels{ContactLabels::home, ContactLabels::work, ContactLabels::other};
    StoreContact::PostalAddresses addresses;
    for (int k = 0; k < 2 + (index / 2) % 2; ++k)
        addresses.append({QString(pick(addressLabels, k)), makeAddress(index, k)});
    contact.setPostalAddresses(addresses);
    contact.setUrlAddresses(
        {{QString(ContactLabels::urlAddressHomePage), QStringLiteral("https://example.org/~%1").arg(index)}});
    contact.setBirthday(StoreDateComponents{1950 + index % 50, 1 + index % 12, 1 + index % 28});
    if (index % 4 == 1)
        contact.setNote(QStringLiteral("Met at the %1 meeting.\nCall back in spring.").arg(index));
    return contact;
}
