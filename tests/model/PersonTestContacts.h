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
    StorePostalAddress address;
    address.postalCode = "100-0001";
    address.state = "東京都";
    address.city = "千代田区";
    address.street = "千代田1-1";
    address.country = "日本";
    address.isoCountryCode = "JP";
    return address;
}

// Every field the contact record keeps, each with a value, labels as the
// record writes them back.
[[nodiscard]] inline StoreContact fullContact()
{
    StoreContact contact;
    contact.setNamePrefix("Dr.");
    contact.setGivenName("太郎");
    contact.setMiddleName("M");
    contact.setFamilyName("山田");
    contact.setPreviousFamilyName("鈴木");
    contact.setNameSuffix("Jr.");
    contact.setNickname("たろちゃん");
    contact.setPhoneticGivenName("タロウ");
    contact.setPhoneticMiddleName("エム");
    contact.setPhoneticFamilyName("ヤマダ");
    contact.setPhoneticOrganizationName("モルヴァン");
    contact.setOrganizationName("Morvane");
    contact.setDepartmentName("開発部");
    contact.setJobTitle("課長");
    contact.setNote("一行目\n二行目");
    contact.setPhoneNumbers({{QString(ContactLabels::phoneNumberMobile), phone("090-1234-5678")},
        {QString(ContactLabels::work), phone("03-1234-5678")}});
    contact.setEmailAddresses({{QString(ContactLabels::home), "taro@example.jp"}});
    StorePostalAddress us;
    us.street = "1 Main St";
    us.city = "Springfield";
    us.state = "IL";
    us.postalCode = "62701";
    us.isoCountryCode = "US";
    contact.setPostalAddresses({{QString(ContactLabels::home), tokyoAddress()}, {"Cottage", us}});
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
