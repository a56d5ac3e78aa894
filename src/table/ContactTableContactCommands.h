#pragma once

#include "editors/SimpleInfoContext.h"
#include "model/SubContactRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ContactTableModel;
class ContactsViewController;
class SimpleInfoPanelController;

// The contact table's commands on whole contacts (add, show, duplicate,
// delete, the QR code) and the actions that hand the clicked cell's value to
// another application. The table owns it and outlives it.
class ContactTableContactCommands : public QObject {
    Q_OBJECT

public:
    explicit ContactTableContactCommands(ContactsViewController &table);

    // Hands the clicked cell's value to the application that takes it; the
    // item's key ("Open Google Map" or "Open Apple Map") chooses the map.
    void doWorkspaceAction(const QString &itemKey);
    // The simple sheet, window-modal, for a new contact of the shown group
    // or for the selected row's contact; a second call while it is open
    // closes it unapplied.
    void addContact();
    void showContact();
    // The distinct contacts of the clicked and selected rows, as one undo step.
    void duplicateContact();
    void deleteContact();
    // The window's QR-code panel.
    void showQRCode();
    // The simple sheet, made on first use and kept; null before.
    [[nodiscard]] SimpleInfoPanelController *simpleInfoPanelController() const;

private:
    [[nodiscard]] bool clickedCellIsInTable() const;
    // The sheet made on first use; false when it was open and is now closed.
    bool prepareSimpleInfoPanel();
    void openSimpleInfoPanel(const SubContactRecordPtr &row);
    void simpleInfoPanelDidEnd(const SimpleInfoContextPtr &context, const SubContactRecordPtr &row);

    ContactsViewController &m_table;
    ContactTableModel *m_model = nullptr;
    QPointer<SimpleInfoPanelController> m_simpleInfoPanelController;
};
