#include "editors/CellEditingDelegate.h"

#include "editors/OneLineField.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool isAdvanceKey(const QKeyEvent *event)
{
    const int key = event->key();
    return event->modifiers() == Qt::NoModifier
        && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab);
}

} // namespace

CellEditingDelegate::CellEditingDelegate(QObject *parent, Popups popups)
    : QStyledItemDelegate(parent)
    , m_popups(popups)
{
}

void CellEditingDelegate::commitOpenEditor()
{
    if (QWidget *editor = m_openEditor) {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor);
    }
}

QWidget *CellEditingDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QStringList items = index.data(PopupItemsRole).toStringList();
    if (items.isEmpty()) {
        m_openEditor = QStyledItemDelegate::createEditor(parent, option, index);
        if (m_oneLine)
            OneLineField::keep(qobject_cast<QLineEdit *>(m_openEditor.data()));
        m_openIndex = index;
        return m_openEditor;
    }
    auto *popup = new QComboBox(parent);
    for (const QString &item : items) {
        if (item.isEmpty())
            popup->insertSeparator(popup->count());
        else
            popup->addItem(item);
    }
    auto *self = const_cast<CellEditingDelegate *>(this);
    const QPersistentModelIndex at(index);
    connect(popup, &QComboBox::activated, self, [self, popup, at](int position) {
        if (at.isValid())
            self->itemChosen(popup, at, position);
    });
    if (m_popups == Popups::Close)
        m_openEditor = popup;
    return popup;
}

void CellEditingDelegate::itemChosen(QWidget *popup, const QModelIndex &index, int position)
{
    bool custom = false;
    const int customPosition = index.data(CustomLabelItemRole).toInt(&custom);
    const bool close = m_popups == Popups::Close;
    if (custom && position == customPosition) {
        // A pop-up that stays goes back to the row's label until the user
        // names one.
        if (close)
            Q_EMIT closeEditor(popup);
        else
            setEditorData(popup, index);
        Q_EMIT customLabelRequested(index);
        return;
    }
    Q_EMIT commitData(popup);
    if (close)
        Q_EMIT closeEditor(popup);
}

void CellEditingDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *popup = qobject_cast<QComboBox *>(editor)) {
        popup->setCurrentIndex(index.data(Qt::EditRole).toInt());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellEditingDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *popup = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, popup->currentIndex(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void CellEditingDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_openEditor)
        m_openEditor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

bool CellEditingDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (m_popups == Popups::Close || !editor || !keyEvent || !isAdvanceKey(static_cast<QKeyEvent *>(event)))
        return QStyledItemDelegate::eventFilter(object, event);
    // Claimed before any shortcut: Return stays in the table.
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    const bool tab = static_cast<QKeyEvent *>(event)->key() == Qt::Key_Tab;
    QModelIndex from = editor == m_openEditor ? QModelIndex(m_openIndex) : QModelIndex();
    if (qobject_cast<QComboBox *>(editor)) {
        if (auto *view = qobject_cast<QAbstractItemView *>(editor->parentWidget()->parentWidget()))
            from = view->indexAt(editor->geometry().center());
    } else {
        Q_EMIT commitData(editor);
        Q_EMIT closeEditor(editor, NoHint);
    }
    if (from.isValid())
        Q_EMIT advanceRequested(from, tab);
    return true;
}
