#pragma once

#include <QStyledItemDelegate>

// Draws a hit's value with every match marked, the current one in orange,
// and edits it in a text box that keeps line breaks.
class FindValueDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // The mark of the current match.
    static inline const QColor CurrentMatchColor{0xFF, 0x95, 0x00};

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    bool eventFilter(QObject *object, QEvent *event) override;
};
