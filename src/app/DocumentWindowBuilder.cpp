#include "app/DocumentWindowBuilder.h"

#include "app/ProgressAlert.h"
#include "app/ViewController.h"
#include "app/WindowController.h"
#include "interchange/MVvCard.h"
#include "table/ContactTablePane.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

bool DocumentWindowBuilder::buildBehind(ProgressAlert &alert)
{
    // The events run between the steps may take the window or the alert's
    // owner away.
    const QPointer<ProgressAlert> progress = &alert;
    bool cancelled = false;
    const QMetaObject::Connection cancel
        = QObject::connect(progress, &QDialog::finished, m_window, [&cancelled] { cancelled = true; });
    progress->setProgress(100);
    progress->open();
    // Each step ends with the events that came meanwhile, a click on Cancel
    // among them.
    const auto step = [this, &cancelled](const auto &work) {
        if (cancelled || !m_window)
            return false;
        work();
        QCoreApplication::processEvents();
        return !cancelled && m_window;
    };
    const bool built = step([this] { showWithoutContacts(); }) && step([this] { handOverContacts(); });
    QObject::disconnect(cancel);
    if (progress && progress->isVisible())
        progress->requestClose();
    if (!built)
        return false;
    // Showing the window unlocked it; a CSV document's is locked for good.
    if (isCsv()) {
        m_window->mainViewController()->setEditState(false);
        m_window->mainViewController()->enableEditButton(false);
    }
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void DocumentWindowBuilder::showWithoutContacts()
{
    const QString name = QFileInfo(m_path).fileName();
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setDocumentType(isCsv() ? Document::csvType : Document::vCardType);
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
}

void DocumentWindowBuilder::handOverContacts()
{
    ViewController &view = *m_window->mainViewController();
    view.setContactTable(m_read.contactTable);
    ContactTablePane *table = view.contactsViewController();
    if (!table)
        return;
    table->setContactTable(m_read.contactTable);
    // The sort the window was shown with, applied again to the contacts now
    // there: it orders each contact's values by the sort key and makes the
    // rows in one rebuild.
    const QList<SortDescriptor> sort = table->sortDescriptors();
    if (sort.isEmpty())
        table->updateTable();
    else
        table->setSortDescriptors(sort);
}
