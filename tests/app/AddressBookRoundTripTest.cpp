#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"
#include "platform/contacts/vcard/ContactVCardSerialization.h"

#include <QBuffer>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

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
    contact.setNamePrefix(u"Dr."_s);
    contact.setMiddleName(u"Q."_s);
    contact.setPreviousFamilyName(u"Suzuki"_s);
    contact.setNameSuffix(u"Jr."_s);
    contact.setNickname(u"Taro-chan"_s);
    contact.setPhoneticGivenName(u"たろう"_s);
    contact.setPhoneticFamilyName(u"やまだ"_s);
    contact.setOrganizationName(u"山田商店"_s);
    contact.setDepartmentName(u"Sales"_s);
    contact.setJobTitle(u"Manager"_s);
    contact.setNote(u"Two lines\nof note"_s);
    contact.setPhoneNumbers({{u"_$!<Mobile>!$_"_s, *StorePhoneNumber::phoneNumberWithStringValue(u"090-1234-5678"_s)},
        {u"_$!<Work>!$_"_s, *StorePhoneNumber::phoneNumberWithStringValue(u"+81 3-1234-5678"_s)},
        {u"Shop"_s, *StorePhoneNumber::phoneNumberWithStringValue(u"03-9999-0000"_s)}});
    contact.setEmailAddresses(
        {{u"_$!<Home>!$_"_s, u"taro@example.jp"_s}, {u"_$!<Work>!$_"_s, u"yamada@example.co.jp"_s}});
    contact.setUrlAddresses({{u"_$!<HomePage>!$_"_s, u"https://example.jp/taro"_s}});
    contact.setPostalAddresses({{u"_$!<Home>!$_"_s,
                                    StorePostalAddress{.street = u"銀座1-2-3"_s,
                                        .city = u"中央区"_s,
                                        .state = u"東京都"_s,
                                        .postalCode = u"104-0061"_s,
                                        .country = u"日本"_s,
                                        .isoCountryCode = u"jp"_s}},
        {u"_$!<Work>!$_"_s,
            StorePostalAddress{.street = u"1 Main St"_s,
                .city = u"Springfield"_s,
                .state = u"IL"_s,
                .postalCode = u"62701"_s,
                .country = u"USA"_s,
                .isoCountryCode = u"us"_s}}});
    contact.setContactRelations({{u"_$!<Spouse>!$_"_s, StoreContactRelation{u"Hanako"_s}}});
    contact.setSocialProfiles({{u"Twitter"_s, StoreSocialProfile{.username = u"taro"_s, .service = u"Twitter"_s}}});
    contact.setInstantMessageAddresses({{u"_$!<Home>!$_"_s, StoreInstantMessageAddress{u"taro.y"_s, u"Skype"_s}}});
    contact.setBirthday(StoreDateComponents{1980, 4, 1});
    contact.setDates({{u"_$!<Anniversary>!$_"_s, StoreDateComponents{2005, 6, 12}}});
    contact.setImageData(pngImage());
}

} // namespace

TEST_F(AddressBookTest, SaveQuitAndLoadKeepsEveryFieldOfAContactWithManyValues)
{
    const StoreContact seeded = seedContact(u"Taro"_s, u"Yamada"_s, fillEveryField);
    const std::string before
        = describe(*m_store->unifiedContactWithIdentifier(seeded.identifier(), AddressBookLoader::keysToFetch()));
    launch();
    const ContactRecordPtr taro = rowNamed(u"Taro"_s);
    taro->person->setStringValue(u"Hanako, Jiro"_s, FieldId::Renmei);
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
    EXPECT_EQ(rowNamed(u"Taro"_s)->person->stringValues()->value(FieldId::Renmei), u"Hanako, Jiro"_s);
}
