#pragma once

#include "app/AddressBookView.h"
#include "model/MVPersonPtr.h"
#include "platform/widgets/AlertPresenter.h"
#include "app/AppDelegate.h"
#include "common/EventLoop.h"
#include "common/LoggedMessages.h"
#include "common/QtPrinting.h"
#include "platform/KeyValueStore.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/ContactStore.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

// Bytes of a file, empty when it can't be read; a file written with bytes.
[[nodiscard]] QByteArray fileBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
class GeneratedAddressBook;
// A contact as a new start reads it from the book's store and side store;
// null for no such contact.
[[nodiscard]] MVPersonPtr storedPerson(const GeneratedAddressBook &book, const QString &uniqueId);
// A contact's single string (company, joint names...) as a new start reads
// it from the book's store and side store; "(missing)" for no such contact.
[[nodiscard]] QString storedString(const GeneratedAddressBook &book, const QString &uniqueId, const QString &field);

// The main view as the application delegate sees it: remembers what it was
// handed, and commits "typing" through a hook.
class RecordingAddressBookView : public QObject, public AddressBookView {
public:
    void setContainerTable(const ContainerTablePtr &table) override { keep(containerTable, table, "containerTable"); }
    void setSelectedGroupDict(const GroupRecordPtr &group) override
    {
        keep(selectedGroupDict, group, "selectedGroupDict");
    }
    void setContactTable(const ContactTablePtr &table) override { keep(contactTable, table, "contactTable"); }
    void setRepresentedObject(const QVariant &) override { calls.append(QStringLiteral("representedObject")); }
    bool commitEditing() override
    {
        calls.append(QStringLiteral("commitEditing"));
        const std::function<void()> typed = std::exchange(typing, nullptr);
        if (typed)
            typed();
        return bool(typed);
    }
    void discardEditing() override
    {
        calls.append(QStringLiteral("discardEditing"));
        typing = nullptr;
    }
    void updateTable() override { calls.append(QStringLiteral("updateTable")); }
    // Forgets what it was handed, as a fresh view would.
    void reset()
    {
        containerTable.reset();
        selectedGroupDict.reset();
        contactTable.reset();
        calls.clear();
        typing = nullptr;
    }

    ContainerTablePtr containerTable;
    GroupRecordPtr selectedGroupDict;
    ContactTablePtr contactTable;
    QStringList calls;
    // A value being typed; committed by the next commitEditing().
    std::function<void()> typing;

private:
    template <typename T> void keep(T &field, const T &value, const char *call)
    {
        field = value;
        calls.append(QLatin1String(call));
    }
};

// Records every alert and answers confirmations with a chosen button.
class RecordingAlertPresenter : public AlertPresenter {
public:
    struct Alert {
        QString messageText;
        QString informativeText;
    };

    void showAlert(QWidget *, const QString &messageText, const QString &informativeText) override
    {
        alerts.append({messageText, informativeText});
    }
    int runModalAlert(
        QWidget *, const QString &messageText, const QString &informativeText, const QStringList &) override
    {
        alerts.append({messageText, informativeText});
        return answer;
    }
    void askConfirmation(QWidget *, const QString &messageText, const QString &informativeText,
        const std::function<void(int)> &completion) override
    {
        confirmations.append(messageText);
        confirmationInformativeTexts.append(informativeText);
        completion(answer);
    }

    QList<Alert> alerts;
    QStringList confirmations;
    QStringList confirmationInformativeTexts;
    int answer = FirstButtonReturn;
};

// An address book on its own files in a scratch folder: store, key-value
// store, preferences and side-store file, and an application delegate over
// them with a recording main view and alerts.
class AddressBookTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new delegate over the same files, as after quitting and starting again.
    void relaunch();
    // Starts the delegate and waits until the first load was handed over.
    void launch();
    // Adds a contact to the store directly, as another program would.
    StoreContact seedContact(
        const QString &givenName, const QString &familyName, const std::function<void(StoreContact &)> &fill = {});
    StoreGroup seedGroup(const QString &name, const QStringList &memberIdentifiers = {});

    // The top-group row of the contact with the given name in the delegate's tables.
    [[nodiscard]] ContactRecordPtr rowNamed(const QString &givenName) const;
    [[nodiscard]] GroupRecordPtr topGroup() const;
    // A contact made in the window, as adding a contact does: a new person
    // marked created on a row marked new in the top group.
    ContactRecordPtr addCreatedContact(const QString &givenName);
    // A row of a group sharing the person of a top-group row.
    [[nodiscard]] static ContactRecordPtr groupRow(const ContactRecordPtr &topRow, bool isNew, bool deleted);
    // Marks the window edited, as every undoable edit does, with one undo step.
    void markEdited();
    // The Save command; true when it reached the store (the tables were replaced).
    bool save();
    // After a save that failed with this cause: one alert naming it, and the
    // same tables, edited mark, undo steps and Save command as before.
    void expectNothingSaved(const ContainerTablePtr &tables, const QString &cause);

    [[nodiscard]] QString sideFilePath() const { return m_folder + QStringLiteral("/RenmeiAndHagakiContainers.data"); }
    // The given names of the stored members of a group, sorted.
    [[nodiscard]] QStringList contactsInGroupNamed(const QString &name) const;
    // The tables a restart would show: loaded by fresh stores over the files.
    [[nodiscard]] AddressBookTables loadAsAtRestart() const;

    QString m_folder;
    std::unique_ptr<ContactStore> m_store;
    std::unique_ptr<KeyValueStore> m_keyValueStore;
    std::unique_ptr<UserDefaults> m_userDefaults;
    RecordingAddressBookView m_view;
    RecordingAlertPresenter m_alerts;
    std::unique_ptr<AppDelegate> m_delegate;

private:
    void makeDelegate();
};
