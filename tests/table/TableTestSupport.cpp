#include "TableTestSupport.h"

#include "common/GeneratedAddressBook.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"

namespace TableTest {

StoreContact person(const QString &given, const QString &family)
{
    StoreContact contact;
    contact.setGivenName(given);
    contact.setFamilyName(family);
    return contact;
}

StoreContact company(const QString &name)
{
    StoreContact contact;
    contact.setContactType(StoreContact::ContactType::Organization);
    contact.setOrganizationName(name);
    return contact;
}

void setPhones(StoreContact &contact, const LabeledTexts &phones)
{
    StoreContact::PhoneNumbers numbers;
    for (const auto &[label, text] : phones)
        numbers.append({label, *StorePhoneNumber::phoneNumberWithStringValue(text)});
    contact.setPhoneNumbers(numbers);
}

void setEmails(StoreContact &contact, const LabeledTexts &emails)
{
    StoreContact::Strings values;
    for (const auto &[label, text] : emails)
        values.append({label, text});
    contact.setEmailAddresses(values);
}

void setStreets(StoreContact &contact, const LabeledTexts &streets)
{
    StoreContact::PostalAddresses addresses;
    for (const auto &[label, text] : streets) {
        StorePostalAddress address;
        address.street = text;
        address.isoCountryCode = QStringLiteral("us");
        addresses.append({label, address});
    }
    contact.setPostalAddresses(addresses);
}

ContactRecordPtr record(const StoreContact &contact)
{
    return ContactRecord::makeWithPerson(MVPerson::initWithCNContact(contact));
}

ContactTablePtr table(const QList<StoreContact> &contacts)
{
    auto contactTable = std::make_shared<ContactTable>();
    for (const StoreContact &contact : contacts)
        contactTable->append(record(contact));
    return contactTable;
}

ContactTablePtr generatedTable(int count)
{
    QList<StoreContact> contacts;
    for (int index = 0; index < count; ++index)
        contacts.append(GeneratedAddressBook::makeContact(index));
    return table(contacts);
}

QStringList rowNames(const QList<SubContactRecordPtr> &rows)
{
    QStringList names;
    for (const SubContactRecordPtr &row : rows) {
        const NameRecordPtr name = row->person->nameValue();
        const QString shown = name->showAsPerson ? name->firstName : row->person->stringValues()->value("Company");
        names.append(QStringLiteral("%1:%2").arg(shown).arg(row->labelIndex));
    }
    return names;
}

void TableTestCase::SetUp()
{
    FieldVocabulary::shared().removeAllCustomLabels();
}

} // namespace TableTest
