#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

// The cells of the dates editor: a label cell is edited with a pop-up of the
// labels, a separator and "Custom Label", a date cell as text.
class DatesCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Ends the cell edit in progress, keeping what was typed.
    void commitOpenEditor();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

Q_SIGNALS:
    void customLabelRequested();

private:
    void labelChosen(QWidget *popup, int position, int customLabelPosition);

    mutable QPointer<QWidget> m_openEditor;
};
