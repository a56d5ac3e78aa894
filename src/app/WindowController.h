#pragma once

#include "model/SubContactRecord.h"
#include "app/WindowCommandHost.h"
#include "app/MainViewDefaults.h"
#include "model/ContainerRecord.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AlertPresenter;
class ContactMenuCommands;
class FileMenuCommands;
class PrintCommands;
class ZipSheetCommand;
class HagakiViewController;
class ProgressAlert;
class ContactsViewController;
class GroupViewController;
class FindBarController;
class QAction;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class UndoManager;
class UserDefaults;
class ViewController;

// A contact window: the address book's, and later every document's. Its
// content controller, the ViewController, is made with it and has loaded its
// settings before the window copies its view settings and builds its
// toolbar. The window holds a split view of the group pane (the group
// outline above the postcard preview), the contact table and the contact
// detail pane, the undo manager on which every change made in the window
// registers its inverse, and the menus whose actions reach its controllers.
//
// The toolbar's seven pop-ups choose the group, the view type, its columns,
// the labels that get rows of their own, the sort keys, the contact
// commands and the print style; each pop-up's menu is also a submenu of the
// "Navigate" menu. Every choice is written to the user defaults at once.
class WindowController : public QMainWindow, public WindowCommandHost {
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

    [[nodiscard]] ViewController *mainViewController() const override { return m_mainViewController; }
    [[nodiscard]] ContactsViewController *contactsViewController() const;
    [[nodiscard]] UserDefaults &userDefaults() const override { return *m_userDefaults; }
    [[nodiscard]] AlertPresenter &alertPresenter() const override { return *m_alertPresenter; }
    [[nodiscard]] QWidget &hostWidget() override { return *this; }
    void markEdited() override { setWindowModified(true); }
    [[nodiscard]] QSplitter *splitView() const { return m_splitView; }
    [[nodiscard]] UndoManager *undoManager() const { return m_undoManager; }

    [[nodiscard]] QMenu *fileMenu() const { return m_fileMenu; }
    [[nodiscard]] QMenu *editMenu() const { return m_editMenu; }
    [[nodiscard]] QMenu *viewMenu() const { return m_viewMenu; }
    [[nodiscard]] QMenu *navigateMenu() const { return m_navigateMenu; }
    [[nodiscard]] QMenu *helpMenu() const { return m_helpMenu; }
    [[nodiscard]] QAction *undoAction() const { return m_undoAction; }
    [[nodiscard]] QAction *redoAction() const { return m_redoAction; }
    // Edit ▸ "Copy" and "Copy as CSV", enabled while a row is selected.
    [[nodiscard]] QAction *copyAction() const { return m_copyAction; }
    [[nodiscard]] QAction *copyAsCSVAction() const { return m_copyAsCSVAction; }
    // The application's items whose keys the contact popovers of this one's
    // table and the windows dragged off them take too, as a menu bar shared
    // by every window would.
    void setApplicationActions(const QList<QAction *> &actions) { m_applicationActions = actions; }
    [[nodiscard]] QList<QAction *> applicationActions() const { return m_applicationActions; }

    // Asked as the window is about to close; false keeps it open. A window
    // without one closes without a question, whatever it holds unsaved.
    using CloseGuard = std::function<bool()>;
    void setCloseGuard(CloseGuard guard) { m_closeGuard = std::move(guard); }

    // The frame is kept in the user defaults under "Window Frame " and this
    // name; setting the name puts the window at the frame kept, if any.
    void setFrameAutosaveName(const QString &name);
    // The frame of a first run: 900 × 500 points, its top-left corner 100
    // points right of and below that of the primary screen's available area.
    void placeAtFirstRunFrame();

    // --- Panes ---------------------------------------------------------------
    // The group pane (pane 0): the group outline above the preview.
    [[nodiscard]] QWidget *groupPane() const { return m_groupPane; }
    // The outline of containers and groups, above the preview.
    [[nodiscard]] GroupViewController *groupViewController() const;
    // Show or hide the detail pane (pane 2) and the group pane (pane 0); the
    // split buttons follow.
    void showContactInfo(bool show);
    void showGroupView(bool show);
    void toggleContactInfo();
    // Also stores the pane's state under MV1DshowGroupView.
    void toggleGroupView();
    // The split buttons' image: a square outline with a bar along its left
    // (side 0) or right (side 1) edge, drawn without antialiasing.
    [[nodiscard]] static QImage splitButtonImageWithSize(const QSize &size, const QColor &color, int side);
    void setSplitButtonState(bool state, int index);
    [[nodiscard]] QToolButton *splitButton(int index) const;
    // Switches the window between editable and locked.
    void editButtonClicked();
    [[nodiscard]] QAction *editButton() const { return m_editButton; }

    // --- Toolbar pop-ups and their menus ---------------------------------------
    [[nodiscard]] QToolBar *toolbar() const { return m_toolbar; }
    [[nodiscard]] QToolButton *groupsPopup() const { return m_groupsPopup; }
    [[nodiscard]] QToolButton *viewTypePopup() const { return m_viewTypePopup; }
    [[nodiscard]] QToolButton *itemsPopup() const { return m_itemsPopup; }
    [[nodiscard]] QToolButton *labelsPopup() const { return m_labelsPopup; }
    [[nodiscard]] QToolButton *contactPopup() const { return m_contactPopup; }
    [[nodiscard]] QToolButton *sortOptionsPopup() const { return m_sortOptionsPopup; }
    [[nodiscard]] QToolButton *printStylePopup() const { return m_printStylePopup; }
    [[nodiscard]] QToolButton *zipButton() const { return m_zipButton; }
    [[nodiscard]] QToolButton *layoutButton() const { return m_layoutButton; }

    // The view settings the menus, the controller and the table share.
    [[nodiscard]] ViewSettings *viewSettings() const { return m_viewSettings; }

    void viewTypePopupSelected(const QAction *item);
    void itemsPopupSelected(const QAction *item);
    void labelsPopupSelected(const QAction *item);
    void sortOptionsSelected(const QAction *item);
    void selectGroup(const QAction *item);

    // --- Print style and its settings ------------------------------------------------
    [[nodiscard]] QToolButton *styleSettingButton() const { return m_styleSettingButton; }
    // Rebuilds the labels menu from the labels of the current view type's
    // fields, each label once.
    void updateLabelsMenu();
    void updateGroupMenu();
    // Reads the container's groups from the store, when it has an identifier
    // and a type.
    void updateGroupTable(ContainerRecord &container);

    // Enables and checks every item of the window as the window is now
    // (WindowControllerValidation.cpp): Copy, Print and ZIP while a row is
    // selected, the phone formats where a shown phone can change, Layout
    // checked in layout mode, the pop-ups' items checked as chosen.
    void validateMenus() override;
    // The one table of rules, by the item's object name.
    [[nodiscard]] bool validateMenuItem(QAction *item) const;

    // --- The window's commands: each asked directly -------------------------------
    // QR code, merge sheet, phone formats.
    [[nodiscard]] ContactMenuCommands *contactCommands() const { return m_contactCommands; }
    [[nodiscard]] QMenu *contactMenu() const { return m_contactMenu; }
    // Print, Page Setup, Layout, the print style and its settings.
    [[nodiscard]] PrintCommands *printCommands() const { return m_printCommands; }
    // Open, Import, Export, Save As.
    [[nodiscard]] FileMenuCommands *fileCommands() const { return m_fileCommands; }
    // The postal-code sheet.
    [[nodiscard]] ZipSheetCommand *zipSheetCommand() const { return m_zipSheetCommand; }

    // The postcard preview, pane 0 of the split view.
    [[nodiscard]] HagakiViewController *hagakiViewController() const;

    // --- The find bar ---------------------------------------------------------
    // The toolbar's Find: shows the bar, the button then reading "Hide", or
    // hides it, the button reading "Find"; the button stays disabled until
    // the bar has finished moving.
    void findBarButtonClicked();
    // The bar's Done: the button reads "Find" and the bar ends hidden,
    // whatever it was doing.
    void findBarDidEnd();
    void findBarDidFinishMoving();
    [[nodiscard]] FindBarController *findBarController() const;
    [[nodiscard]] QToolButton *findBarButton() const { return m_findBarButton; }
    // Edit ▸ Find.
    [[nodiscard]] QMenu *findMenu() const { return m_findMenu; }
    [[nodiscard]] ProgressAlert *progressAlert() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Puts the detail pane in the split view's place for it.
    void installContactInfoController();
    // Puts the find bar above the split view.
    void installFindBar();
    // Edit ▸ Find and its items; the toolbar's Find.
    QMenu *buildFindMenu();
    void installGroupViewController();
    void buildCopyCommands();
    void buildPanes();
    void buildMenus();
    void buildFileCommands();

    // The set-up once the window and its controller have loaded.
    void windowDidLoad();
    void buildToolbar();
    void installRedSeparator();
    void initSplitButtons();
    void initViewTypeMenu();
    void initItemsMenu();
    void initSortOptionsMenu();
    void initContactMenu();
    void initGroupMenu();
    void initPrintStyleMenu();
    [[nodiscard]] QAction *addItem(QMenu *menu, const QString &title, const QVariant &key, const char *action);
    // A menu of a toolbar pop-up, also under the item of "Navigate" that
    // carries its title.
    QMenu *makePopupMenu(
        QToolButton *popup, const QString &navigateTitle, void (WindowController::*rebuild)() = nullptr);
    [[nodiscard]] bool isGroupPaneCollapsed() const;
    [[nodiscard]] bool isContactInfoCollapsed() const;
    // Shares the room beside the group pane between the table and pane 2.
    void fitContactInfoBesideTable();

    std::unique_ptr<AlertPresenter> m_ownedAlertPresenter;
    UserDefaults *m_userDefaults = nullptr;
    AlertPresenter *m_alertPresenter = nullptr;
    UndoManager *m_undoManager = nullptr;
    QSplitter *m_splitView = nullptr;
    QWidget *m_groupPane = nullptr;
    QSplitter *m_groupPaneSplit = nullptr;
    QPointer<GroupViewController> m_groupViewController;
    QAction *m_copyAction = nullptr;
    QAction *m_copyAsCSVAction = nullptr;
    QPointer<ContactsViewController> m_contactsViewController;
    ViewController *m_mainViewController = nullptr;
    QString m_frameAutosaveName;
    QMenu *m_fileMenu = nullptr;
    QList<QAction *> m_applicationActions;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_navigateMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;

    ViewSettings *m_viewSettings = nullptr;

    QToolBar *m_toolbar = nullptr;
    QToolButton *m_groupsPopup = nullptr;
    QToolButton *m_viewTypePopup = nullptr;
    QToolButton *m_itemsPopup = nullptr;
    QToolButton *m_labelsPopup = nullptr;
    QToolButton *m_contactPopup = nullptr;
    QToolButton *m_sortOptionsPopup = nullptr;
    QToolButton *m_printStylePopup = nullptr;
    QToolButton *m_findBarButton = nullptr;
    QPointer<FindBarController> m_findBarController;
    QMenu *m_findMenu = nullptr;
    QToolButton *m_zipButton = nullptr;
    QToolButton *m_layoutButton = nullptr;
    QToolButton *m_styleSettingButton = nullptr;
    QToolButton *m_splitButtons[2] = {nullptr, nullptr};
    QAction *m_editButton = nullptr;

    QMenu *m_viewTypeMenu = nullptr;
    QMenu *m_itemsMenu = nullptr;
    QMenu *m_labelsMenu = nullptr;
    QMenu *m_sortOptionsMenu = nullptr;
    QMenu *m_groupMenu = nullptr;
    QMenu *m_printStyleMenu = nullptr;
    QAction *m_toggleGroupViewAction = nullptr;

    QMenu *m_contactMenu = nullptr;
    ContactMenuCommands *m_contactCommands = nullptr;

    QPointer<HagakiViewController> m_hagakiViewController;
    PrintCommands *m_printCommands = nullptr;
    CloseGuard m_closeGuard;

    QPointer<ProgressAlert> m_progressAlert;
    FileMenuCommands *m_fileCommands = nullptr;

    ZipSheetCommand *m_zipSheetCommand = nullptr;
};
