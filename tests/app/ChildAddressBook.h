#pragma once

#include "app/AddressBookLoader.h"
#include "app/AddressBookSaver.h"
#include "app/RenmeiAndHagakiStore.h"
#include "platform/KeyValueStore.h"
#include "platform/contacts/ContactStore.h"

#include <QCoreApplication>

#include <functional>
#include <iostream>

// The address book of a child program that a test runs: the contacts store,
// the key-value store and the side store in one folder, loaded and saved as
// the application does.
struct ChildAddressBook {
    explicit ChildAddressBook(const QString &folder)
        : store(folder + QStringLiteral("/Contacts.sqlite"))
        , keyValueStore(folder + QStringLiteral("/KeyValueStore.json"))
        , sideStore(&keyValueStore, folder + u'/' + RenmeiAndHagakiStore::fileName())
    {
    }

    [[nodiscard]] AddressBookTables load() { return AddressBookLoader(store, sideStore).loadAddressBook({}); }
    // A failure is printed as "failed <why>".
    [[nodiscard]] bool save(const AddressBookTables &tables)
    {
        const auto failure = AddressBookSaver(store, sideStore).save(*tables.containerTable);
        if (failure)
            std::cout << "failed " << failure->informativeText.toStdString() << std::endl;
        return !failure;
    }

    // Runs a child called as "<program> <mode> <folder>" on the book in the
    // folder; 2 for other arguments.
    static int run(int argc, char **argv, const std::function<int(const QString &mode, ChildAddressBook &book)> &mode)
    {
        QCoreApplication application(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() != 3)
            return 2;
        ChildAddressBook book(arguments.at(2));
        return mode(arguments.at(1), book);
    }

    ContactStore store;
    KeyValueStore keyValueStore;
    RenmeiAndHagakiStore sideStore;
};
