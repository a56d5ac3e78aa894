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

StoreContact everyFieldContact()
{
    StoreContact contact = typicalContact(7);
    contact.setContactType(StoreContact::ContactType::Organization);
    contact.setNamePrefix(QStringLiteral("Dr."));
    contact.setMiddleName(QStringLiteral("Q."));
    contact.setPreviousFamilyName(QStringLiteral("Suzuki"));
    contact.setNameSuffix(QStringLiteral("Jr."));
    contact.setNickname(QStringLiteral("Tarochan"));
    contact.setPhoneticMiddleName(QStringLiteral("きゅー"));
    contact.setPhoneticOrganizationName(QStringLiteral("くいるわーくす"));
    contact.setDepartmentName(QStringLiteral("Printing"));
    contact.setJobTitle(QStringLiteral("Typesetter"));
    contact.setUrlAddresses(
        {{QString(ContactLabels::urlAddressHomePage), QStringLiteral("https://example.org/~taro")}});
    contact.setContactRelations(
        {{QString(ContactLabels::contactRelationSpouse), StoreContactRelation{QStringLiteral("花子")}}});
    contact.setSocialProfiles({{QString(ContactLabels::socialProfileServiceTwitter),
        StoreSocialProfile{QStringLiteral("https://x.example/taro"), QStringLiteral("taro"), QStringLiteral("12345"),
            QString(ContactLabels::socialProfileServiceTwitter)}}});
    contact.setInstantMessageAddresses({{QString(ContactLabels::home),
        StoreInstantMessageAddress{QStringLiteral("taro.y"), QString(ContactLabels::instantMessageServiceSkype)}}});
    contact.setBirthday(StoreDateComponents{std::nullopt, 2, 29});
    contact.setDates({{QString(ContactLabels::dateAnniversary), StoreDateComponents{2001, 6, std::nullopt}}});
    return contact;
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
