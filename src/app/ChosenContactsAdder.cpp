#include "app/ChosenContactsAdder.h"

#include "app/ContactOperations.h"
#include "app/ProgressSteps.h"
#include "app/ViewController.h"
#include "model/PoolRelease.h"
#include "table/ContactTablePane.h"

#include <QPointer>

bool ChosenContactsAdder::add(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group)
{
    if (contacts.isEmpty() || !group || !group->contactTable)
        return false;
    const QPointer<ViewController> view = &m_view;
    const ContactTable order = *group->contactTable;
    const ContactTablePane *table = m_view.contactsViewController();
    const QList<int> selected = table ? table->selectedRowIndexes() : QList<int>();
    ContactOperations &operations = m_view.contactOperations();
    ContactOperations::MembershipChange change;
    bool added = false;
    {
        ProgressSteps steps(m_alert, tr("Adding the contacts…"), view);
        added = steps.run([&] { change = operations.recordAddedContacts(contacts, group); })
            && steps.run([&] { operations.showAddedContacts(contacts, group); });
    }
    if (!view)
        return false;
    if (!added) {
        if (change) {
            operations.takeBackAddedContacts(change, group, order);
            // It holds every contact added: freed here, a large file's would
            // keep the window waiting.
            releaseOnPool(std::move(change));
        }
        if (ContactTablePane *shown = m_view.contactsViewController())
            shown->selectRowIndexes(selected);
        return false;
    }
    operations.keepAddedContacts(change, contacts, group);
    return true;
}
