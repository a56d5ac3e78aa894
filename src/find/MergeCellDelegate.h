#pragma once

#include "table/PopupAndTextCell.h"

#include <QStyledItemDelegate>

class MergePanelController;
class MergeTableView;

// Draws the cells of one merge table (the label-and-text cell for values of
// multi-valued fields, the pop-ups, name parts with their placeholders) and
// edits a value in place with its line breaks.
class MergeCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    MergeCellDelegate(MergePanelController *panel, MergeTableView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void updateEditorGeometry(
        QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the row's pop-up lies in a cell; empty for a row without one.
    [[nodiscard]] QRect popupRect(const QRect &cellRect, int row) const;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
        const QModelIndex &index) override;
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    [[nodiscard]] bool hasLabelPopup(int row) const;
    [[nodiscard]] bool isPopupRow(int row) const;
    PopupAndTextCell &labeledCell(int row) const;
    void showPopupMenu(const QModelIndex &index, const QRect &rect) const;
    [[nodiscard]] bool isLeft() const;

    MergePanelController *m_panel;
    MergeTableView *m_view;
    mutable PopupAndTextCell m_cell;
    mutable PopupButton m_popup;
};
