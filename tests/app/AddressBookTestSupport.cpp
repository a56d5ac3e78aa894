#include "AddressBookTestSupport.h"

#include "common/GeneratedAddressBook.h"
#include "common/TestEnvironment.h"
#include "app/AddressBookLoader.h"
#include "app/RenmeiAndHagakiStore.h"
#include "app/WindowController.h"
#include "model/MVPerson.h"
#include "platform/ApplicationPaths.h"
#include "platform/UndoManager.h"
#include "platform/contacts/ContactKeys.h"
#include "platform/contacts/StoreTestHooks_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QUuid>

using namespace Qt::Literals::StringLiterals;

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MVPersonPtr storedPerson(const GeneratedAddressBook &book, const QString &uniqueId)
{
    ContactStore store(book.store().filePath());
    KeyValueStore keyValueStore(book.keyValueStorePath());
    const RenmeiAndHagakiStore sideStore(&keyValueStore, book.sideStorePath());
    const AddressBookTables tables = AddressBookLoader(store, sideStore).loadAddressBook({});
    for (const ContactRecordPtr &row : std::as_const(*tables.contactTable)) {
        if (row->uniqueId == uniqueId)
            return row->person;
    }
    return nullptr;
}

QString storedString(const GeneratedAddressBook &book, const QString &uniqueId, const QString &field)
{
    const MVPersonPtr person = storedPerson(book, uniqueId);
    return person ? person->stringValues()->value(field) : u"(missing)"_s;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void AddressBookTest::SetUp()
{
    m_folder = TestEnvironment::makeScratchFolder(QUuid::createUuid().toString(QUuid::WithoutBraces));
    m_store = std::make_unique<ContactStore>(m_folder + u"/Contacts.sqlite"_s);
    m_keyValueStore = std::make_unique<KeyValueStore>(m_folder + u"/KeyValueStore.json"_s);
    m_userDefaults = std::make_unique<UserDefaults>(m_folder + u"/Quillmark.conf"_s);
    makeDelegate();
}

void AddressBookTest::TearDown()
{
    StoreTestHooks::setStatementHook({});
    ApplicationPaths::setWriteFaultHook({});
    m_delegate.reset();
}

void AddressBookTest::makeDelegate()
{
    AppDelegate::Services services;
    services.contactStore = m_store.get();
    services.keyValueStore = m_keyValueStore.get();
    services.userDefaults = m_userDefaults.get();
    services.sideStoreFilePath = sideFilePath();
    services.alertPresenter = &m_alerts;
    m_delegate = std::make_unique<AppDelegate>(services);
}

void AddressBookTest::relaunch()
{
    m_delegate.reset();
    m_keyValueStore->synchronize();
    m_keyValueStore = std::make_unique<KeyValueStore>(m_folder + u"/KeyValueStore.json"_s);
    m_view.reset();
    makeDelegate();
    launch();
}

void AddressBookTest::launch()
{
    QSignalSpy loaded(m_delegate.get(), &AppDelegate::addressBookLoaded);
    m_delegate->applicationDidFinishLaunching();
    // In place of the window's own main view, which launching wires; the
    // hand-over is queued, so the first load reaches this one.
    m_delegate->setMainViewController(&m_view);
    ASSERT_TRUE(loaded.wait(10000));
    endTurn();
}

StoreContact AddressBookTest::seedContact(
    const QString &givenName, const QString &familyName, const std::function<void(StoreContact &)> &fill)
{
    StoreContact contact;
    contact.setGivenName(givenName);
    contact.setFamilyName(familyName);
    if (fill)
        fill(contact);
    StoreSaveRequest request;
    request.addContact(contact);
    StoreError error;
    EXPECT_TRUE(m_store->execute(request, &error)) << error.description.toStdString();
    return contact;
}

StoreGroup AddressBookTest::seedGroup(const QString &name, const QStringList &memberIdentifiers)
{
    StoreGroup group(name);
    StoreSaveRequest request;
    request.addGroup(group);
    for (const QString &identifier : memberIdentifiers) {
        const std::optional<StoreContact> contact = m_store->unifiedContactWithIdentifier(identifier, {});
        EXPECT_TRUE(contact.has_value());
        if (contact)
            request.addMember(*contact, group);
    }
    StoreError error;
    EXPECT_TRUE(m_store->execute(request, &error)) << error.description.toStdString();
    return group;
}

GroupRecordPtr AddressBookTest::topGroup() const
{
    return m_delegate->containerTable()->first()->topGroup();
}

ContactRecordPtr AddressBookTest::rowNamed(const QString &givenName) const
{
    for (const ContactRecordPtr &row : std::as_const(*topGroup()->contactTable)) {
        if (row->person->nameValue()->firstName == givenName)
            return row;
    }
    return {};
}

ContactRecordPtr AddressBookTest::addCreatedContact(const QString &givenName)
{
    auto person = std::make_shared<MVPerson>();
    person->setUniqueId(QUuid::createUuid().toString(QUuid::WithoutBraces));
    person->nameValue()->firstName = givenName;
    person->setCreated(true);
    ContactRecordPtr row = ContactRecord::makeWithPerson(person);
    row->isNew = true;
    topGroup()->contactTable->append(row);
    return row;
}

ContactRecordPtr AddressBookTest::groupRow(const ContactRecordPtr &topRow, bool isNew, bool deleted)
{
    auto row = std::make_shared<ContactRecord>(*topRow);
    row->isNew = isNew;
    row->deleted = deleted;
    return row;
}

void AddressBookTest::markEdited()
{
    WindowController *window = m_delegate->window();
    window->undoManager()->registerUndo(this, [] {});
    window->setWindowModified(true);
}

bool AddressBookTest::save()
{
    const ContainerTablePtr before = m_delegate->containerTable();
    m_delegate->saveAddressBook(nullptr);
    endTurn();
    return m_delegate->containerTable() != before;
}

void AddressBookTest::expectNothingSaved(const ContainerTablePtr &tables, const QString &cause)
{
    ASSERT_EQ(m_alerts.alerts.size(), 1);
    EXPECT_TRUE(m_alerts.alerts.first().informativeText.contains(cause))
        << m_alerts.alerts.first().informativeText.toStdString();
    EXPECT_EQ(m_delegate->containerTable(), tables);
    EXPECT_TRUE(m_delegate->window()->isWindowModified());
    EXPECT_TRUE(m_delegate->window()->undoManager()->canUndo());
    EXPECT_TRUE(m_delegate->canSaveOrRevert());
}

QStringList AddressBookTest::contactsInGroupNamed(const QString &name) const
{
    const QList<StoreGroup> groups = m_store->groupsMatchingPredicate({});
    for (const StoreGroup &group : groups) {
        if (group.name() != name)
            continue;
        QStringList names;
        for (const StoreContact &contact : m_store->unifiedContactsMatchingPredicate(
                 StorePredicate::predicateForContactsInGroupWithIdentifier(group.identifier()),
                 {ContactKeys::givenName}))
            names.append(contact.givenName());
        names.sort();
        return names;
    }
    return {};
}

AddressBookTables AddressBookTest::loadAsAtRestart() const
{
    ContactStore store(m_folder + u"/Contacts.sqlite"_s);
    KeyValueStore keyValueStore(m_folder + u"/KeyValueStore.json"_s);
    const RenmeiAndHagakiStore sideStore(&keyValueStore, sideFilePath());
    return AddressBookLoader(store, sideStore).loadAddressBook({});
}
