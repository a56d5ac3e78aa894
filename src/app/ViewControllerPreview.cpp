// The postcard preview's part of the selection: the selected rows and the
// sender the user marked.

#include "app/ViewController.h"

#include "app/ContactTablePane.h"
#include "app/WindowController.h"
#include "print/PostcardPreviewPane.h"

void ViewController::rowSelectionDidChange(const SubContactRecordPtr &row)
{
    if (!row)
        return;
    if (m_hagakiViewController && m_contactsViewController) {
        m_hagakiViewController->setReceiverPersons(m_contactsViewController->selectedSubContacts());
        m_hagakiViewController->setPrinting(false);
        m_hagakiViewController->updateUI();
    }
    if (m_windowController)
        m_windowController->validatePrintCommands();
}

void ViewController::changeSenderInHagakiView(const SubContactRecordPtr &row)
{
    if (!m_hagakiViewController || m_hagakiViewController->senderPerson() == row)
        return;
    m_hagakiViewController->setSenderPerson(row);
    m_hagakiViewController->updateUI();
}

SubContactRecordPtr ViewController::senderInHagakiView() const
{
    return m_hagakiViewController ? m_hagakiViewController->senderPerson() : nullptr;
}
