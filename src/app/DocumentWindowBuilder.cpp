#include "app/DocumentWindowBuilder.h"

#include "app/ProgressSteps.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "interchange/MVvCard.h"
#include "table/ContactTablePane.h"
#include "app/FileMenuCommands.h"

#include <QFileInfo>
#include <QPointer>

bool DocumentWindowBuilder::buildBehind(ProgressAlert &alert)
{
    bool built = false;
    {
        // The message is the reading's.
        ProgressSteps steps(alert, QString(), m_window);
        built = steps.run([this] { showWithoutContacts(); }) && steps.run([this] { handOverContacts(); });
    }
    if (!built || !m_window)
        return false;
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void DocumentWindowBuilder::showWithoutContacts()
{
    const QString name = QFileInfo(m_path).fileName();
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->fileCommands()->setDocumentType(isCsv() ? Document::csvType : Document::vCardType);
    ContainerTablePtr containers = m_read.containerTable;
    if (!containers || containers->isEmpty())
        containers = MVvCard().containersFromVCards(QString(), nullptr);
    const GroupRecordPtr top = containers->first()->groups->isEmpty() ? nullptr : containers->first()->groups->first();
    // A CSV document's contacts are its top group's, so choosing
    // "All Contacts" again shows them.
    if (top && isCsv())
        top->contactTable = m_read.contactTable;
    ViewController &view = *m_window->mainViewController();
    view.setDocumentName(name);
    view.setContainerTable(containers);
    view.setSelectedGroupDict(top);
    view.setRepresentedObject({});
    m_window->setWindowTitle(name + QStringLiteral("[*]"));
    m_window->setWindowFilePath(m_path);
    m_window->setFrameAutosaveName(name);
    m_window->showContactInfo(false);
    m_window->show();
    // Showing the window unlocked it; a CSV document's is locked for good.
    // Locked while it has no rows: a lock rebuilds the rows it has.
    if (isCsv()) {
        view.setEditState(false);
        view.enableEditButton(false);
    }
}

void DocumentWindowBuilder::handOverContacts()
{
    ViewController &view = *m_window->mainViewController();
    view.setContactTable(m_read.contactTable);
    ContactTablePane *table = view.contactsViewController();
    if (!table)
        return;
    // The sort the window was shown with, applied again to the contacts now
    // there: it orders each contact's values by the sort key and makes the
    // rows in one rebuild, without first trying to reorder rows that belong
    // to no contact yet.
    table->showContactTable(m_read.contactTable, QList<SortDescriptor>(table->sortDescriptors()));
}
