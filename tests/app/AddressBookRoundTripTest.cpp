#include "AddressBookTestSupport.h"

#include "app/AddressBookLoader.h"

#include <QBuffer>
#include <QImage>

namespace {

template <typename T, typename Describe>
void describeList(QStringList &lines, const char *field, const QList<StoreLabeledValue<T>> &values, Describe describe)
{
    for (const StoreLabeledValue<T> &value : values)
        lines.append(QStringLiteral("%1 [%2] %3").arg(QLatin1String(field), value.label(), describe(value.value())));
}

[[nodiscard]] QString describeDate(const StoreDateComponents &date)
{
    return QStringLiteral("%1-%2-%3").arg(date.year.value_or(0)).arg(date.month.value_or(0)).arg(date.day.value_or(0));
}

// Every field of a contact the address book keeps, one line each; the
// identifiers of the values, which a write-back makes anew, are left out.
[[nodiscard]] std::string describe(const StoreContact &contact);

[[nodiscard]] QStringList describeLines(const StoreContact &contact)
{
    QStringList lines{
        QStringLiteral("type %1").arg(int(contact.contactType())),
        contact.namePrefix(),
        contact.givenName(),
        contact.middleName(),
        contact.familyName(),
        contact.previousFamilyName(),
        contact.nameSuffix(),
        contact.nickname(),
        contact.phoneticGivenName(),
        contact.phoneticMiddleName(),
        contact.phoneticFamilyName(),
        contact.organizationName(),
        contact.departmentName(),
        contact.jobTitle(),
        contact.note(),
        QStringLiteral("image %1 bytes").arg(contact.imageData().size()),
    };
    describeList(lines, "phone", contact.phoneNumbers(), [](const StorePhoneNumber &v) { return v.stringValue(); });
    describeList(lines, "email", contact.emailAddresses(), [](const QString &v) { return v; });
    describeList(lines, "url", contact.urlAddresses(), [](const QString &v) { return v; });
    describeList(lines, "address", contact.postalAddresses(), [](const StorePostalAddress &v) {
        return QStringList{v.street, v.city, v.state, v.postalCode, v.country, v.isoCountryCode}.join(u'|');
    });
    describeList(lines, "relation", contact.contactRelations(), [](const StoreContactRelation &v) { return v.name; });
    describeList(lines, "social", contact.socialProfiles(), [](const StoreSocialProfile &v) {
        return QStringList{v.service, v.username}.join(u'|');
    });
    describeList(lines, "im", contact.instantMessageAddresses(), [](const StoreInstantMessageAddress &v) {
        return QStringList{v.service, v.username}.join(u'|');
    });
    describeList(lines, "date", contact.dates(), describeDate);
    lines.append(QStringLiteral("birthday ") + (contact.birthday() ? describeDate(*contact.birthday()) : QString()));
    return lines;
}

std::string describe(const StoreContact &contact)
{
    return describeLines(contact).join(u'\n').toStdString();
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
