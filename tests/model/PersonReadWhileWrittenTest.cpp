#include "model/MVPerson.h"

#include "PersonTestContacts.h"

#include <gtest/gtest.h>

#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

// Persons and companies, with and without a birthday, a reading of the name,
// a note and values of each kind: the caches a contact holds shared and those
// it holds its own.
QList<MVPersonPtr> mixedContacts()
{
    MVPerson::initializeClass();
    QList<MVPersonPtr> persons;
    for (int i = 0; i < 40; ++i) {
        StoreContact contact = i % 4 == 3 ? StoreContact() : PersonTestContacts::fullContact();
        contact.setFamilyName(u"山田"_s + QString::number(i));
        if (i % 2 == 1) {
            contact.setContactType(StoreContact::ContactType::Organization);
            contact.setOrganizationName(i % 3 == 0 ? QString() : u"Morvane "_s + QString::number(i));
        }
        if (i % 3 == 1) {
            contact.setBirthday(std::nullopt);
            contact.setPhoneticGivenName({});
            contact.setPhoneticFamilyName({});
            contact.setNote({});
        }
        persons.append(MVPerson::initWithCNContact(contact));
    }
    persons.append(MVPerson::init());
    return persons;
}

// What an export reads of a person: its card, its note and joint names, the
// layouts of its addresses and its photo.
QByteArray exported(MVPerson &person)
{
    QByteArray text = person.vCardData();
    text += person.stringValues()->value(FieldId::Note).toUtf8();
    text += person.stringValues()->value(FieldId::Renmei).toUtf8();
    if (const LabeledValueListPtr addresses = person.heldLabeledValues(FieldId::Address)) {
        for (const LabeledValueRecordPtr &address : std::as_const(*addresses))
            text += person.layoutStringFromHagakiLayoutDict(&*std::as_const(address->layout)).toUtf8();
    }
    text += QByteArray::number(person.photo().width());
    return text;
}

// What the table and a contact window read as they paint a person.
QString painted(MVPerson &person)
{
    QString text = person.compositeName() + person.phoneticName() + person.birthdayValue()->stringValue
        + person.stringValues()->value(FieldId::Company) + person.stringValues()->value(FieldId::Renmei);
    for (const ContactIdentifier &field : {FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::Dates}) {
        if (const LabeledValueList *values = person.madeLabeledValues(field)) {
            for (const LabeledValueRecordPtr &value : *values)
                text += value->labelText() + value->stringValue;
        }
        text += person.stringValueForIdentifier(field, 0);
    }
    text += person.stringValueForIdentifier(FieldId::Name, 0) + person.stringValueForIdentifier(FieldId::Birthday, 0);
    text += QString::number(person.nameValue()->nameOrdering);
    return text;
}

// The window paints the contacts an export job is writing out, settled before
// the job as the export does: what either reads, the other never writes, and
// both see the contacts as they were (ThreadSanitizer tells of any byte the
// two share, "make tsan").
TEST(PersonReadWhileWritten, PaintingAndAnExportReadTheSettledContactsApart)
{
    QList<MVPersonPtr> persons = mixedContacts();
    QList<QByteArray> alone;
    QStringList paintedAlone;
    for (const MVPersonPtr &person : std::as_const(persons)) {
        person->settleForReaders();
        alone.append(exported(*person));
        paintedAlone.append(painted(*person));
    }
    // Contacts as they are before their first painting and export.
    persons = mixedContacts();
    for (const MVPersonPtr &person : std::as_const(persons))
        person->settleForReaders();

    QList<QByteArray> written;
    std::thread job([&persons, &written] {
        for (int round = 0; round < 3; ++round) {
            written.clear();
            for (const MVPersonPtr &person : std::as_const(persons))
                written.append(exported(*person));
        }
    });
    QStringList paintedMeanwhile;
    for (int round = 0; round < 3; ++round) {
        paintedMeanwhile.clear();
        for (const MVPersonPtr &person : std::as_const(persons))
            paintedMeanwhile.append(painted(*person));
    }
    job.join();
    EXPECT_EQ(written, alone);
    EXPECT_EQ(paintedMeanwhile, paintedAlone);
}

} // namespace
