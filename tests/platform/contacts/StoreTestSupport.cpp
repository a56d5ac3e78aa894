#include "StoreTestSupport.h"

#include "common/TestEnvironment.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContactCodec_p.h"

#include <QCryptographicHash>
#include <QFile>

namespace StoreTestSupport {

QString newStorePath(const QString &name)
{
    return TestEnvironment::makeScratchFolder(name) + QStringLiteral("/Contacts.sqlite");
}

template <typename T> static StoreLabeledValue<T> labeled(QLatin1StringView label, const T &value)
{
    return StoreLabeledValue<T>(QString(label), value);
}

template <typename T> static StoreLabeledValue<T> labeled(const char16_t *label, const T &value)
{
    return StoreLabeledValue<T>(QString::fromUtf16(label), value);
}

static StorePhoneNumber phone(const QString &text)
{
    return *StorePhoneNumber::phoneNumberWithStringValue(text);
}

StoreContact everyFieldContact()
{
    StoreContact c;
    const std::pair<const char *, const char *> strings[] = {{"namePrefix", "Dr."}, {"givenName", "太郎"},
        {"middleName", "Q, R"}, {"familyName", "山田"}, {"previousFamilyName", "佐藤"}, {"nameSuffix", "Jr.; III"},
        {"nickname", "たろ\\う"}, {"phoneticGivenName", "タロウ"}, {"phoneticMiddleName", "キュー"},
        {"phoneticFamilyName", "ヤマダ"}, {"phoneticOrganizationName", "ヤマダショウジ"},
        {"organizationName", "山田商事株式会社; Yamada Trading, Ltd."}, {"departmentName", "営業部"},
        {"jobTitle", "課長"}, {"note", "Met at the autumn fair,\ntable 7"}};
    for (const auto &[key, value] : strings)
        c.setStringForKey(QString::fromLatin1(key), QString::fromUtf8(value));
    c.setPhoneNumbers({labeled(ContactLabels::phoneNumberMobile, phone(QStringLiteral("090-1234-5678"))),
        labeled(ContactLabels::phoneNumberiPhone, phone(QStringLiteral("+81 80 1111 2222"))),
        labeled(ContactLabels::phoneNumberWorkFax, phone(QStringLiteral("03-1111-2222"))),
        labeled(ContactLabels::school, phone(QStringLiteral("03-3333-4444"))),
        labeled(u"実家", phone(QStringLiteral("0263-11-2222"))), labeled(u"", phone(QStringLiteral("117")))});
    c.setEmailAddresses({labeled(ContactLabels::work, QStringLiteral("taro@example.co.jp")),
        labeled(u"携帯, 私用", QStringLiteral("taro@example.ne.jp"))});
    StorePostalAddress home{QStringLiteral("神宮前1-2-3\n青山ビル4階"), QStringLiteral("神宮前"),
        QStringLiteral("渋谷区"), QString(), QStringLiteral("東京都"), QStringLiteral("150-0001"),
        QStringLiteral("日本"), QStringLiteral("jp")};
    StorePostalAddress office{QStringLiteral("1 Infinite Loop; Bldg 2"), QString(), QStringLiteral("Cupertino"),
        QStringLiteral("Santa Clara: County"), QStringLiteral("CA"), QStringLiteral("95014"), QStringLiteral("USA"),
        QString()};
    c.setPostalAddresses({labeled(ContactLabels::home, home), labeled(u"別荘", office)});
    c.setUrlAddresses({labeled(ContactLabels::urlAddressHomePage, QStringLiteral("https://example.jp/a,b;c")),
        labeled(ContactLabels::other, QStringLiteral("http://example.org"))});
    c.setDates({labeled(ContactLabels::dateAnniversary, StoreDateComponents{2001, 11, 22}),
        labeled(u"初詣", StoreDateComponents{std::nullopt, 1, 1})});
    c.setContactRelations({labeled(ContactLabels::contactRelationSpouse, StoreContactRelation{QStringLiteral("花子")}),
        labeled(u"恩師", StoreContactRelation{QStringLiteral("鈴木 一郎")})});
    c.setInstantMessageAddresses({labeled(ContactLabels::home,
                                      StoreInstantMessageAddress{QStringLiteral("taro@example.com"),
                                          QString(ContactLabels::instantMessageServiceJabber)}),
        labeled(u"", StoreInstantMessageAddress{QStringLiteral("taro_y"), QStringLiteral("LINE")}),
        labeled(ContactLabels::work,
            StoreInstantMessageAddress{QStringLiteral("taro.y"), QString(ContactLabels::instantMessageServiceSkype)})});
    c.setSocialProfiles({labeled(ContactLabels::socialProfileServiceTwitter,
                             StoreSocialProfile{QStringLiteral("https://twitter.com/taro"), QStringLiteral("taro"),
                                 QStringLiteral("12345"), QString(ContactLabels::socialProfileServiceTwitter)}),
        labeled(
            u"", StoreSocialProfile{QString(), QStringLiteral("taro;y"), QString(), QStringLiteral("Mastodon, Inc")})});
    c.setBirthday(StoreDateComponents{1970, 2, 28});
    return c;
}

QStringList snapshot(const ContactStore &store)
{
    QStringList lines;
    for (const StoreContainer &container : store.containersMatchingPredicate({})) {
        lines.append(
            QStringLiteral("container %1 %2 %3").arg(container.identifier, container.name).arg(int(container.type)));
        const auto groups = store.groupsMatchingPredicate(
            StorePredicate::predicateForGroupsInContainerWithIdentifier(container.identifier));
        for (const StoreGroup &group : groups) {
            lines.append(QStringLiteral("group %1 %2").arg(group.identifier(), group.name()));
            lines.append(QStringLiteral("members ")
                + contactIdentifiers(
                    store, StorePredicate::predicateForContactsInGroupWithIdentifier(group.identifier()))
                      .join(QLatin1Char(' ')));
        }
        const auto contacts = store.unifiedContactsMatchingPredicate(
            StorePredicate::predicateForContactsInContainerWithIdentifier(container.identifier),
            ContactKeys::allContactKeys());
        for (const StoreContact &contact : contacts) {
            lines.append(QStringLiteral("contact %1 %2 image %3 thumbnail %4")
                             .arg(contact.identifier(), QString::fromLatin1(StoreContactCodec::encode(contact).toHex()),
                                 QString::fromLatin1(
                                     QCryptographicHash::hash(contact.imageData(), QCryptographicHash::Sha1).toHex()))
                             .arg(contact.thumbnailImageData().size()));
        }
    }
    return lines;
}

QStringList contactIdentifiers(const ContactStore &store, const StorePredicate &predicate)
{
    QStringList identifiers;
    for (const StoreContact &contact : store.unifiedContactsMatchingPredicate(predicate, {}))
        identifiers.append(contact.identifier());
    return identifiers;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace StoreTestSupport
