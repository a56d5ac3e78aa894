#pragma once

#include "detail/DoubleClickDispatch.h"
#include "detail/ImageViewDragAndDropDelegate.h"
#include "detail/ValueEditorHost.h"
#include "find/MergeContextInfo.h"
#include "find/MergeEdits.h"
#include "find/MergeTableRow.h"
#include "platform/UndoManager.h"

#include <QDialog>
#include <QFont>
#include <QHash>
#include <QPointer>

#include <memory>
#include <optional>

class CustomLabelPanelController;
class ImageViewDragAndDrop;
class MergeTableModel;
class MergeTableView;
class QFrame;
class QDropEvent;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class ValueEditorHandOff;

// The merge sheet: two contacts side by side, each in a table of its own
// whose rows line up field by field, edited on working copies with the
// sheet's own undo. Done ends the sheet with 1 when something was changed,
// leaving both working copies in the context's "newContacts"; Cancel ends it
// with 0. The opener applies the result.
class MergePanelController : public QDialog, public ImageViewDragAndDropDelegate, public ValueEditorHost {
    Q_OBJECT

public:
    explicit MergePanelController(QWidget *parent = nullptr);
    ~MergePanelController() override;

    // Sets the sheet up for one merge; the undo stack is emptied.
    void setContextInfo(const MergeContextInfoPtr &contextInfo, bool editable);
    [[nodiscard]] const MergeContextInfoPtr &contextInfo() const { return m_contextInfo; }
    void setSelectedFont(const QFont &font);
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    [[nodiscard]] double rowHeight() const { return m_rowHeight; }

    // The rows of that side; empty when no context is set.
    [[nodiscard]] QList<MergeTableRowPtr> tableFromContact(const ContactRecordPtr &contact);

    [[nodiscard]] const ContactRecordPtr &contactLeft() const { return m_contactLeft; }
    [[nodiscard]] qint64 changeCount() const { return m_changeCount; }
    [[nodiscard]] bool isEditable() const;
    [[nodiscard]] UndoManager *undoManager() { return &m_undoManager; }
    [[nodiscard]] MergeEdits &edits() { return m_edits; }
    [[nodiscard]] CustomLabelPanelController *customLabelPanelController() const { return m_customLabelPanel; }
    // Opens the value editors and applies their results.
    [[nodiscard]] ValueEditorHandOff &handOff() const { return *m_handOff; }

    [[nodiscard]] MergeTableView *tableViewLeft() const { return m_tableViewLeft; }
    [[nodiscard]] MergeTableView *tableViewRight() const { return m_tableViewRight; }
    [[nodiscard]] QPushButton *editButton() const { return m_editButton; }
    [[nodiscard]] QPushButton *doneButton() const { return m_doneButton; }
    [[nodiscard]] QPushButton *cancelButton() const { return m_cancelButton; }
    [[nodiscard]] QLineEdit *nameFieldRight() const { return m_nameFieldRight; }
    [[nodiscard]] ImageViewDragAndDrop *photoWell(bool left) const;

    // Counts one change the user made and enables Done.
    void countChange();
    // Rebuilds both sides' rows and redraws both tables, keeping selections.
    void reloadTables();

    // --- Cells (called by the side's model and delegate) -----------------
    [[nodiscard]] bool isCellEditable(bool left, int row) const;
    // Applies typed text; true when the working copy changed.
    bool textFieldCellChanged(bool left, int row, const QString &text);
    // Applies the pop-up item at that position; true when the working copy changed.
    bool labelPopupCellChanged(bool left, int row, qsizetype position);
    // Gives the row's value that label; true when the working copy changed.
    bool setRowLabel(bool left, int row, const QString &label);
    // Asks for a custom label and gives it to the row's value.
    void chooseCustomLabel(bool left, int row);
    // The next row Return or Tab edits after this one.
    [[nodiscard]] int nextEditableRow(bool left, int row) const;
    [[nodiscard]] MergeTableModel *model(bool left) const { return left ? m_modelLeft : m_modelRight; }
    [[nodiscard]] const ContactRecordPtr &contact(bool left) const { return left ? m_contactLeft : m_contactRight; }
    // The items of the row's pop-up and the one selected; none for a row without one.
    [[nodiscard]] QStringList popupTitles(bool left, int row) const;
    [[nodiscard]] qsizetype popupSelectedIndex(bool left, int row) const;

    // --- Drag and drop ------------------------------------------------
    [[nodiscard]] QMimeData *writeRow(bool left, int row);
    [[nodiscard]] bool validateDrop(bool left, const QMimeData *data, Qt::DropAction action, int row, bool on) const;
    bool acceptDrop(bool left, const QMimeData *data, Qt::DropAction action, int row, bool on);

    // --- Double click, Tab, and the editors -------------------------------
    void tableViewDoubleAction(bool left, const QModelIndex &index, Qt::KeyboardModifiers modifiers);
    // Where Return or Tab lands: the row's text is edited in its cell, or,
    // for a row typing cannot change, its value editor opens.
    void beginEditingRow(bool left, int row);
    // Opens the editor the action names on the row, or edits its text.
    void openEditorFor(bool left, int row, DoubleClickDispatch::Action action);

    // --- Context menus --------------------------------------------------
    // Rebuilds the side's menu for a row and column; false when the row has
    // no menu there, which then is not shown.
    bool rebuildMenu(bool left, int row, int column);
    // The side's menu last built; null before.
    [[nodiscard]] QMenu *menu(bool left) const;
    // Runs the item of that key on the row the menu was built for; nothing
    // when that row's value has gone, or the lock came, since.
    void runMenuCommand(bool left, const QString &key);
    // The file's picture, scaled as the detail view scales it, as the side's
    // photo: one change; false when the file holds no picture.
    bool pickPhotoFile(bool left, const QString &path);

    // ImageViewDragAndDropDelegate
    void imageDidChange(ImageViewDragAndDrop *well) override;

    // ValueEditorHost
    [[nodiscard]] QAbstractItemView *editorPositioningView(const PersonRecordPtr &contact) const override;
    [[nodiscard]] bool editorEditState() const override;
    [[nodiscard]] QFont editorFont() const override { return m_selectedFont; }
    [[nodiscard]] QSize addressEditorSize() const override;
    [[nodiscard]] ValueEditorDelegate *editorDelegate() override { return &m_edits; }
    void valueEditorResultDidApply() override { countChange(); }

public Q_SLOTS:
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buttonPressed(QPushButton *sender);
    void setEditLook(bool editable);
    void finishSheet(int result);
    void didUndo();
    void didRedo();
    void reloadSide(bool left);
    void placePhotoWell(bool left);
    // A row dragged from a table of the sheet onto a photo well is dropped
    // on the photo row the well covers.
    bool forwardRowDrag(bool left, QDropEvent *event);
    void refreshNameField(bool left);
    [[nodiscard]] bool otherTableIsSource(bool left, const QMimeData *data) const;
    [[nodiscard]] DoubleClickDispatch::Click clickOn(bool left, int row, bool typeColumn, bool ctrl) const;
    void showMenu(bool left, const QPoint &position);
    [[nodiscard]] bool valuePresent(bool left, const MergeTableRow &record) const;
    [[nodiscard]] int currentRowOf(bool left, const MergeTableRow &record, int row) const;
    void addItem(bool left, int row);
    void deleteItem(bool left, int row);
    bool dropMultiValued(bool left, const MergeTableRow &source, const MergeTableRow &target, bool copy, bool on);
    bool dropName(bool left, const MergeTableRow &source, bool copy);
    bool dropSingle(bool left, const ContactIdentifier &type, bool copy);
    bool dropPhoto(bool left, bool copy);

    MergeContextInfoPtr m_contextInfo;
    ContactRecordPtr m_contactLeft;
    ContactRecordPtr m_contactRight;
    QFont m_selectedFont;
    QStringList m_nameOrderingLabels;
    QHash<ContactIdentifier, qsizetype> m_labeledValueCountDict;
    MergeTableRowPtr m_draggingSourceRow;
    double m_rowHeight = 24;
    qint64 m_changeCount = 0;

    UndoManager m_undoManager;
    MergeEdits m_edits;
    CustomLabelPanelController *m_customLabelPanel = nullptr;
    ValueEditorHandOff *m_handOff = nullptr;

    QLineEdit *m_nameFieldLeft = nullptr;
    QLineEdit *m_nameFieldRight = nullptr;
    QFrame *m_redSeparator = nullptr;
    MergeTableView *m_tableViewLeft = nullptr;
    MergeTableView *m_tableViewRight = nullptr;
    MergeTableModel *m_modelLeft = nullptr;
    MergeTableModel *m_modelRight = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_doneButton = nullptr;
    bool m_syncingScroll = false;

    // The row a menu was built for, as it was then.
    struct ClickedRow {
        bool left = true;
        MergeTableRow record;
        int row = -1;
    };
    QPointer<QMenu> m_menuLeft;
    QPointer<QMenu> m_menuRight;
    std::optional<ClickedRow> m_clicked;
};
