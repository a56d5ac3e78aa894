#include "StoreSampleContacts.h"

#include "platform/contacts/ContactLabels.h"

namespace StoreSampleContacts {

StoreContact typicalContact(int number)
{
    const QString n = QString::number(number);
    StoreContact contact;
    contact.setGivenName(QStringLiteral("Taro") + n);
    contact.setFamilyName(QStringLiteral("Yamada"));
    contact.setPhoneticGivenName(QStringLiteral("たろう") + n);
    contact.setPhoneticFamilyName(QStringLiteral("やまだ"));
    contact.setOrganizationName(QStringLiteral("Quill Works ") + n);
    contact.setPhoneNumbers({{QString(ContactLabels::phoneNumberMobile),
                                 *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("090-1234-") + n)},
        {QString(ContactLabels::work), *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("03-5555-") + n)}});
    contact.setEmailAddresses({{QString(ContactLabels::home), QStringLiteral("taro%1@example.org").arg(n)},
        {QString(ContactLabels::work), QStringLiteral("yamada%1@example.com").arg(n)}});
    const StorePostalAddress address{.street = QStringLiteral("千代田1-") + n,
        .city = QStringLiteral("千代田区"),
        .state = QStringLiteral("東京都"),
        .postalCode = QStringLiteral("100-0001"),
        .country = QStringLiteral("日本"),
        .isoCountryCode = QStringLiteral("jp")};
    contact.setPostalAddresses({{QString(ContactLabels::home), address}});
    contact.setNote(QStringLiteral("Met at the autumn fair, table ") + n);
    return contact;
}

} // namespace StoreSampleContacts
