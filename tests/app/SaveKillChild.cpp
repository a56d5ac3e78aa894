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
#include "app/AddressBookLoader.h"
#include "app/AddressBookSaver.h"
#include "app/RenmeiAndHagakiStore.h"
#include "platform/KeyValueStore.h"
#include "platform/contacts/ContactStore.h"

#include <QCoreApplication>

#include <iostream>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int contactCount = 10000;
constexpr int changedCount = 1000;

struct Book {
    explicit Book(const QString &folder)
        : store(folder + u"/Contacts.sqlite"_s)
        , keyValueStore(folder + u"/KeyValueStore.json"_s)
        , sideStore(&keyValueStore, folder + u'/' + RenmeiAndHagakiStore::fileName())
    {
    }

    [[nodiscard]] AddressBookTables load() { return AddressBookLoader(store, sideStore).loadAddressBook({}); }
    [[nodiscard]] bool save(const AddressBookTables &tables)
    {
        const auto failure = AddressBookSaver(store, sideStore).save(*tables.containerTable);
        if (failure)
            std::cout << "failed " << failure->informativeText.toStdString() << std::endl;
        return !failure;
    }

    ContactStore store;
    KeyValueStore keyValueStore;
    RenmeiAndHagakiStore sideStore;
};

[[nodiscard]] QString roundText(int round)
{
    return u"Round %1"_s.arg(round);
}

[[nodiscard]] QString frameOf(int round)
{
    return u"{{%1.00,2.00},{3.00,4.00}}"_s.arg(round);
}

void edit(MVPerson &person, int round)
{
    person.stringValues()->setEntry(FieldId::Company, roundText(round));
    person.stringValues()->setEntry(FieldId::Renmei, roundText(round));
    person.addressValues()->first()->layout.receiverName = frameOf(round);
    person.setChanged(true);
}

// The round a contact wholly shows, or nothing when its parts differ.
[[nodiscard]] std::optional<int> roundShown(MVPerson &person)
{
    const QString company = person.stringValues()->value(FieldId::Company);
    bool number = false;
    const int round = company.sliced(qMin(company.size(), qsizetype(6))).toInt(&number);
    if (!number || company != roundText(round) || person.stringValues()->value(FieldId::Renmei) != roundText(round)
        || person.addressValues()->first()->layout.receiverName != frameOf(round))
        return std::nullopt;
    return round;
}

// The round the changed contacts show; the others must still show round 0.
[[nodiscard]] std::optional<int> check(const AddressBookTables &tables)
{
    if (!tables.contactTable || tables.contactTable->size() != contactCount) {
        std::cout << "broken the book has " << (tables.contactTable ? tables.contactTable->size() : 0) << " contacts"
                  << std::endl;
        return std::nullopt;
    }
    std::optional<int> changedRound;
    for (qsizetype i = 0; i < contactCount; ++i) {
        MVPerson &person = *tables.contactTable->at(i)->person;
        const std::optional<int> round = roundShown(person);
        const bool changed = i < changedCount;
        if (changed && !changedRound)
            changedRound = round;
        if (!round || round != (changed ? changedRound : 0)) {
            std::cout << "broken contact " << i << " shows " << roundShown(person).value_or(-1) << ": "
                      << person.stringValues()->value(FieldId::Company).toStdString() << " / "
                      << person.stringValues()->value(FieldId::Renmei).toStdString() << " / "
                      << person.addressValues()->first()->layout.receiverName.toStdString() << std::endl;
            return std::nullopt;
        }
    }
    std::cout << "shown " << *changedRound << std::endl;
    return changedRound;
}

[[nodiscard]] int seed(Book &book)
{
    StoreSaveRequest request;
    for (int i = 0; i < contactCount; ++i) {
        StoreContact contact;
        contact.setGivenName(u"Taro%1"_s.arg(i));
        contact.setFamilyName(u"Yamada"_s);
        contact.setPostalAddresses(
            {{u"_$!<Home>!$_"_s, StorePostalAddress{.street = u"%1-2-3 Ginza"_s.arg(i), .city = u"Chuo-ku"_s}}});
        request.addContact(contact);
    }
    if (!book.store.execute(request))
        return 1;
    const AddressBookTables tables = book.load();
    for (const ContactRecordPtr &row : std::as_const(*tables.contactTable))
        edit(*row->person, 0);
    return book.save(tables) && check(book.load()) ? 0 : 1;
}

[[noreturn]] void saveUntilKilled(Book &book, const AddressBookTables &tables, int round)
{
    for (;; ++round) {
        for (qsizetype i = 0; i < changedCount; ++i)
            edit(*tables.contactTable->at(i)->person, round);
        if (book.save(tables))
            std::cout << "saved " << round << std::endl;
    }
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
    const std::optional<int> round = check(tables);
    if (!round || arguments.at(1) == u"check"_s)
        return round ? 0 : 1;
    saveUntilKilled(book, tables, *round + 1);
}
