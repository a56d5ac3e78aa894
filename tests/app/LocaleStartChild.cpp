// One address book started twice, each start under the locale its
// environment names: a contact whose address carries no country code, so
// that the locale's country decides the order of its one-line text.
//
//   quillmark_locale_start_child seed <folder>  makes the contact, gives its
//                                               address joint names and a
//                                               postcard layout, and saves
//   quillmark_locale_start_child show <folder>  loads as a start does and
//                                               prints what the cards use
#include "app/AddressBookLoader.h"
#include "app/AddressBookSaver.h"
#include "app/RenmeiAndHagakiStore.h"
#include "model/HagakiLayoutString.h"
#include "platform/KeyValueStore.h"
#include "platform/contacts/ContactStore.h"

#include <QCoreApplication>

#include <iostream>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Book {
    explicit Book(const QString &folder)
        : store(folder + u"/Contacts.sqlite"_s)
        , keyValueStore(folder + u"/KeyValueStore.json"_s)
        , sideStore(&keyValueStore, folder + u'/' + RenmeiAndHagakiStore::fileName())
    {
    }

    [[nodiscard]] AddressBookTables load() { return AddressBookLoader(store, sideStore).loadAddressBook({}); }

    ContactStore store;
    KeyValueStore keyValueStore;
    RenmeiAndHagakiStore sideStore;
};

// The address's text, then the joint names and the address's print choices.
void show(MVPerson &person)
{
    const LabeledValueRecord &address = *person.addressValues()->first();
    const HagakiLayoutFields &layout = *address.layout;
    std::cout << "text " << address.stringValue.toStdString() << "\nshown "
              << person.stringValues()->value(FieldId::Renmei).toStdString() << " sender " << layout.printsSender()
              << " company " << layout.printsCompany() << " renmei " << layout.printsRenmei() << " frame "
              << HagakiLayoutString::frameText(layout.receiverName).toStdString() << std::endl;
}

[[nodiscard]] int seed(Book &book)
{
    StoreSaveRequest request;
    StoreContact contact;
    contact.setGivenName(u"Taro"_s);
    contact.setPostalAddresses({{u"_$!<Home>!$_"_s,
        StorePostalAddress{
            .street = u"1-2-3 Ginza"_s, .city = u"Chuo-ku"_s, .state = u"Tokyo"_s, .postalCode = u"104-0061"_s}}});
    request.addContact(contact);
    if (!book.store.execute(request))
        return 1;
    const AddressBookTables tables = book.load();
    MVPerson &person = *tables.contactTable->first()->person;
    person.stringValues()->setEntry(FieldId::Renmei, u"花子"_s);
    HagakiLayoutFields &layout = *person.addressValues()->first()->layout;
    layout.sender = true;
    layout.company = true;
    layout.renmei = true;
    layout.receiverName = QRectF(1, 2, 3, 4);
    person.setChanged(true);
    if (AddressBookSaver(book.store, book.sideStore).save(*tables.containerTable))
        return 1;
    show(person);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    Book book(arguments.at(2));
    if (arguments.at(1) == u"seed"_s)
        return seed(book);
    const AddressBookTables tables = book.load();
    if (!tables.contactTable || tables.contactTable->size() != 1)
        return 1;
    show(*tables.contactTable->first()->person);
    return 0;
}
