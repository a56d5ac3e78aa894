// One address book started twice, each start under the locale its
// environment names: a contact whose address carries no country code, so
// that the locale's country decides the order of its one-line text.
//
//   quillmark_locale_start_child seed <folder>  makes the contact, gives its
//                                               address joint names and a
//                                               postcard layout, and saves
//   quillmark_locale_start_child show <folder>  loads as a start does and
//                                               prints what the cards use
#include "ChildAddressBook.h"

#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"

#include <iostream>

using namespace Qt::Literals::StringLiterals;

namespace {

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

[[nodiscard]] int seed(ChildAddressBook &book)
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
    if (!book.save(tables))
        return 1;
    show(person);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    return ChildAddressBook::run(argc, argv, [](const QString &mode, ChildAddressBook &book) {
        if (mode == u"seed"_s)
            return seed(book);
        const AddressBookTables tables = book.load();
        if (!tables.contactTable || tables.contactTable->size() != 1)
            return 1;
        show(*tables.contactTable->first()->person);
        return 0;
    });
}
