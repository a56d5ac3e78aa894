#pragma once

#include "editors/InterfaceFontKeys.h"
#include "editors/PopoverContextInfo.h"
#include "model/ContactRecord.h"
#include "model/ItemAndRangeRecord.h"
#include "model/SortDescriptor.h"
#include "model/SubContactRecord.h"
#include "platform/InterfacePointer.h"
#include "platform/widgets/Popover.h"
#include "platform/widgets/PopoverDelegate.h"
#include "table/ContactTablePane.h"
#include "table/ViewSettings.h"

#include <QFont>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <optional>

class ContactTableCellDelegate;
class ContactTableCellEditor;
class ContactTableContactCommands;
class ContactTableContextMenu;
class ContactTableItemCommands;
class ContactTableModel;
class ContactsDragAndDrop;
class ValueEditor;
class ContactsViewControllerDelegate;
class QTableView;
class UserDefaults;

// The contact table of a contact window: the table view over the rows, the
// cell delegate that paints them, the columns of the view type and the sort
// descriptors. It tells its delegate (the window's controller, which
// outlives it) of the selected row, the sender row and a changed sort.
//
// "Sender" and "Name" are always the first two columns and never move; the
// other columns come from the view type stored in the user defaults, with
// the widths stored there (120 when none, at least 80). A click on a
// column's header sorts by the column's sort key, a second click reverses.
class ContactsViewController : public QWidget,
                               public ContactTablePane,
                               public ViewSettingsKeys,
                               public InterfaceFontKeys,
                               public PopoverDelegate {
    Q_OBJECT

public:
    static constexpr int defaultColumnWidth = 120;
    static constexpr int labeledColumnWidth = 220;
    static constexpr int minimumColumnWidth = 80;
    // The sender mark's column is narrower than any other.
    static constexpr int senderColumnWidth = 52;
    static constexpr int senderColumnMinimumWidth = 24;

    // Where a selected row is looked for again after its rows were rebuilt:
    // its contact, and its address text or else its label position; with
    // anyRow, any row of the contact.
    struct RowAnchor {
        UniqueId uniqueId;
        qint64 labelIndex = 0;
        std::optional<QString> addressText;
        bool anyRow = false;
    };

    // The settings are read from the defaults given, else the application's.
    explicit ContactsViewController(UserDefaults *userDefaults = nullptr, QWidget *parent = nullptr);
    ~ContactsViewController() override;

    [[nodiscard]] QTableView *tableView() const { return m_tableView; }
    [[nodiscard]] ContactTableModel *model() const { return m_model; }
    // The window's view settings; a table given none keeps its own, read
    // from its defaults when first asked.
    void setViewSettings(ViewSettings *settings) { m_viewSettings = settings; }
    [[nodiscard]] ViewSettings &viewSettings() const;
    void setDelegate(ContactsViewControllerDelegate *delegate);
    [[nodiscard]] ContactsViewControllerDelegate *delegate() const { return m_delegate; }
    // Copying, dragging and dropping rows (ContactsDragAndDrop).
    [[nodiscard]] ContactsDragAndDrop *dragAndDrop() const { return m_dragAndDrop; }
    // Edit ▸ "Copy" and "Copy as CSV"; false without a selected row.
    bool copy();
    bool copyAsCSV();

    // Before the table is first shown: the view type's columns, then the last
    // sort when the table has rows, and row 0 selected.
    void viewWillAppear();
    // The last sort stored, or "compositeName" ascending when there is none
    // or it is damaged.
    [[nodiscard]] static SortDescriptor lastSortDescriptor(const UserDefaults &defaults);

    void setContactTable(const ContactTablePtr &contactTable) override;
    [[nodiscard]] const ContactTablePtr &contactTable() const;
    // The columns in display order, "Sender" and "Name" put first.
    void setColumnIdentifiers(const QStringList &identifiers);
    [[nodiscard]] QStringList columnIdentifiers() const override;
    void setSelectedLabels(const QStringList &labels) override;
    // The table font, its bold face and the row height that follows from it.
    void setSelectedFont(const QFont &font) override;
    [[nodiscard]] const QFont &selectedFont() const;
    [[nodiscard]] int rowHeight() const;
    // The height of one text line of a row for a font of this line height
    // (ascent + descent + leading) and point size: at least 24.
    [[nodiscard]] static int rowHeightFor(qreal lineHeight, qreal pointSize);
    void setEditState(bool editState) override;
    [[nodiscard]] bool editState() const;
    // The inline find's text, options and current hit; the cells redraw.
    void setFindString(const QString &findString) override;
    void setFindOptions(const QString &findOptions) override;
    void setSelectedItemAndRange(const ItemAndRangeRecordPtr &target);

    // Re-reads the label filter, rebuilds, sorts and reloads the rows and
    // selects the row selected before (by its contact, and its address or
    // label position), else row 0.
    void updateTable() override;
    // Redraws the contacts' rows where they stay as they are (a value typed
    // in the detail pane), so an open cell editor and the scroll position
    // are kept; updateTable when rows come, go or move in the sort.
    void updateRowsOfContacts(const QList<PersonRecordPtr> &contacts) override;

    // --- View types and columns ------------------------------------------
    void setSelectedViewType(const QString &viewType) override;
    void updateColumnsInTableView(const QStringList &identifiers);
    void sortOptionsChanged(const QString &selectedKey, const QString &columnName) override;
    void saveColumnWithDictionary() override;
    // Column identifier to width, as the user left them, for every column
    // ever shown.
    [[nodiscard]] const QVariantMap &columnWidthDictionary() const { return m_columnWidthDictionary; }

    // --- Sorting -----------------------------------------------------------
    // Sets the table's sort descriptors: the rows are sorted by the first,
    // the selected row is kept and the sort is remembered for the next start.
    void setSortDescriptors(const QList<SortDescriptor> &descriptors) override;
    [[nodiscard]] const QList<SortDescriptor> &sortDescriptors() const override { return m_sortDescriptors; }
    void showContactTable(const ContactTablePtr &contactTable, const QList<SortDescriptor> &descriptors) override;

    // --- Rows ----------------------------------------------------------------
    [[nodiscard]] const QList<SubContactRecordPtr> &subContactTable() const override;
    void updateSubContactTable();
    void sortSubContactTable(const QList<SortDescriptor> &descriptors);
    // Shows the rows as they stand: heights, footer, widths, sender.
    void reload();

    // --- Selection -----------------------------------------------------------
    // Ascending; the footer row is not among them.
    [[nodiscard]] QList<int> selectedRowIndexes() const override;
    // The current row when it is selected, else the last selected; -1 for none.
    [[nodiscard]] int selectedRow() const;
    void selectRowIndexes(const QList<int> &rows) override;
    void scrollRowToVisible(int row) override;
    void makeFirstResponder() override;
    [[nodiscard]] QList<SubContactRecordPtr> selectedSubContacts() const override;
    [[nodiscard]] QList<ContactRecordPtr> selectedContacts() const override;
    [[nodiscard]] bool selectsContacts(qsizetype count) const override;
    [[nodiscard]] bool hasSelectedRows() const override;
    // The same, with the clicked row counted as selected (-1: none).
    [[nodiscard]] QList<ContactRecordPtr> selectedContactsWithClickedRowIndex(int clickedRow) const;
    void selectRowIndexesWithContacts(const QList<ContactRecordPtr> &contacts) override;
    // Selects a find hit: from the hit's own row (else the selected row) on,
    // the first row at the hit's label position, which the delegate hears of.
    // The rows stay as they are: only the cells redraw.
    void selectItemAndRange(const ItemAndRangeRecordPtr &itemAndRange) override;
    [[nodiscard]] QStringList labelFilter() const override;

    [[nodiscard]] std::optional<RowAnchor> anchorOfRow(int row) const;
    // The first row the anchor names; -1 when there is none.
    [[nodiscard]] int findAnchorRow(const RowAnchor &anchor) const;

    // --- Value editors and contact views beside a cell ----------------------
    // Each opener shows its editor in the one popover, below the rectangle
    // (a cell's visualRect in the viewport); the editor's result goes to
    // popoverRows() when the popover closes.
    void showMultiValuePopover(
        const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 position, const QRect &rect);
    void showAddressPopover(
        const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect);
    void showSNSPopover(
        const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect);
    void showIMSPopover(
        const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 labelIndex, const QRect &rect);
    void showDatePopover(
        const SubContactRecordPtr &row, const ContactIdentifier &type, qint64 position, const QRect &rect);
    void showPhoneticNamePopover(const SubContactRecordPtr &row, const ContactIdentifier &type, const QRect &rect);
    void showNamePopover(const SubContactRecordPtr &row, const ContactIdentifier &type, const QRect &rect);
    void showRenmeiPopover(const SubContactRecordPtr &row, const QRect &rect);
    // The contact's details on the rectangle's right; a contact shown in a
    // window of its own brings that window to the front instead.
    void showContactInfoPopover(const SubContactRecordPtr &row, const QRect &rect);
    [[nodiscard]] Popover *popover() const { return m_popover; }
    // The rows an open editor's result applies to, as the records they were
    // when it opened: a rebuild meanwhile cannot send it to other contacts.
    [[nodiscard]] const QList<SubContactRecordPtr> &popoverRows() const { return m_popoverRows; }
    void setPopoverRows(const QList<SubContactRecordPtr> &rows) { m_popoverRows = rows; }
    // Applies an editor's result to each row's contact as one undo step; a
    // new value is added once per contact. The rows stay selected after the
    // refresh that follows. True when a contact changed.
    bool applyEditorResultToRows(const PopoverContextInfoPtr &context, const QList<SubContactRecordPtr> &rows);
    // Asks the window's confirmation sheet ("This operation can be undone.")
    // and runs then after OK.
    void confirmThen(const QString &message, const std::function<void()> &then);
    // The row showing the record, or after a rebuild its contact at its
    // label position; -1 when none does.
    [[nodiscard]] int rowOfRecord(const SubContactRecordPtr &record) const;
    [[nodiscard]] QList<SubContactRecordPtr> recordsOfRows(const QList<int> &rows) const;
    // After the next rebuild, the rows showing these contacts at these label
    // positions are selected.
    void selectRowsOfRecordsAfterRebuild(const QList<SubContactRecordPtr> &rows);
    [[nodiscard]] bool popoverShouldDetach(Popover *popover) override;
    [[nodiscard]] QWidget *detachableWindowForPopover(Popover *popover) override;
    [[nodiscard]] QList<ContactInfoPopoverPane *> detachedWindows() const override;
    void detachedWindowDidClose(const QString &uniqueId) override;
    // The contact view of the open popover; null when none is open.
    [[nodiscard]] ContactInfoPopoverPane *contactInfoPopoverPane() const;

    // --- Cells ------------------------------------------------------------------
    // The in-place editing of the cells and the walk between them.
    [[nodiscard]] ContactTableCellEditor *cellEditor() const { return m_cellEditor; }
    bool commitEditing() override;
    void discardEditing() override;
    bool finishValueEditor(EditorEnding ending) override;
    [[nodiscard]] bool hasOpenValueEditor() const override;
    // The value the column shows in the row; null when there is none or the
    // label filter hides it.
    [[nodiscard]] LabeledValueRecordPtr shownValue(int column, int row) const;
    // The viewport rectangle of a cell.
    [[nodiscard]] QRect cellRect(int column, int row) const;
    // Marks the window edited after a change of the contacts.
    void markWindowEdited();

    // --- The cell the context menu was opened on ----------------------------
    // Set from a right-click until its command has run; -1 for none.
    [[nodiscard]] int clickedRow() const { return m_clickedRow; }
    [[nodiscard]] int clickedColumn() const { return m_clickedColumn; }
    void setClickedCell(int column, int row);

    // The clicked row's record, its column and the rows a command acts on:
    // the selected rows and the clicked one, in row order.
    struct ClickedCell {
        SubContactRecordPtr record;
        int column = -1;
        int row = -1;
        QList<SubContactRecordPtr> targets;
    };
    [[nodiscard]] std::optional<ClickedCell> clickedCell() const;

    // --- The context menu and its commands -----------------------------------
    [[nodiscard]] ContactTableContextMenu *contextMenu() const { return m_contextMenu; }
    [[nodiscard]] ContactTableItemCommands *itemCommands() const { return m_itemCommands; }
    [[nodiscard]] ContactTableContactCommands *contactCommands() const { return m_contactCommands; }

Q_SIGNALS:
    // The selected rows changed, by the user or by the code.
    void selectionDidChange();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void viewDidLoad();
    [[nodiscard]] UserDefaults &userDefaults() const;
    void sortDescriptorsDidChange(const QList<SortDescriptor> &previous);
    [[nodiscard]] bool sortContactsForDescriptors(const QList<SortDescriptor> &previous);
    void rememberSortDescriptor();
    void tableViewSelectionDidChange();
    void headerClicked(int column);
    void columnDidMove(int logical, int oldVisual, int newVisual);
    void columnDidResize(int column, int width);
    void applyColumnWidths();
    [[nodiscard]] static int defaultWidthOfColumn(const QString &identifier);
    void showSortIndicator();
    void updateRowHeights();
    void setRowHeights(const QList<int> &heights);
    void redisplay();
    // reload(), the rows measured anew or taking the line counts they hold.
    void reloadRows(bool measuring);
    // Rebuilds, sorts and reloads, then selects the anchor's row or else
    // the rows given.
    void rebuildKeepingSelection(const std::optional<RowAnchor> &anchor, const QList<int> &otherwise);
    void selectAnchorRow(const std::optional<RowAnchor> &anchor, const QList<int> &otherwise);

    UserDefaults *m_userDefaults = nullptr;
    mutable QPointer<ViewSettings> m_viewSettings;
    QTableView *m_tableView = nullptr;
    ContactTableModel *m_model = nullptr;
    ContactTableCellDelegate *m_cellDelegate = nullptr;
    ContactsViewControllerDelegate *m_delegate = nullptr;
    ContactsDragAndDrop *m_dragAndDrop = nullptr;
    QList<SortDescriptor> m_sortDescriptors;
    // Each column's sort key, by position; empty for "Sender".
    QStringList m_sortKeys;
    QVariantMap m_columnWidthDictionary;
    // Set while the code itself moves or sizes columns.
    bool m_arrangingColumns = false;
    // Set while a selection is made that the delegate hears of otherwise.
    bool m_selectingQuietly = false;

    // --- Popovers, contact views and cell edits ------------------------------
    struct DetachedEntry {
        UniqueId uniqueId;
        QPointer<QWidget> view;
        InterfacePointer<ContactInfoPopoverPane> pane;
        QPointer<QWidget> window; // none while the view is the popover's
    };
    // The open popover, or a new one of the behaviour given.
    [[nodiscard]] Popover *preparePopover(bool transient);
    void showEditorPopover(ValueEditor *editor, const PopoverContextInfoPtr &context, bool transient, const QSize &size,
        const QRect &rect);
    [[nodiscard]] QList<ContactInfoPopoverPane *> contactViewPanes() const;
    void popoverDidClose(Popover *popover);
    void pruneDetachedWindows();
    // Every contact view, or only the views of the contacts edited.
    void refreshContactViews(const std::optional<QSet<UniqueId>> &edited = std::nullopt);
    [[nodiscard]] PersonRecordPtr currentRecordOf(
        const PersonRecordPtr &shown, const SubContactRecordPtr &selected) const;
    // Closes the popover or the detached window of the view.
    void closeContactView(ContactInfoPopoverPane *pane);
    void setRowsSelected(const QList<SubContactRecordPtr> &rows);
    [[nodiscard]] PopoverContextInfoPtr contextForRow(
        const PopoverContextInfo &context, const SubContactRecordPtr &row) const;
    QPointer<Popover> m_popover;
    QList<SubContactRecordPtr> m_popoverRows;
    QPointer<QWidget> m_contactView;
    InterfacePointer<ContactInfoPopoverPane> m_contactViewPane;
    QList<DetachedEntry> m_detachedEntries;
    // The rows selected again after the next rebuild.
    QList<SubContactRecordPtr> m_rowsToSelect;
    int m_clickedRow = -1;
    int m_clickedColumn = -1;
    ContactTableCellEditor *m_cellEditor = nullptr;
    ContactTableItemCommands *m_itemCommands = nullptr;
    ContactTableContactCommands *m_contactCommands = nullptr;
    ContactTableContextMenu *m_contextMenu = nullptr;
};
