#pragma once

#include "platform/contacts/ContactLabels.h"
#include "platform/contacts/StoreContact.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

// Store contacts and records the contact-record tests start from.
namespace PersonTestContacts {

[[nodiscard]] inline QByteArray pngImage(QColor colour)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

[[nodiscard]] inline StorePhoneNumber phone(const QString &text)
{
    return *StorePhoneNumber::phoneNumberWithStringValue(text);
}

[[nodiscard]] inline StorePostalAddress tokyoAddress()
{
    return {"千代田1-1", "", "千代田区", "", "東京都", "100-0001", "日本", "JP"};
}

// Every field the contact record keeps, each with a value, labels as the
// record writes them back.
[[nodiscard]] inline StoreContact fullContact()
{
    StoreContact contact;
    const std::pair<const char *, const char *> strings[] = {{"namePrefix", "Dr."}, {"givenName", "太郎"},
        {"middleName", "M"}, {"familyName", "山田"}, {"previousFamilyName", "鈴木"}, {"nameSuffix", "Jr."},
        {"nickname", "たろちゃん"}, {"phoneticGivenName", "タロウ"}, {"phoneticMiddleName", "エム"},
        {"phoneticFamilyName", "ヤマダ"}, {"phoneticOrganizationName", "モルヴァン"}, {"organizationName", "Morvane"},
        {"departmentName", "開発部"}, {"jobTitle", "課長"}, {"note", "一行目\n二行目"}};
    for (const auto &[key, value] : strings)
        contact.setStringForKey(QString::fromLatin1(key), QString::fromUtf8(value));
    contact.setPhoneNumbers({{QString(ContactLabels::phoneNumberMobile), phone("090-1234-5678")},
        {QString(ContactLabels::work), phone("03-1234-5678")}});
    contact.setEmailAddresses({{QString(ContactLabels::home), "taro@example.jp"}});
    contact.setPostalAddresses({{QString(ContactLabels::home), tokyoAddress()},
        {"Cottage", StorePostalAddress{"1 Main St", "", "Springfield", "", "IL", "62701", "", "US"}}});
    contact.setUrlAddresses({{QString(ContactLabels::urlAddressHomePage), "https://example.jp"}});
    contact.setSocialProfiles(
        {{"Twitter", StoreSocialProfile{"https://twitter.example/taro", "taro", "12345", "Twitter"}}});
    contact.setInstantMessageAddresses({{QString(ContactLabels::work), StoreInstantMessageAddress{"taro", "Skype"}}});
    contact.setContactRelations({{QString(ContactLabels::contactRelationSon), StoreContactRelation{"次郎"}}});
    contact.setDates({{QString(ContactLabels::dateAnniversary), StoreDateComponents{2010, 6, 1}}});
    contact.setBirthday(StoreDateComponents{1980, 4, 1});
    contact.setImageData(pngImage(Qt::red));
    return contact;
}

} // namespace PersonTestContacts
