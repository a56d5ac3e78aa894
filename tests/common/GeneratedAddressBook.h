#pragma once

#include "platform/contacts/ContactStore.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// An address book for tests and benchmarks: a contacts store in a folder of
// its own holding N generated contacts, with the paths beside it where the
// application keeps its other files (key-value store, side store, settings).
//
// Contact i is always the same: even ones have Japanese names (with their
// readings in kana and an address in Japan), odd ones Latin names (an address
// in the United States); every one has two or three phones, e-mail addresses
// and postal addresses under different labels, a URL and a birthday; every
// tenth is a company. Contacts belong to the groups by their number.
class GeneratedAddressBook {
public:
    // The store goes into the folder, or into a temporary folder of its own
    // (removed with the object) when none is given.
    explicit GeneratedAddressBook(int contactCount, const QString &folder = {});
    ~GeneratedAddressBook() = default;
    GeneratedAddressBook(const GeneratedAddressBook &) = delete;
    GeneratedAddressBook &operator=(const GeneratedAddressBook &) = delete;

    [[nodiscard]] static StoreContact makeContact(int index);
    // "Family", "Friends", "Work": contact i belongs to group g when i is a
    // multiple of g + 2.
    [[nodiscard]] static const QStringList &groupNames();
    [[nodiscard]] static bool isMember(int index, int group) { return index % (group + 2) == 0; }

    [[nodiscard]] int contactCount() const { return m_contactCount; }
    [[nodiscard]] QString keyValueStorePath() const { return m_folder + QStringLiteral("/KeyValueStore.json"); }
    [[nodiscard]] QString sideStorePath() const { return m_folder + QStringLiteral("/RenmeiAndHagakiContainers.data"); }
    [[nodiscard]] QString userDefaultsPath() const { return m_folder + QStringLiteral("/Quillmark.conf"); }
    [[nodiscard]] ContactStore &store() const { return *m_store; }

private:
    std::unique_ptr<QTemporaryDir> m_temporaryFolder;
    QString m_folder;
    int m_contactCount = 0;
    std::unique_ptr<ContactStore> m_store;
};
