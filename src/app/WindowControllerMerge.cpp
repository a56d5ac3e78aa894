// Contact ▸ "Merge Contacts": the merge sheet over the window, and its
// result applied to the address book.

#include "app/ViewController.h"
#include "app/WindowController.h"
#include "find/MergePanelController.h"
#include "table/ContactTablePane.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace {

// The selected contacts, each once, in table order: two rows of one contact
// (a contact in two groups) count once.
QList<ContactRecordPtr> distinctContacts(const QList<ContactRecordPtr> &selected)
{
    QList<ContactRecordPtr> contacts;
    QSet<const MVPerson *> persons;
    persons.reserve(selected.size());
    for (const ContactRecordPtr &contact : selected) {
        if (!contact || !contact->person || persons.contains(contact->person.get()))
            continue;
        persons.insert(contact->person.get());
        contacts.append(contact);
    }
    return contacts;
}

} // namespace

MergePanelController *WindowController::mergePanelController() const
{
    return m_mergePanelController;
}

void WindowController::addMergeCommand()
{
    m_mergeContactsAction = m_contactMenu->addAction(tr("Merge Contacts"), this, &WindowController::mergeContacts);
    m_mergeContactsAction->setObjectName(QStringLiteral("mergeContacts"));
}

bool WindowController::canMergeContacts() const
{
    if (m_mergePanelController && m_mergePanelController->isVisible())
        return false;
    const ContactTablePane *table = m_mainViewController ? m_mainViewController->contactsViewController() : nullptr;
    return table && table->selectsContacts(2);
}

void WindowController::mergeContacts()
{
    const ContactTablePane *table = m_mainViewController ? m_mainViewController->contactsViewController() : nullptr;
    if (!table)
        return;
    const QList<ContactRecordPtr> contacts = distinctContacts(table->selectedContacts());
    if (contacts.size() < 2)
        return;
    if (!m_mergePanelController) {
        m_mergePanelController = new MergePanelController(this);
        connect(m_mergePanelController, &QDialog::finished, this, &WindowController::mergeDidEnd);
    }
    if (m_mergePanelController->isVisible()) {
        m_mergePanelController->done(0);
        return;
    }
    auto context = std::make_shared<MergeContextInfo>();
    context->contacts = contacts.mid(0, 2);
    m_mergePanelController->setContextInfo(context, m_mainViewController->editState());
    m_mergePanelController->setSelectedFont(m_mainViewController->selectedFont());
    m_mergePanelController->open();
    validateMenus();
}

void WindowController::mergeDidEnd(int result)
{
    validateMenus();
    const MergeContextInfoPtr context = m_mergePanelController ? m_mergePanelController->contextInfo() : nullptr;
    if (result != 1 || !context || context->newContacts.size() < 2)
        return;
    const QList<PersonRecordPtr> newContacts(context->newContacts.cbegin(), context->newContacts.cend());
    const QList<PersonRecordPtr> contacts(context->contacts.cbegin(), context->contacts.cend());
    m_mainViewController->contactOperations().undoReplacePersonByContacts(newContacts, contacts);
    setWindowModified(true);
    if (ContactTablePane *table = m_mainViewController->contactsViewController())
        table->updateTable();
}
