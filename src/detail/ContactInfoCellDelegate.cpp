#include "detail/ContactInfoCellDelegate.h"

#include "model/FieldVocabulary.h"
#include "table/ContactTableCellDelegate.h"
#include "table/SelectedCellBackground.h"
#include "detail/ContactInfoView.h"
#include "editors/OneLineField.h"
#include "platform/widgets/CellEditorKeys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

using CellKind = ContactInfoTableModel::CellKind;

constexpr int textMargin = 4;
constexpr int popupMargin = 2;
constexpr int popupGap = 4;
constexpr int iconGap = 4;

} // namespace

ContactInfoCellDelegate::ContactInfoCellDelegate(ContactInfoView *view)
    : QStyledItemDelegate(view)
    , m_view(view)
{
}

void ContactInfoCellDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    const int row = index.row();
    if (row >= model.rowCount())
        return;
    const QColor textColor = paintSelectedCellBackground(painter, option);
    if (index.column() == ContactInfoTableModel::TypeColumn) {
        paintTypeCell(painter, option.rect, row, textColor);
        return;
    }
    switch (model.cellKind(row)) {
    case CellKind::Text:
        paintTextCell(painter, option.rect, row, textColor);
        return;
    case CellKind::Popup:
        popupOfRow(row).paint(painter, popupRect(option.rect, row), option.widget);
        return;
    case CellKind::PopupAndText:
        labeledCell(row).paint(painter, option.rect, textColor, option.widget);
        return;
    case CellKind::Image:
        return;
    }
}

// The name stands in the middle of a tall row, its picture before it.
void ContactInfoCellDelegate::paintTypeCell(
    QPainter *painter, const QRect &rect, int row, const QColor &textColor) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    const QString &text = model.typeText(row);
    if (text.isEmpty())
        return;
    const double lineHeight = model.rowHeight();
    const int numLines = std::max(model.rowAt(row).numLines, 1);
    const int top = rect.top() + int((numLines * lineHeight - lineHeight) * 0.5);
    const QRect line(rect.left() + textMargin, top, rect.width() - 2 * textMargin, int(lineHeight));
    const QImage icon
        = model.data(model.index(row, ContactInfoTableModel::TypeColumn), Qt::DecorationRole).value<QImage>();
    int textLeft = line.left();
    if (!icon.isNull()) {
        const int side = std::min(16, line.height() - 4);
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(QRect(line.left(), line.top() + (line.height() - side) / 2, side, side), icon);
        painter->restore();
        textLeft += side + iconGap;
    }
    painter->save();
    painter->setFont(m_view->selectedFont());
    painter->setPen(textColor);
    painter->drawText(QRect(textLeft, line.top(), line.right() - textLeft, line.height()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

void ContactInfoCellDelegate::paintTextCell(
    QPainter *painter, const QRect &rect, int row, const QColor &textColor) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    const FindMarks marks = model.textMarks(row);
    const QRectF area = textRect(rect, row);
    if (marks.text().isEmpty()) {
        const QString placeholder = model.placeholderText(row);
        if (placeholder.isEmpty())
            return;
        QColor faint = textColor;
        faint.setAlphaF(0.4);
        FindMarks(placeholder, {}, {}).paint(painter, area, m_view->selectedFont(), faint, model.rowHeight() / 2);
        return;
    }
    marks.paint(painter, area, m_view->selectedFont(), textColor, model.rowHeight() / 2);
}

const PopupButton &ContactInfoCellDelegate::popupOfRow(int row) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    m_popup.setFont(m_view->selectedFont());
    m_popup.removeAllItems();
    for (const QString &title : model.popupTitles(row))
        m_popup.addItemWithTitle(title);
    m_popup.selectItemAtIndex(model.popupSelectedIndex(row));
    m_popup.setEnabled(model.isPopupEnabled(row));
    m_popup.setHidden(false);
    return m_popup;
}

const PopupAndTextCell &ContactInfoCellDelegate::labeledCell(int row) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    const InfoRowRecord &record = model.rowAt(row);
    const ItemAndRangeRecordPtr &target = model.findTarget();
    PopupAndTextCell &cell = m_labeledCell;
    cell.setFindString(model.findString());
    cell.setFindOptions(model.findOptions());
    cell.setPerson(model.contact() ? model.contact()->person : nullptr);
    cell.setFindTarget(target && target->identifier == record.type ? target : nullptr);
    cell.setRowHeight(model.rowHeight());
    cell.setSelectedFont(m_view->selectedFont());
    cell.setEditState(model.editState());
    cell.setLabels(FieldVocabulary::shared().labelsForIdentifier(record.type));
    cell.setLocalizedLabels(FieldVocabulary::shared().localizedLabelsForIdentifier(record.type));
    cell.setLabeledValue(model.labeledValue(row));
    cell.setLabelIndex(record.labelIndex.value_or(0));
    cell.updatePopupAndText();
    return cell;
}

QRect ContactInfoCellDelegate::popupRect(const QRect &cellRect, int row) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    const CellKind kind = model.cellKind(row);
    const PopupButton *popup = nullptr;
    if (kind == CellKind::Popup)
        popup = &popupOfRow(row);
    else if (kind == CellKind::PopupAndText && model.labeledValue(row))
        popup = &labeledCell(row).labelPopup();
    if (!popup)
        return {};
    const double lineHeight = model.rowHeight();
    const QSize size = popup->intrinsicContentSize(m_view);
    const int height = std::min(size.height(), int(lineHeight) - 2);
    return {cellRect.left() + popupMargin, cellRect.top() + int((lineHeight - height) / 2), size.width(), height};
}

QRect ContactInfoCellDelegate::textRect(const QRect &cellRect, int row) const
{
    const QRect popup
        = m_view->infoModel()->cellKind(row) == CellKind::PopupAndText ? popupRect(cellRect, row) : QRect();
    const int left = popup.isEmpty() ? cellRect.left() + textMargin : popup.right() + popupGap;
    return {left, cellRect.top(), cellRect.right() - left - textMargin, cellRect.height()};
}

// --- Editing ---------------------------------------------------------------------

QWidget *ContactInfoCellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem & /*option*/, const QModelIndex &index) const
{
    auto *editor = new QPlainTextEdit(parent);
    editor->setFrameShape(QFrame::NoFrame);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setFont(m_view->selectedFont());
    editor->document()->setDocumentMargin(1);
    editor->setProperty(editedRowProperty, index.row());
    return editor;
}

void ContactInfoCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *text = qobject_cast<QPlainTextEdit *>(editor);
    if (!text)
        return;
    text->setPlainText(m_view->infoModel()->valueText(index.row()));
    text->selectAll();
    text->document()->setModified(false);
}

// Only what was typed reaches the contact: opening and leaving a cell
// changes nothing.
void ContactInfoCellDelegate::setModelData(
    QWidget *editor, QAbstractItemModel * /*model*/, const QModelIndex &index) const
{
    const auto *text = qobject_cast<QPlainTextEdit *>(editor);
    if (!text || !text->document()->isModified())
        return;
    // Every field is edited over several lines, but only a field of lines
    // keeps a pasted line break: a phone number or a name stays one line.
    const bool lines = takesLines(index.row());
    m_view->textFieldCellChanged(
        index.row(), lines ? text->toPlainText() : OneLineField::flattened(text->toPlainText()));
}

bool ContactInfoCellDelegate::takesLines(int row) const
{
    const ContactInfoTableModel &model = *m_view->infoModel();
    return row >= 0 && row < model.rowCount() && ContactTableCellDelegate::editsLines(model.rowAt(row).type);
}

void ContactInfoCellDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    editor->setGeometry(textRect(option.rect, index.row()));
}

bool ContactInfoCellDelegate::editorEvent(
    QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress && index.column() == ContactInfoTableModel::ValueColumn) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const ContactInfoTableModel &info = *m_view->infoModel();
        const bool enabled
            = info.cellKind(index.row()) == CellKind::Popup ? info.isPopupEnabled(index.row()) : info.editState();
        const QRect popup = popupRect(option.rect, index.row());
        if (mouse->button() == Qt::LeftButton && enabled && popup.contains(mouse->position().toPoint())) {
            m_view->showPopupMenu(index, popup);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool ContactInfoCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QPlainTextEdit *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A one-line field swallows Alt+Return, as the table's cells do.
        if (CellEditorKeys::meaningOf(*key) == CellEditorKeys::Meaning::LineBreak
            && !takesLines(editor->property(editedRowProperty).toInt()))
            return true;
        if (CellEditorKeys::breakLine(editor, *key))
            return true;
        if (CellEditorKeys::meaningOf(*key) == CellEditorKeys::Meaning::NextRow && m_view->insertNewlineOrTab(editor))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
