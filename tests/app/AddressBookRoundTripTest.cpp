#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QBuffer>
#include <QImage>

namespace {

// Every field of a contact the address book keeps, one line each: its card
// (which leaves out the identifiers of the values, made anew by a
// write-back), its note and the size of its image.
[[nodiscard]] std::string describe(const StoreContact &contact)
{
    const QByteArray card = ContactVCardSerialization::dataWithContacts({contact});
    return card.toStdString() + "NOTE " + contact.note().toStdString() + "\nIMAGE "
        + std::to_string(contact.imageData().size());
}

[[nodiscard]] QByteArray pngImage()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void fillEveryField(StoreContact &contact)
{
    contact.setNamePrefix(QStringLiteral("Dr."));
    contact.setMiddleName(QStringLiteral("Q."));
    contact.setPreviousFamilyName(QStringLiteral("Suzuki"));
    contact.setNameSuffix(QStringLiteral("Jr."));
    contact.setNickname(QStringLiteral("Taro-chan"));
    contact.setPhoneticGivenName(QStringLiteral("たろう"));
    contact.setPhoneticFamilyName(QStringLiteral("やまだ"));
    contact.setOrganizationName(QStringLiteral("山田商店"));
    contact.setDepartmentName(QStringLiteral("Sales"));
    contact.setJobTitle(QStringLiteral("Manager"));
    contact.setNote(QStringLiteral("Two lines\nof note"));
    contact.setPhoneNumbers({{QStringLiteral("_$!<Mobile>!$_"),
                                 *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("090-1234-5678"))},
        {QStringLiteral("_$!<Work>!$_"),
            *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("+81 3-1234-5678"))},
        {QStringLiteral("Shop"), *StorePhoneNumber::phoneNumberWithStringValue(QStringLiteral("03-9999-0000"))}});
    contact.setEmailAddresses({{QStringLiteral("_$!<Home>!$_"), QStringLiteral("taro@example.jp")},
        {QStringLiteral("_$!<Work>!$_"), QStringLiteral("yamada@example.co.jp")}});
    contact.setUrlAddresses({{QStringLiteral("_$!<HomePage>!$_"), QStringLiteral("https://example.jp/taro")}});
    contact.setPostalAddresses({{QStringLiteral("_$!<Home>!$_"),
                                    StorePostalAddress{.street = QStringLiteral("銀座1-2-3"),
                                        .city = QStringLiteral("中央区"),
                                        .state = QStringLiteral("東京都"),
                                        .postalCode = QStringLiteral("104-0061"),
                                        .country = QStringLiteral("日本"),
                                        .isoCountryCode = QStringLiteral("jp")}},
        {QStringLiteral("_$!<Work>!$_"),
            StorePostalAddress{.street = QStringLiteral("1 Main St"),
                .city = QStringLiteral("Springfield"),
                .state = QStringLiteral("IL"),
                .postalCode = QStringLiteral("62701"),
                .country = QStringLiteral("USA"),
                .isoCountryCode = QStringLiteral("us")}}});
    contact.setContactRelations({{QStringLiteral("_$!<Spouse>!$_"), StoreContactRelation{QStringLiteral("Hanako")}}});
    contact.setSocialProfiles({{QStringLiteral("Twitter"),
        StoreSocialProfile{.username = QStringLiteral("taro"), .service = QStringLiteral("Twitter")}}});
    contact.setInstantMessageAddresses({{QStringLiteral("_$!<Home>!$_"),
        StoreInstantMessageAddress{QStringLiteral("taro.y"), QStringLiteral("Skype")}}});
    contact.setBirthday(StoreDateComponents{1980, 4, 1});
    contact.setDates({{QStringLiteral("_$!<Anniversary>!$_"), StoreDateComponents{2005, 6, 12}}});
    contact.setImageData(pngImage());
}

} // namespace

TEST_F(AddressBookTest, SaveQuitAndLoadKeepsEveryFieldOfAContactWithManyValues)
{
    const StoreContact seeded = seedContact(QStringLiteral("Taro"), QStringLiteral("Yamada"), fillEveryField);
    const std::string before
        = describe(*m_store->unifiedContactWithIdentifier(seeded.identifier(), AddressBookLoader::keysToFetch()));
    launch();
    const ContactRecordPtr taro = rowNamed(QStringLiteral("Taro"));
    taro->person->setStringValue(QStringLiteral("Hanako, Jiro"), FieldId::Renmei);
    taro->person->setChanged(true);
    // A copy is a new contact with the same values.
    const MVPersonPtr copy = taro->person->copy();
    ContactRecordPtr copyRow = ContactRecord::makeWithPerson(copy);
    copyRow->isNew = true;
    topGroup()->contactTable->append(copyRow);
    markEdited();

    ASSERT_TRUE(save());
    relaunch();

    ASSERT_EQ(topGroup()->contactTable->size(), 2);
    for (const ContactRecordPtr &row : std::as_const(*topGroup()->contactTable)) {
        const std::optional<StoreContact> stored
            = m_store->unifiedContactWithIdentifier(row->uniqueId, AddressBookLoader::keysToFetch());
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(describe(*stored), before);
    }
    EXPECT_EQ(rowNamed(QStringLiteral("Taro"))->person->stringValues()->value(FieldId::Renmei),
        QStringLiteral("Hanako, Jiro"));
}
