#pragma once

#include <QObject>
#include <QPointer>

class MergePanelController;
class QAction;
class QMenu;
class QRCodePanelController;
class WindowCommandHost;

// The contact commands of a contact window that open a sheet or change
// several contacts at once: Contact ▸ "Show QRCode" and "Merge Contacts",
// and Edit ▸ "Format Phone Numbers".
class ContactMenuCommands : public QObject {
    Q_OBJECT

public:
    explicit ContactMenuCommands(WindowCommandHost &host);

    // Edit ▸ "Format Phone Numbers" with an item per pattern.
    void addPhoneFormatMenu(QMenu &editMenu);
    // "Show QRCode" and "Merge Contacts", at the end of the Contact menu.
    void addContactItems(QMenu &contactMenu);

    // Contact ▸ "Show QRCode": the first selected contact in the QR-code
    // panel, one panel kept for the window; nothing without a selection.
    void showQRCode();
    // Edit ▸ "Format Phone Numbers": the phone each selected row shows, in the
    // pattern the item's data names, all as one undo step.
    void normalizePhoneNumber(const QAction *sender);
    // With the detail pane showing, its contact needs a phone; otherwise a
    // row must be selected in a view type that shows the "Phone" column.
    // Never while the merge sheet is open, nor in a locked window.
    [[nodiscard]] bool canNormalizePhoneNumber() const;
    // Contact ▸ "Merge Contacts": the first two selected contacts side by
    // side in the merge sheet; its result applied as one undo step.
    void mergeContacts();
    [[nodiscard]] bool canMergeContacts() const;

    [[nodiscard]] QRCodePanelController *qrCodePanelController() const;
    [[nodiscard]] MergePanelController *mergePanelController() const;
    [[nodiscard]] QAction *showQRCodeAction() const { return m_showQRCodeAction; }
    [[nodiscard]] QAction *mergeContactsAction() const { return m_mergeContactsAction; }
    [[nodiscard]] QMenu *phoneFormatMenu() const { return m_phoneFormatMenu; }

private:
    void mergeDidEnd(int result);
    [[nodiscard]] bool isMergeSheetOpen() const;

    WindowCommandHost &m_host;
    QPointer<QRCodePanelController> m_qrCodePanelController;
    QPointer<MergePanelController> m_mergePanelController;
    QAction *m_showQRCodeAction = nullptr;
    QAction *m_mergeContactsAction = nullptr;
    QMenu *m_phoneFormatMenu = nullptr;
};
