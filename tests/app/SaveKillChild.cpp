// The address book that the kill test saves and kills: 10,000 contacts, each
// with an address, joint names and a postcard layout; every save changes the
// first 1,000 of them to the next round in the store (their company) and in
// the side data (joint names and layout) at once.
//
//   quillmark_save_kill_child seed <folder>   makes the book, all at round 0
//   quillmark_save_kill_child check <folder>  loads it as a restart does and
//                                             prints "shown <round>"
//   quillmark_save_kill_child run <folder>    checks, then saves round after
//                                             round, printing "saved <round>"
//
// A load in which a contact is not wholly of one round, or in which the
// changed contacts are not all of the same round, prints "broken <why>".
#include "ChildAddressBook.h"

#include "model/HagakiLayoutString.h"
#include "model/MVPerson.h"

#include <iostream>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int contactCount = 10000;
constexpr int changedCount = 1000;

using Book = ChildAddressBook;

// Company, joint names and receiver frame, as a contact of the round shows them.
[[nodiscard]] QStringList partsOf(int round)
{
    return {u"Round %1"_s.arg(round), u"Round %1"_s.arg(round), u"{{%1.00,2.00},{3.00,4.00}}"_s.arg(round)};
}

[[nodiscard]] QStringList partsOf(MVPerson &person)
{
    return {person.stringValues()->value(FieldId::Company), person.stringValues()->value(FieldId::Renmei),
        HagakiLayoutString::frameText(person.addressValues()->first()->layout->receiverName)};
}

void edit(MVPerson &person, int round)
{
    const QStringList parts = partsOf(round);
    person.stringValues()->setEntry(FieldId::Company, parts.at(0));
    person.stringValues()->setEntry(FieldId::Renmei, parts.at(1));
    person.addressValues()->first()->layout->receiverName = HagakiLayoutString::frameFromString(parts.at(2));
    person.setChanged(true);
}

// The round the changed contacts show; the others must still show round 0.
[[nodiscard]] std::optional<int> check(const AddressBookTables &tables)
{
    const qsizetype size = tables.contactTable ? tables.contactTable->size() : 0;
    if (size != contactCount) {
        std::cout << "broken the book has " << size << " contacts" << std::endl;
        return std::nullopt;
    }
    const int changedRound = partsOf(*tables.contactTable->first()->person).first().mid(6).toInt();
    for (qsizetype i = 0; i < contactCount; ++i) {
        const QStringList parts = partsOf(*tables.contactTable->at(i)->person);
        if (parts != partsOf(i < changedCount ? changedRound : 0)) {
            std::cout << "broken contact " << i << " shows " << parts.join(u" / "_s).toStdString() << std::endl;
            return std::nullopt;
        }
    }
    std::cout << "shown " << changedRound << std::endl;
    return changedRound;
}

[[nodiscard]] int seed(Book &book)
{
    StoreSaveRequest request;
    for (int i = 0; i < contactCount; ++i) {
        StoreContact contact;
        contact.setGivenName(u"Taro%1"_s.arg(i));
        contact.setPostalAddresses({{u"_$!<Home>!$_"_s, StorePostalAddress{.street = u"%1-2-3 Ginza"_s.arg(i)}}});
        request.addContact(contact);
    }
    if (!book.store.execute(request))
        return 1;
    const AddressBookTables tables = book.load();
    for (const ContactRecordPtr &row : std::as_const(*tables.contactTable))
        edit(*row->person, 0);
    return book.save(tables) && check(book.load()) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    return ChildAddressBook::run(argc, argv, [](const QString &mode, Book &book) {
        if (mode == u"seed"_s)
            return seed(book);
        const AddressBookTables tables = book.load();
        const std::optional<int> shown = check(tables);
        if (!shown || mode == u"check"_s)
            return shown ? 0 : 1;
        for (int round = *shown + 1;; ++round) {
            for (qsizetype i = 0; i < changedCount; ++i)
                edit(*tables.contactTable->at(i)->person, round);
            if (book.save(tables))
                std::cout << "saved " << round << std::endl;
        }
    });
}
