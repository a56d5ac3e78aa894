#pragma once

#include "table/PopupAndTextCell.h"
#include "table/PopupButton.h"

#include <QStyledItemDelegate>

class ContactInfoView;

// Draws the cells of a contact's details and opens their editors: the
// field's name and picture in the type column; text with its find marks, a
// pop-up, or a label pop-up beside the text in the value column (the photo
// well is a widget of its own). Every cell is set up anew for each paint.
//
// A text is edited in a multi-line editor: Return and Tab end the edit and
// move to the next row, Alt+Return types a line break in a field of lines;
// any other field takes no line break, a pasted one becomes a space. A press on an enabled
// pop-up opens its menu.
class ContactInfoCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The editor of a row keeps the row here.
    static constexpr const char *editedRowProperty = "editedRow";

    explicit ContactInfoCellDelegate(ContactInfoView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the pop-up of a value cell is drawn; empty for a cell without one.
    [[nodiscard]] QRect popupRect(const QRect &cellRect, int row) const;
    // The label pop-up and text of a labeled row, set up as it is drawn.
    const PopupAndTextCell &labeledCell(int row) const;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void paintTypeCell(QPainter *painter, const QRect &rect, int row, const QColor &textColor) const;
    void paintTextCell(QPainter *painter, const QRect &rect, int row, const QColor &textColor) const;
    const PopupButton &popupOfRow(int row) const;
    [[nodiscard]] QRect textRect(const QRect &cellRect, int row) const;
    // Whether the row's field holds lines (note, joint names).
    [[nodiscard]] bool takesLines(int row) const;

    ContactInfoView *m_view = nullptr;
    mutable PopupAndTextCell m_labeledCell;
    mutable PopupButton m_popup;
};
