#pragma once

#include "app/RenmeiAndHagakiStore.h"
#include "model/ContainerRecord.h"
#include "platform/contacts/StoreSaveRequest.h"

#include <QHash>
#include <QList>

#include <utility>

class ContactStore;

// Every pending change of the address book's tables as one save request of
// the contacts store, with the side records the save must write once the
// store has taken it.
//
// Building changes nothing in the tables: the persons keep their created and
// changed flags until applySucceeded(), so a save that the store refuses can
// be sent again, whole, by the next Save.
class SaveRequestBuilder {
public:
    struct Plan {
        StoreSaveRequest request;
        // Records to merge into the side store; an empty record removes the
        // contact's entry (cleared joint names, deleted contacts).
        RenmeiAndHagakiContainers sideRecords;
        // The store contact each created person was added as.
        QList<std::pair<MVPersonPtr, StoreContact>> createdContacts;
        // The top-group rows of updated persons with the contact the update was built on.
        QList<std::pair<ContactRecordPtr, StoreContact>> updatedRows;
        // Every person whose created and changed flags the save settles.
        QList<MVPersonPtr> savedPersons;
        // Why the stored contacts the changes build on couldn't be read; a
        // plan with one must not be sent, or the changes it left out would
        // count as saved.
        QString fetchError;

        // Brings the tables in line with a store that has taken the request.
        void applySucceeded();
    };

    explicit SaveRequestBuilder(const ContactStore &store);

    [[nodiscard]] Plan saveAddressBook(const ContainerTable &containerTable) const;

private:
    struct ContainerState;

    void addContainer(const ContainerRecord &container, Plan &plan) const;
    [[nodiscard]] QHash<QString, StoreContact> fetchStoredContacts(
        const ContainerRecord &container, QString *error) const;
    void addTopGroup(const GroupRecord &top, ContainerState &state, Plan &plan) const;
    void addPerson(
        const MVPersonPtr &person, const QList<ContactRecordPtr> &rows, ContainerState &state, Plan &plan) const;
    void addGroup(const GroupRecord &group, const ContainerState &state, Plan &plan) const;
    void addMembershipChanges(const GroupRecord &group, const StoreGroup &storeGroup, bool groupIsNew,
        const ContainerState &state, Plan &plan) const;

    const ContactStore &m_store;
};
