#pragma once

#include "detail/ContactInfoTableModel.h"
#include "detail/DetailHost.h"
#include "detail/ImageViewDragAndDropDelegate.h"
#include "editors/EditorEnding.h"
#include "model/ContactIdentifier.h"
#include "model/ItemAndRangeRecord.h"
#include "model/PersonRecord.h"
#include "model/PersonValue.h"

#include <QByteArray>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QTableView>

#include <optional>

class ContactInfoCellDelegate;
class ContactInfoControllerDelegate;
class ContactInfoRowCommands;
class ImageViewDragAndDrop;
class QMimeData;
class UserDefaults;

// One contact shown field by field: a table of a type column (the field's
// name and picture, once per block) and a value column (text, a pop-up, a
// label pop-up beside the text, or the photo well). The user edits names,
// texts, labels and the person/company display in place and drops a picture
// on the photo; each edit goes to the delegate's undoable operations, after
// which the view tells the delegate that the contact changed. Return and Tab
// move editing to the next row that takes typed text.
//
// The detail pane and the contact popover derive from it and differ where
// their hooks say.
class ContactInfoView : public QTableView, protected ImageViewDragAndDropDelegate {
    Q_OBJECT

public:
    explicit ContactInfoView(QWidget *parent = nullptr);
    ~ContactInfoView() override;

    [[nodiscard]] ContactInfoTableModel *infoModel() const { return m_model; }
    [[nodiscard]] ImageViewDragAndDrop *photoWell() const { return m_photoWell; }
    // Where the row order (and the popover's settings) are read; null gives
    // the application's own.
    void setUserDefaults(UserDefaults *defaults);
    [[nodiscard]] UserDefaults &userDefaults() const;

    // Null is ignored: the view keeps its contact. Another contact ends an
    // open in-place edit without storing it.
    void setContact(const PersonRecordPtr &contact);
    [[nodiscard]] const PersonRecordPtr &contact() const { return m_model->contact(); }
    // Rebuilds the rows from the contact, keeping the selected row (row 0
    // when it is gone), and scrolls to it; an open in-place edit stays open
    // on its row with what was typed so far. Nothing without a contact.
    void updateTable();
    // The font of every text; the row height follows from it by the view's
    // rule. The rows redraw when a contact is shown.
    void setSelectedFont(const QFont &font);
    [[nodiscard]] const QFont &selectedFont() const { return m_selectedFont; }
    // The height of one text line of a row; a row's own height is the table's.
    [[nodiscard]] double rowHeight() const { return m_model->rowHeight(); }
    using QTableView::rowHeight;
    // Plain setters: the callers redraw through updateTable.
    void setSelectedLabels(const QStringList &labels) { m_model->setSelectedLabels(labels); }
    void setEditState(bool editState) { m_model->setEditState(editState); }
    [[nodiscard]] bool editState() const { return m_model->editState(); }
    void setFindString(const QString &findString) { m_model->setFindString(findString); }
    void setFindOptions(const QString &findOptions) { m_model->setFindOptions(findOptions); }
    void setFindTarget(const ItemAndRangeRecordPtr &target) { m_model->setFindTarget(target); }
    void setIconRowCount(int count) { m_model->setIconRowCount(count); }
    [[nodiscard]] int iconRowCount() const { return m_model->iconRowCount(); }

    // Keeps the hit, selects the row that shows it (row 0 for a hit in
    // another person or a field without a row) and redraws its marks.
    void selectItemAndRange(const ItemAndRangeRecordPtr &hit);
    // Starts editing the first row of the field; nothing when it has none.
    void editForIdentifier(const ContactIdentifier &type);

    // --- Edits ----------------------------------------------------------------
    // The text typed into a row's value cell.
    void textFieldCellChanged(int row, const QString &text);
    // The item at that position chosen from a row's pop-up.
    void popupButtonCellChanged(int row, qsizetype position);
    // Return or Tab typed in the editor of a row: ends that edit and starts
    // one in the next row that takes typed text. False when not handled.
    bool insertNewlineOrTab(QWidget *editor);
    // Ends an open in-place edit, storing what was typed; true when one was
    // open. A save, closing the window and the lock end it so.
    bool commitEditing();
    // Ends an open in-place edit without storing it: a revert reloads the
    // records it would have gone into.
    void discardEditing();
    // Ends the value editor opened from the view (EditorEnding); false when
    // its Done refused what was typed and it stays open.
    bool finishValueEditor(EditorEnding ending);
    [[nodiscard]] bool hasOpenValueEditor() const;
    // Opens the pop-up of a row's value cell below the rectangle.
    void showPopupMenu(const QModelIndex &index, const QRect &rect);
    // The pop-up now open, or null.
    [[nodiscard]] QMenu *popupMenu() const { return m_popupMenu; }

    [[nodiscard]] QList<int> selectedRows() const;
    void selectRows(const QList<int> &rows);

    // The height of a text line of a row in this view's font.
    [[nodiscard]] virtual double rowHeightForFont(const QFont &font) const = 0;
    [[nodiscard]] virtual DetailHost detailHost() const { return DetailHost::Pane; }
    // Double clicks, the rows' context menus and the value editors.
    [[nodiscard]] ContactInfoRowCommands *rowCommands() const { return m_rowCommands; }

    // --- Dragging rows (ContactInfoViewDragAndDrop.cpp) -------------------
    // A row dragged within the view moves its field's block in the row order
    // that every detail view shows; a value of another view's contact
    // dropped onto a row (or above a value) goes into the shown contact.
    enum class DropOperation { On, Above };
    // The data of a drag of the row, this view named as its source; null
    // when the row has no value to drag.
    [[nodiscard]] QMimeData *mimeDataForRow(int row);
    // What a drop at the row does: Qt::MoveAction, Qt::CopyAction, or
    // Qt::IgnoreAction when it is refused. Row = rowCount() is past the end.
    [[nodiscard]] Qt::DropAction validateDrop(const QMimeData *data, int row, DropOperation operation);
    bool acceptDrop(const QMimeData *data, int row, DropOperation operation);

protected:
    void setInfoDelegate(ContactInfoControllerDelegate *delegate);
    [[nodiscard]] ContactInfoControllerDelegate *infoDelegate() const;
    // Marks the window edited; the delegate's operation told the others.
    void sendContactDidUpdate();
    bool replaceValue(const PersonValue &value, const ContactIdentifier &identifier);
    // Reloads and keeps the given rows selected (row 0 when none is left).
    void reloadSelecting(const QList<int> &rows);

    // --- Where the pane and the popover differ ---------------------------
    // Whether retyping a text that is already stored records a change.
    [[nodiscard]] virtual bool sendsUnchangedText() const { return true; }
    virtual void markWindowEdited() = 0;
    // After a pop-up choice changed the contact.
    virtual void popupChoiceDidApply(int /*row*/) { }
    // Whether a find hit in another contact shows that contact.
    [[nodiscard]] virtual bool showsContactOfHit() const { return true; }
    // Whether the photo well takes a dropped picture now.
    [[nodiscard]] virtual bool photoWellTakesDrops() const { return true; }
    // After an edit in the view or a reload of its rows: the contact may have
    // been renamed.
    virtual void shownContactDidChange() { }

    void imageDidChange(ImageViewDragAndDrop *well) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class ContactInfoRowCommands;
    struct DropPlace {
        int row = 0;
        DropOperation operation = DropOperation::Above;
    };
    void setUpDragAndDrop();
    [[nodiscard]] DropPlace dropPlaceAt(const QPoint &position) const;
    // Where the drop being dragged would land, drawn over the rows.
    void showDropPlace(const std::optional<DropPlace> &place);
    [[nodiscard]] bool rowHasValue(const InfoRowRecord &row);
    [[nodiscard]] bool isFirstRowOfBlock(int row) const;
    [[nodiscard]] Qt::DropAction validateReorder(int row, DropOperation operation) const;
    bool acceptReorder(int row);
    [[nodiscard]] Qt::DropAction validateValueDrop(const QMimeData *data, int row, DropOperation operation);
    bool acceptValueDrop(const QMimeData *data, int row, DropOperation operation);
    bool dropLabeledValue(const InfoRowRecord &target, const LabeledValueRecord &dropped, DropOperation operation);
    // The contact of the dragged card, read once for all moves of a drag.
    [[nodiscard]] MVPersonPtr droppedPerson(const QMimeData *data);

    void applyRowHeights();
    void updateRowArea(int row);
    void placePhotoWell();
    void startEditingRow(int row);
    // The editor open in a value cell, or null.
    [[nodiscard]] QWidget *openValueEditor() const;
    // An in-place edit carried over a rebuild of the rows.
    struct OpenRowEdit {
        InfoRowRecord row;
        QString text;
        int anchor = 0;
        int cursor = 0;
        bool typed = false;
    };
    // Closes the open editor without storing its text.
    [[nodiscard]] std::optional<OpenRowEdit> takeOpenRowEdit();
    void reopenRowEdit(const OpenRowEdit &open);

    ContactInfoTableModel *m_model = nullptr;
    ContactInfoCellDelegate *m_cellDelegate = nullptr;
    ImageViewDragAndDrop *m_photoWell = nullptr;
    UserDefaults *m_userDefaults = nullptr;
    QFont m_selectedFont;
    ContactInfoControllerDelegate *m_delegate = nullptr;
    // Set when the delegate is a QObject, which may die first.
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    QPointer<QMenu> m_popupMenu;
    ContactInfoRowCommands *m_rowCommands = nullptr;
    // The row the last drag of this view started from.
    int m_draggingSourceIndex = -1;
    QByteArray m_droppedCard;
    MVPersonPtr m_droppedPerson;
    // In the viewport: a line between rows, or the row a value lands on.
    QRect m_dropIndicator;
};
