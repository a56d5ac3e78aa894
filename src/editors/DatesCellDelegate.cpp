#include "editors/DatesCellDelegate.h"

#include "editors/DatesTableModel.h"

#include <QComboBox>

void DatesCellDelegate::commitOpenEditor()
{
    if (QWidget *editor = m_openEditor) {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor);
    }
}

QWidget *DatesCellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const DatesTableModel *>(index.model());
    if (!model || index.column() != DatesTableModel::LabelColumn) {
        m_openEditor = QStyledItemDelegate::createEditor(parent, option, index);
        return m_openEditor;
    }
    auto *popup = new QComboBox(parent);
    for (const QString &label : model->labels())
        popup->addItem(model->displayLabel(label));
    popup->insertSeparator(popup->count());
    popup->addItem(tr("Custom Label"));
    const int customLabelPosition = popup->count() - 1;
    auto *self = const_cast<DatesCellDelegate *>(this);
    connect(popup, &QComboBox::activated, self,
        [self, popup, customLabelPosition](int position) { self->labelChosen(popup, position, customLabelPosition); });
    m_openEditor = popup;
    return popup;
}

void DatesCellDelegate::labelChosen(QWidget *popup, int position, int customLabelPosition)
{
    if (position == customLabelPosition) {
        Q_EMIT closeEditor(popup);
        Q_EMIT customLabelRequested();
        return;
    }
    Q_EMIT commitData(popup);
    Q_EMIT closeEditor(popup);
}

void DatesCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *popup = qobject_cast<QComboBox *>(editor)) {
        popup->setCurrentIndex(index.data(Qt::EditRole).toInt());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void DatesCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *popup = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, popup->currentIndex(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void DatesCellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_openEditor)
        m_openEditor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}
