#pragma once

#include "app/AddressBookView.h"
#include "app/ContactOperations.h"
#include "app/ContactOperationsHost.h"
#include "app/FindAndReplaceHost.h"
#include "app/MainViewDefaults.h"
#include "detail/ContactInfoPopoverDelegate.h"
#include "editors/EditorEnding.h"
#include "editors/ValueEditorDelegate.h"
#include "find/FindBarDelegate.h"
#include "model/ContainerRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/PersonValue.h"
#include "model/SubContactRecord.h"
#include "platform/InterfacePointer.h"
#include "table/ContactsViewControllerDelegate.h"
#include "table/GroupViewControllerDelegate.h"

#include <QFont>
#include <QFontDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

class ContactDetailPane;
class ContactInfoPane;
class ContactInfoPopover;
class ContactInfoPopoverPane;
class ContactStore;
class ContactTablePane;
class FindAndReplace;
class FindBarPane;
class GroupOutlinePane;
class LoadingIndicator;
class PostcardPreviewPane;
class PreviewLayoutEdits;
class QProgressBar;
class QAction;
class RenmeiAndHagakiStore;
class SeparatorBox;
class UndoManager;
class UserDefaults;
class WindowController;

// The content controller of one contact window (the address book's or a
// document's). Every change of contact data and of groups made in the window
// passes through its operations: each registers its own inverse on the
// window's undo manager, changes the records in place and marks them for the
// next save. It also holds the window's edit state.
//
// The panes do not know each other; the controller holds each through the
// small interface of what it asks of it, and skips those the window lacks.
//
// Coming up: the window controller makes it and calls viewDidLoad() (the
// preference reset, then the view settings read and repaired) before anything
// else reads a preference; the window calls viewWillAppear() when it is shown
// and viewWillDisappear() when it is hidden or closed.
class ViewController : public QObject,
                       public AddressBookView,
                       public ValueEditorDelegate,
                       public ContactInfoPopoverDelegate,
                       public ContactsViewControllerDelegate,
                       public GroupViewControllerDelegate,
                       public FindBarDelegate,
                       private FindAndReplaceHost,
                       private ContactOperationsHost {
    Q_OBJECT

public:
    // Who made a change: one of the panes, or nothing for the controller's
    // own operations.
    using ChangeSender = ContactOperationsHost::ChangeSender;

    explicit ViewController(WindowController *windowController, QObject *parent = nullptr);
    ~ViewController() override;

    [[nodiscard]] UndoManager *undoManager() const override;

    // --- Lifecycle --------------------------------------------------------
    void viewDidLoad();
    void viewWillAppear();
    void viewWillDisappear();
    // The preferences were reset at this launch: the window opens at the
    // first-run frame.
    [[nodiscard]] bool newWindow() const { return m_newWindow; }
    // Where the reset prompt reads the keys held at launch (Shift, Control
    // and Alt together ask); tests set it, null restores the keyboard's.
    static void setKeyboardModifiersSource(std::function<Qt::KeyboardModifiers()> source);
    // A document window's name; empty in the address-book window.
    void setDocumentName(const QString &name) { m_documentName = name; }
    [[nodiscard]] const QString &documentName() const { return m_documentName; }

    // --- View settings ----------------------------------------------------
    // The window's, which viewDidLoad() fills as read and repaired; null
    // without a window.
    [[nodiscard]] ViewSettings *viewSettings() const;
    [[nodiscard]] const QString &printStyle() const { return m_settings.printStyle; }
    // Stores the style only; refreshPrintStyle() shows it.
    void setPrintStyle(const QString &style) { m_settings.printStyle = style; }
    // The printing part of a refresh of the window, after the style changed
    // from the one given: the paper of the style, the preview fitted to it
    // and drawn in the style.
    void refreshPrintStyle(const QString &previousStyle);
    [[nodiscard]] const PrintOptionsRecordPtr &printOptions() const { return m_settings.printOptions; }

    // --- Fonts of the table, the detail pane and the merge editor ----------
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    // No font changes nothing; a font goes to the panes that show text.
    void setFont(const std::optional<QFont> &font);
    // The font panel's choice.
    void changeFont(const QFont &font);
    void revertToDefaultFont();
    void showFontPanel();

    // --- The first load ---------------------------------------------------
    // Set (with the busy indicator over the table shown) while the store is
    // read on a worker; any thread may ask.
    void setAddressBookLoading(bool loading);
    [[nodiscard]] bool isAddressBookLoading() const;
    [[nodiscard]] QProgressBar *progressIndicator() const;

    // --- Menus ------------------------------------------------------------
    // Whether the window's item is enabled (by its object name: "undo",
    // "redo", "findBarButtonClicked", "deleteContacts", "duplicateContacts";
    // any other is); sets the find item's title.
    [[nodiscard]] bool validateMenuItem(QAction *item) const;

    // --- Panes and controls (not owned; null when the window has none or
    // the pane is gone) ------------------------------------------------------
    // Each pane must be a QObject: it is held as weakly as a QPointer.
    void setContactsViewController(ContactTablePane *pane);
    void setGroupViewController(GroupOutlinePane *pane);
    void setContactInfoController(ContactDetailPane *pane);
    void setHagakiViewController(PostcardPreviewPane *pane);
    void setFindBarController(FindBarPane *pane);
    // The detail popover now open, or null when none (or another kind) is.
    void setPopover(ContactInfoPopoverPane *popover) override;
    [[nodiscard]] ContactInfoPopoverPane *popover() const override { return m_popover; }
    void setEditButton(QAction *editButton);
    void setRedSeparator(SeparatorBox *separator);
    void setContactInfoVisible(bool visible) { m_contactInfoVisible = visible; }
    [[nodiscard]] bool contactInfoVisible() const override { return m_contactInfoVisible; }
    [[nodiscard]] ContactTablePane *contactsViewController() const { return m_tablePane; }
    [[nodiscard]] ContactDetailPane *contactInfoController() const { return m_detailPane; }
    [[nodiscard]] PostcardPreviewPane *hagakiViewController() const { return m_previewPane; }
    [[nodiscard]] QAction *editButton() const;

    // --- The tables (the application delegate's or the document's) -------
    void setContainerTable(const ContainerTablePtr &containerTable) override;
    void setSelectedGroupDict(const GroupRecordPtr &selectedGroupDict) override;
    void setContactTable(const ContactTablePtr &contactTable) override;
    void setRepresentedObject(const QVariant &representedObject) override;
    // Every open editor of the window: the table's cell, the detail pane's
    // and each contact view's in-place editor, and the value editors opened
    // from the table, the detail pane and each contact view, which end as
    // their Done (commit) or Cancel (discard) would.
    bool commitEditing() override;
    void discardEditing() override;
    // A value editor still open: after a commit, one whose Done refused
    // what was typed.
    [[nodiscard]] bool hasOpenValueEditor() const override;
    void updateTable() override;
    [[nodiscard]] const ContainerTablePtr &containerTable() const { return m_containerTable; }
    [[nodiscard]] const GroupRecordPtr &selectedGroupDict() const override { return m_selectedGroupDict; }
    [[nodiscard]] const ContactTablePtr &contactTable() const override { return m_contactTable; }

    // --- Refresh, undo and edit state -------------------------------------
    // After a change of a contact's values: marks the window edited at once
    // and has the panes other than the sender and the preview redraw when
    // the event-loop turn ends, each once however many changes the turn made
    // (a pane that sent some of them but not all redraws too). While undoing
    // or redoing only the table and the detail pane redraw.
    void contactDidUpdate(const PersonRecordPtr &contact, ChangeSender sender) override;
    // Has the contact table redraw with the turn's other redraws.
    void updateTableLater() override;
    // The Edit menu's Undo and Redo; afterwards the window is marked edited
    // exactly when something is left to undo.
    void undo();
    void redo();
    // Whether they are offered: only while the window is editable, for a
    // locked window changes no contact, not even back. The contact views'
    // own keys ask the same.
    [[nodiscard]] bool canUndo() const override;
    [[nodiscard]] bool canRedo() const override;
    void windowHistoryDidStep() override;
    void setEditState(bool editState);
    [[nodiscard]] bool editState() const override { return m_editState; }
    // Whether the window can be unlocked; its contact views follow.
    void enableEditButton(bool enabled);

    // --- The undoable operations on contacts and groups ----------------------
    // Owned here and handed to whoever changes contacts; the delegate calls
    // of the panes below reach them through this controller.
    [[nodiscard]] ContactOperations &contactOperations() const { return *m_operations; }
    bool undoReplaceValue(
        const PersonValue &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        return m_operations->undoReplaceValue(value, identifier, contact);
    }
    void undoDeleteLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        m_operations->undoDeleteLabeledValue(value, identifier, contact);
    }
    void undoAddLabeledValue(
        const LabeledValueRecord &value, const ContactIdentifier &identifier, const PersonRecordPtr &contact) override
    {
        m_operations->undoAddLabeledValue(value, identifier, contact);
    }
    void undoAddContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group) override
    {
        m_operations->undoAddContacts(contacts, group);
    }
    void undoDeleteContacts(const QList<ContactRecordPtr> &contacts, const GroupRecordPtr &group, bool doUndo) override
    {
        m_operations->undoDeleteContacts(contacts, group, doUndo);
    }
    // A pane that made the change, or the detail view announced as its
    // sender, else the fallback.
    [[nodiscard]] ChangeSender changeSenderOr(ChangeSender fallback) const override;
    // The container whose identifier the group names; null when none.
    [[nodiscard]] ContainerRecordPtr containerOfGroup(const GroupRecord &group) const override;
    // The outline shows the container table again, with the selected group
    // selected when asked.
    void showGroupOutline(bool withSelection) override;

    // --- What the detail pane and the contact popovers tell ---------------
    // The same as above, from a detail view (a null sender is none).
    void contactDidUpdate(const PersonRecordPtr &contact, const ContactInfoView *sender) override;
    // The selected detail row becomes where the next find starts.
    void rowSelectionDidChange(const ContactInfoView *sender, const InfoRowRecord &info) override;
    // A popover or detached window closed: the popover is forgotten.
    void detachedWindowDidClose(const DetachedWindowCloseInfo &info) override;
    void setChangeSender(const ContactInfoView *sender) override { m_changeSender = sender; }

    // --- Group memberships and groups -------------------------------------
    // The window's "Show QRCode".
    void showQRCode() override;
    // The selected contacts removed from the selected group (from the store
    // when that is "All Contacts"), or copied into it as new contacts.
    void deleteContacts();
    void duplicateContacts();

    // --- Selection and the contact table's messages ------------------------
    // The store the groups' contacts are fetched from when first selected,
    // and the side data applied to them; not owned.
    void setAddressBookStores(ContactStore *store, const RenmeiAndHagakiStore *sideStore);
    [[nodiscard]] ContactStore *contactStore() const { return m_contactStore; }
    [[nodiscard]] const RenmeiAndHagakiStore *sideStore() const { return m_sideStore; }
    // Shows a group's contacts in the table. The first group of a container
    // selected fetches the contacts of all its groups, whose rows share the
    // persons of the top group's rows; the container is remembered.
    void groupSelectionDidChange(const GroupRecordPtr &group) override;
    // The row goes to the detail pane, the selected rows to the preview, and
    // the find starts at the first selected row's name.
    void rowSelectionDidChange(const SubContactRecordPtr &row) override;
    // Rows of this window's table dropped onto a group, as their positions
    // each followed by ","; positions that are no row are left out.
    void addContactByStringIndexes(const QString &stringIndexes, const GroupRecordPtr &group) override;
    // A name typed in the group outline: one undo step, the window edited.
    void groupNameWillChange(const QString &name, const GroupRecordPtr &group) override;
    // The groups of a container the outline shows first, read from the store
    // whatever the container's identifier and type; a failure the store
    // throws is shown in an alert on the window.
    void updateGroupTable(ContainerRecord &container) override;
    bool addContactByVCardString(const QString &vCardString) override;
    bool addDroppedContacts(const QList<ContactRecordPtr> &contacts) override;
    void changeSenderInHagakiView(const SubContactRecordPtr &row) override;
    [[nodiscard]] SubContactRecordPtr senderInHagakiView() const override;
    void sortDescriptorsDidChange(const QList<SortDescriptor> &descriptors) override;
    [[nodiscard]] bool sortsContactsByRowKey(const SortDescriptor &descriptor) const override;
    // The names of the groups of the selected group's container that hold
    // the row's contact, the top group's among them.
    [[nodiscard]] QStringList groupNamesOfContact(const PersonRecordPtr &row) const override;
    // The shown contact list's record first, then any group's read so far.
    [[nodiscard]] PersonRecordPtr contactWithUniqueId(const UniqueId &uniqueId) const override;
    // Stores the table's column widths and order.
    void saveColumnWithDictionary();
    [[nodiscard]] ValueEditorDelegate *valueEditorDelegate() override { return m_operations.get(); }
    [[nodiscard]] AlertPresenter *alertPresenter() const override;
    [[nodiscard]] bool canUnlock() const override;
    // A contact view for the table's popover, which becomes popover().
    [[nodiscard]] ContactView makeContactInfoPopover() override;
    [[nodiscard]] DetachedContactWindow makeDetachedContactWindow(const PersonRecordPtr &contact) override;
    // The column-command sheet for the table, window-modal on its window.
    void showReplaceAlertPanel(const ReplaceAlertRequest &request, const ReplaceAlertCompletion &completion) override;

    // --- Sorting the contact list -------------------------------------------
    // Sorts the shown contact list in place by the first descriptor's key;
    // without descriptors, by the table's.
    void sortContactTable(const QList<SortDescriptor> &descriptors);
    void sortContactTable() override;

    // --- The find bar -------------------------------------------------------
    // The find and replace, owned here, takes the find bar's calls, the
    // Find menu's and the row selections.
    // Showing takes the shared find string; hiding ends the find (no find
    // string, no marks). The window's find button is enabled again when the
    // bar has finished moving.
    void showFindBar(bool show);
    void showFindPanel();
    void performFindBarAction(const QAction *item);
    void findStringDidChange(const QString &findString) override;
    void findBarButtonDidPress(const QString &command) override;
    // Where the next find starts, made on first use.
    [[nodiscard]] const ItemAndRangeRecordPtr &selectedItemAndRange() const;
    [[nodiscard]] FindBarPane *findBarController() const { return m_findBarPane; }

private:
    bool fetchGroupsOfContainer(const ContainerRecord &container) override;
    void showEditStateOnSeparator();
    // The views of a contact's details that may hold an open editor.
    [[nodiscard]] QList<ContactInfoPane *> contactInfoPanes() const;
    void finishValueEditors(EditorEnding ending);
    // The table's contact popover and the windows dragged off it.
    [[nodiscard]] QList<ContactInfoPopoverPane *> contactViews() const;
    void closeViewsOfDeletedContacts() override;
    // Whether the contact's row in its container's top group is marked
    // deleted, to be removed from the store by the next save.
    [[nodiscard]] bool isDeletedContact(const UniqueId &uniqueId) const override;
    void selectRowBefore(int firstDeletedRow);
    void setWindowEdited(bool edited);
    // What the find and replace asks.
    [[nodiscard]] ContactTablePane *tablePane() const override { return m_tablePane; }
    [[nodiscard]] ContactDetailPane *detailPane() const override { return m_detailPane; }
    [[nodiscard]] FindBarPane *findBarPane() const override { return m_findBarPane; }
    void contactChangedByReplace(const PersonRecordPtr &contact) override;
    void pressFindButton() override;
    void findBarDidEnd() override;
    [[nodiscard]] QWidget *findPanelParent() const override;
    void scheduleRefresh();
    void refreshPanes();

    // The panes to redraw when the current event-loop turn ends.
    struct PendingRefresh {
        bool table = false;
        // Changed in a detail view: the table redraws their rows only.
        QList<PersonRecordPtr> tableContacts;
        bool detail = false;
        bool preview = false;
    };
    void resetPreferencesWhenAsked();
    [[nodiscard]] UserDefaults &userDefaults() const;
    // A contact view told this controller and the window's undo manager.
    [[nodiscard]] ContactInfoPopover *newContactView();

    QPointer<WindowController> m_windowController;
    // Each pane reads null once its widget is gone.
    InterfacePointer<ContactTablePane> m_tablePane;
    InterfacePointer<GroupOutlinePane> m_groupOutlinePane;
    InterfacePointer<ContactDetailPane> m_detailPane;
    InterfacePointer<PostcardPreviewPane> m_previewPane;
    InterfacePointer<FindBarPane> m_findBarPane;
    InterfacePointer<ContactInfoPopoverPane> m_popover;
    QPointer<QAction> m_editButton;
    QPointer<SeparatorBox> m_redSeparator;

    ContainerTablePtr m_containerTable;
    GroupRecordPtr m_selectedGroupDict;
    ContactTablePtr m_contactTable;
    ContactStore *m_contactStore = nullptr;
    const RenmeiAndHagakiStore *m_sideStore = nullptr;

    bool m_editState = false;
    bool m_contactInfoVisible = false;
    PendingRefresh m_pendingRefresh;
    bool m_refreshQueued = false;
    // The detail view whose change is being made, announced as its sender.
    const ContactInfoView *m_changeSender = nullptr;

    bool m_newWindow = false;
    QString m_documentName;
    MainViewDefaults m_settings;
    QFont m_selectedFont = MainViewDefaults::systemFont();
    QPointer<QFontDialog> m_fontPanel;
    std::unique_ptr<ContactOperations> m_operations;
    std::unique_ptr<FindAndReplace> m_find;
    std::unique_ptr<LoadingIndicator> m_loadingIndicator;
    // Made as the view loads.
    std::unique_ptr<PreviewLayoutEdits> m_layoutEdits;
};
