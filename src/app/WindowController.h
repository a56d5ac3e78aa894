#pragma once

#include "model/SubContactRecord.h"
#include "print/PrintInfo.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class AlertPresenter;
class HagakiViewController;
class QAction;
class QMenu;
class QPrinter;
class QRCodePanelController;
class QSplitter;
class QToolBar;
class UndoManager;
class UserDefaults;
class ViewController;

// A contact window: the address book's, and later every document's. Its
// content controller, the ViewController, is made with it and has loaded its
// settings by the time the constructor returns. The window holds a split view
// of the postcard preview, the contact table and the contact detail pane, the
// undo manager on which every change made in the window registers its
// inverse, and the menus whose actions reach its controllers.
class WindowController : public QMainWindow {
    Q_OBJECT

public:
    // What the window works with; each one left out is the application's own.
    struct Services {
        UserDefaults *userDefaults = nullptr;
        AlertPresenter *alertPresenter = nullptr;
    };

    explicit WindowController(QWidget *parent = nullptr);
    explicit WindowController(const Services &services, QWidget *parent = nullptr);
    ~WindowController() override;

    // Every window of this kind that exists, oldest first.
    [[nodiscard]] static QList<WindowController *> windowControllers();

    [[nodiscard]] ViewController *mainViewController() const { return m_mainViewController; }
    [[nodiscard]] UserDefaults &userDefaults() const { return *m_userDefaults; }
    [[nodiscard]] AlertPresenter &alertPresenter() const { return *m_alertPresenter; }
    [[nodiscard]] QSplitter *splitView() const { return m_splitView; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }

    [[nodiscard]] QMenu *fileMenu() const { return m_fileMenu; }
    [[nodiscard]] QMenu *editMenu() const { return m_editMenu; }
    [[nodiscard]] QMenu *formatMenu() const { return m_formatMenu; }
    [[nodiscard]] QMenu *helpMenu() const { return m_helpMenu; }
    [[nodiscard]] QAction *undoAction() const { return m_undoAction; }
    [[nodiscard]] QAction *redoAction() const { return m_redoAction; }

    // Fits the preview to the paper (at most 285 × 420 in its proportions,
    // centred in its pane, showing the whole paper) and refreshes it.
    bool shouldChangePrintInfo(const PrintInfoPtr &printInfo);
    // Show or hide the detail pane (pane 2) and the group pane (pane 0).
    void showContactInfo(bool show);
    void showGroupView(bool show);

    // The frame is kept in the user defaults under "Window Frame " and this
    // name; setting the name puts the window at the frame kept, if any.
    void setFrameAutosaveName(const QString &name);
    [[nodiscard]] const QString &frameAutosaveName() const { return m_frameAutosaveName; }
    // The frame of a first run: 900 × 500 points, its top-left corner 100
    // points right of and below that of the primary screen's available area.
    void placeAtFirstRunFrame();

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

    // --- Printing -------------------------------------------------------------
    // The postcard preview, pane 0 of the split view.
    [[nodiscard]] HagakiViewController *hagakiViewController() const;
    // File ▸ "Print…": the selected rows in the print style, on the printer
    // or into the PDF file the print panel chooses; nothing without a row.
    void printDocument();
    // File ▸ "Page Setup…": the paper of every print and of the preview.
    void runPageLayout();
    // The page setup's end: OK takes the printer's paper, orientation and
    // reach as the shared paper's and fits the preview to it.
    void pageSetupDidEnd(const QPrinter &printer, int returnCode);
    // The toolbar's "Layout": layout editing in the preview on or off; the
    // window's contact editing is locked meanwhile and comes back as it was.
    void layoutButtonPressed();
    // Enables Print while a row is selected; checks Layout in layout mode.
    void validatePrintCommands();
    [[nodiscard]] QAction *printAction() const { return m_printAction; }
    [[nodiscard]] QAction *pageSetupAction() const { return m_pageSetupAction; }
    [[nodiscard]] QAction *layoutButton() const { return m_layoutButton; }
    [[nodiscard]] QToolBar *toolbar() const { return m_toolbar; }
    // What shows the print panel for a printer and reports whether the user
    // chose to print; a window-modal print dialog unless set (tests print to
    // a file without it).
    using PrintPanel = std::function<void(QPrinter &printer, const std::function<void(bool accepted)> &done)>;
    void setPrintPanel(PrintPanel panel) { m_printPanel = std::move(panel); }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Puts the detail pane in the split view's place for it.
    void installContactInfoController();
    void buildMenus();
    void validateEditMenu();
    void buildContactCommands();
    [[nodiscard]] bool canNormalizePhoneNumber() const;
    void buildPrintCommands();
    void printRows(const QList<SubContactRecordPtr> &rows);

    std::unique_ptr<AlertPresenter> m_ownedAlertPresenter;
    UserDefaults *m_userDefaults = nullptr;
    AlertPresenter *m_alertPresenter = nullptr;
    UndoManager *m_undoManager = nullptr;
    QSplitter *m_splitView = nullptr;
    ViewController *m_mainViewController = nullptr;
    QString m_frameAutosaveName;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_formatMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;

    QRCodePanelController *m_qrCodePanelController = nullptr;
    QMenu *m_contactMenu = nullptr;
    QAction *m_showQRCodeAction = nullptr;
    QMenu *m_phoneFormatMenu = nullptr;

    QPointer<HagakiViewController> m_hagakiViewController;
    QAction *m_printAction = nullptr;
    QAction *m_pageSetupAction = nullptr;
    QAction *m_layoutButton = nullptr;
    QToolBar *m_toolbar = nullptr;
    PrintPanel m_printPanel;
    // The window's editing before layout mode locked it.
    bool m_editStateBeforeLayout = false;
    bool m_editButtonEnabledBeforeLayout = true;
};
