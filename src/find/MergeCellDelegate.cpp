#include "find/MergeCellDelegate.h"

#include "find/MergePanelController.h"
#include "find/MergeRows.h"
#include "find/MergeTableModel.h"
#include "find/MergeTableView.h"
#include "model/FieldVocabulary.h"
#include "model/MVPerson.h"
#include "platform/widgets/CellEditorKeys.h"
#include "table/SelectedCellBackground.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

constexpr int textMargin = 4;
constexpr int popupMargin = 2;
constexpr int popupGap = 4;
const char *const originalTextProperty = "mergeOriginalText";

} // namespace

MergeCellDelegate::MergeCellDelegate(MergePanelController *panel, MergeTableView *view)
    : QStyledItemDelegate(view)
    , m_panel(panel)
    , m_view(view)
{
}

bool MergeCellDelegate::isLeft() const
{
    return m_view->isLeft();
}

bool MergeCellDelegate::hasLabelPopup(int row) const
{
    const MergeTableRowPtr record = m_panel->model(isLeft())->row(row);
    return record && MergeRows::isMultiValued(record->type) && !record->isFiller();
}

bool MergeCellDelegate::isPopupRow(int row) const
{
    const MergeTableRowPtr record = m_panel->model(isLeft())->row(row);
    return record && (record->type == FieldId::NameOrdering || record->type == MergeRows::NameDisplay);
}

PopupAndTextCell &MergeCellDelegate::labeledCell(int row) const
{
    const bool left = isLeft();
    const MergeTableRowPtr record = m_panel->model(left)->row(row);
    const ContactRecordPtr &contact = m_panel->contact(left);
    LabeledValueRecordPtr value
        = contact->person->labeledValueForIdentifierAtLabelIndex(record->type, record->labelIndex.value_or(-1));
    if (value)
        value->stringValue.replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_cell.setRowHeight(m_panel->rowHeight());
    m_cell.setEditState(m_panel->isEditable());
    m_cell.setSelectedFont(m_panel->selectedFont());
    m_cell.setLabels(FieldVocabulary::shared().labelsForIdentifier(record->type));
    m_cell.setLocalizedLabels(FieldVocabulary::shared().localizedLabelsForIdentifier(record->type));
    m_cell.setFindString(QString());
    m_cell.setFindTarget(nullptr);
    m_cell.setPerson(contact->person);
    m_cell.setLabeledValue(value);
    m_cell.setLabelIndex(record->labelIndex.value_or(-1));
    m_cell.updatePopupAndText();
    return m_cell;
}

QRect MergeCellDelegate::popupRect(const QRect &cellRect, int row) const
{
    const PopupButton *popup = nullptr;
    if (hasLabelPopup(row)) {
        popup = &labeledCell(row).labelPopup();
    } else if (isPopupRow(row)) {
        m_popup.setFont(m_panel->selectedFont());
        m_popup.removeAllItems();
        const QStringList titles = m_panel->popupTitles(isLeft(), row);
        for (const QString &title : titles)
            m_popup.addItemWithTitle(title);
        m_popup.selectItemAtIndex(m_panel->popupSelectedIndex(isLeft(), row));
        m_popup.setEnabled(m_panel->isEditable());
        m_popup.setHidden(false);
        popup = &m_popup;
    }
    if (!popup)
        return {};
    const double lineHeight = m_panel->rowHeight();
    const QSize size = popup->intrinsicContentSize(m_view);
    const int height = std::min(size.height(), int(lineHeight) - 2);
    return {cellRect.left() + popupMargin, cellRect.top() + int((lineHeight - height) / 2), size.width(), height};
}

void MergeCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int row = index.row();
    const MergeTableRowPtr record = m_panel->model(isLeft())->row(row);
    if (!record)
        return;
    const QColor textColor = paintSelectedCellBackground(painter, option);
    painter->save();
    painter->setFont(m_panel->selectedFont());
    painter->setPen(textColor);
    const double lineHeight = m_panel->rowHeight();
    if (index.column() == MergeTableModel::TypeColumn) {
        QRect textRect = option.rect.adjusted(textMargin, 0, -textMargin, 0);
        textRect.setHeight(int(lineHeight));
        const QVariant icon = index.data(Qt::DecorationRole);
        if (icon.isValid()) {
            const int side = int(lineHeight) - 6;
            const QImage image = icon.value<QImage>();
            painter->drawImage(QRect(textRect.left(), textRect.top() + 3, side, side), image);
            textRect.setLeft(textRect.left() + side + textMargin);
        }
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
    } else if (hasLabelPopup(row)) {
        labeledCell(row).paint(painter, option.rect, textColor, option.widget);
    } else if (isPopupRow(row)) {
        const QRect rect = popupRect(option.rect, row);
        m_popup.paint(painter, rect, option.widget);
    } else if (record->type != FieldId::Photo) {
        const QString text = index.data(Qt::DisplayRole).toString();
        const QRect rect = option.rect.adjusted(textMargin, 0, -textMargin, 0);
        if (text.isEmpty() && (record->type == FieldId::Name || record->type == FieldId::PhoneticName)) {
            painter->setPen(option.palette.color(QPalette::PlaceholderText));
            painter->drawText(QRect(rect.topLeft(), QSize(rect.width(), int(lineHeight))), Qt::AlignVCenter,
                MergePanelController::tr(record->labelText().toUtf8().constData()));
        } else if (text.isEmpty() && record->type == FieldId::Note) {
            painter->setPen(option.palette.color(QPalette::PlaceholderText));
            painter->drawText(QRect(rect.topLeft(), QSize(rect.width(), int(lineHeight))), Qt::AlignVCenter,
                MergePanelController::tr("Note"));
        } else if (record->type == FieldId::Note) {
            QRect lineRect(rect.topLeft(), QSize(rect.width(), int(lineHeight)));
            for (const QString &line : text.split(QLatin1Char('\n'))) {
                painter->drawText(lineRect, Qt::AlignVCenter, line);
                lineRect.translate(0, int(lineHeight));
            }
        } else {
            painter->drawText(QRect(rect.topLeft(), QSize(rect.width(), int(lineHeight))), Qt::AlignVCenter, text);
        }
    }
    painter->restore();
}

QWidget *MergeCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QPlainTextEdit(parent);
    editor->setFrameShape(QFrame::NoFrame);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setFont(m_panel->selectedFont());
    editor->document()->setDocumentMargin(1);
    editor->installEventFilter(const_cast<MergeCellDelegate *>(this));
    m_view->setOpenEditor(editor);
    return editor;
}

// The editor holds the value with its line breaks, and only text the user
// changed is written back: walking through a multi-line cell keeps its lines.
void MergeCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *text = qobject_cast<QPlainTextEdit *>(editor);
    if (!text)
        return;
    const QString value = index.data(Qt::EditRole).toString();
    text->setPlainText(value);
    text->setProperty(originalTextProperty, value);
    text->selectAll();
}

void MergeCellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (m_view->openEditor() == editor)
        m_view->setOpenEditor(nullptr);
    QStyledItemDelegate::destroyEditor(editor, index);
}

void MergeCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    const auto *text = qobject_cast<QPlainTextEdit *>(editor);
    if (text && text->toPlainText() != text->property(originalTextProperty).toString())
        model->setData(index, text->toPlainText(), Qt::EditRole);
}

void MergeCellDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QRect rect = option.rect;
    const QRect popup = popupRect(option.rect, index.row());
    if (!popup.isEmpty())
        rect.setLeft(popup.right() + popupGap);
    editor->setGeometry(rect);
}

bool MergeCellDelegate::editorEvent(
    QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress && index.column() == MergeTableModel::ValueColumn) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QRect popup = popupRect(option.rect, index.row());
        if (mouse->button() == Qt::LeftButton && m_panel->isEditable() && popup.contains(mouse->position().toPoint())) {
            showPopupMenu(index, popup);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

void MergeCellDelegate::showPopupMenu(const QModelIndex &index, const QRect &rect) const
{
    const bool left = isLeft();
    const int row = index.row();
    const QStringList titles = m_panel->popupTitles(left, row);
    const qsizetype selected = m_panel->popupSelectedIndex(left, row);
    auto *menu = new QMenu(m_view);
    menu->setObjectName(QStringLiteral("mergeLabelMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setFont(m_panel->selectedFont());
    const QPersistentModelIndex cell(index);
    MergePanelController *panel = m_panel;
    for (qsizetype position = 0; position < titles.size(); ++position) {
        QAction *item = menu->addAction(titles.at(position));
        item->setCheckable(true);
        item->setChecked(position == selected);
        QObject::connect(item, &QAction::triggered, panel, [panel, cell, left, position] {
            if (cell.isValid())
                panel->labelPopupCellChanged(left, cell.row(), position);
        });
    }
    if (hasLabelPopup(row)) {
        menu->addSeparator();
        QAction *custom = menu->addAction(MergePanelController::tr("Custom Label"));
        custom->setObjectName(QStringLiteral("customLabel"));
        QObject::connect(custom, &QAction::triggered, panel, [panel, cell, left] {
            if (cell.isValid())
                panel->chooseCustomLabel(left, cell.row());
        });
    }
    menu->popup(m_view->viewport()->mapToGlobal(rect.bottomLeft()));
}

bool MergeCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QPlainTextEdit *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (CellEditorKeys::breakLine(editor, *key))
            return true;
        if (CellEditorKeys::meaningOf(*key) == CellEditorKeys::Meaning::NextRow) {
            const int row = m_view->currentIndex().row();
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            const int next = m_panel->nextEditableRow(isLeft(), row);
            if (next >= 0)
                m_panel->beginEditingRow(isLeft(), next);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
