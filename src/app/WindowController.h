#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class QAction;
class QMenu;
class QRCodePanelController;
class QSplitter;
class UndoManager;
class ViewController;

// The address-book window: a split view of the postcard preview, the contact
// table and the contact detail pane. It owns the window's undo manager, on
// which every change made in the window registers its inverse, and the Edit
// menu's Undo and Redo.
class WindowController : public QMainWindow {
    Q_OBJECT

public:
    explicit WindowController(QWidget *parent = nullptr);
    ~WindowController() override;

    [[nodiscard]] QSplitter *splitView() const { return m_splitView; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }
    [[nodiscard]] QMenu *editMenu() const { return m_editMenu; }
    [[nodiscard]] QAction *undoAction() const { return m_undoAction; }
    [[nodiscard]] QAction *redoAction() const { return m_redoAction; }

    // The Edit menu's Undo and Redo: one step on the undo manager, after
    // which the window is marked edited exactly when there is still something
    // to undo, so undoing back to the last save clears the mark.
    void undo();
    void redo();

    // --- The window's controllers ------------------------------------------
    // The content controller, through whose panes the commands reach the rows.
    void setMainViewController(ViewController *controller);
    [[nodiscard]] ViewController *mainViewController() const;
    // View type → the contact table's column identifiers in display order.
    [[nodiscard]] const QVariantMap &viewTypeDict() const { return m_viewTypeDict; }
    void setViewTypeDict(const QVariantMap &viewTypeDict) { m_viewTypeDict = viewTypeDict; }
    [[nodiscard]] const QString &selectedViewType() const { return m_selectedViewType; }
    void setSelectedViewType(const QString &viewType) { m_selectedViewType = viewType; }

    // --- Contact commands --------------------------------------------------
    // Contact ▸ "Show QRCode": the first selected contact in the QR-code
    // panel, one panel kept for the window; nothing without a selection.
    void showQRCode();
    // Edit ▸ "Format Phone Numbers": the phone each selected row shows, in the
    // pattern the item's data names, all as one undo step.
    void normalizePhoneNumber(const QAction *sender);
    // Enables the contact commands for the window as it is now.
    void validateContactCommands();
    [[nodiscard]] QRCodePanelController *qrCodePanelController() const { return m_qrCodePanelController; }
    [[nodiscard]] QMenu *contactMenu() const { return m_contactMenu; }
    [[nodiscard]] QAction *showQRCodeAction() const { return m_showQRCodeAction; }
    [[nodiscard]] QMenu *phoneFormatMenu() const { return m_phoneFormatMenu; }

private:
    void buildContactCommands();
    [[nodiscard]] bool canNormalizePhoneNumber() const;

    void buildEditMenu();
    void validateUndoMenuItems();

    UndoManager *m_undoManager = nullptr;
    QSplitter *m_splitView = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;

    QPointer<ViewController> m_mainViewController;
    QVariantMap m_viewTypeDict;
    QString m_selectedViewType;
    QRCodePanelController *m_qrCodePanelController = nullptr;
    QMenu *m_contactMenu = nullptr;
    QAction *m_showQRCodeAction = nullptr;
    QMenu *m_phoneFormatMenu = nullptr;
};
