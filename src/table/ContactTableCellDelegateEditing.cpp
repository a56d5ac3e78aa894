// The cell delegate's in-place editors and the hit areas of its pop-ups and
// check boxes.

#include "table/ContactTableCellDelegate.h"

#include "editors/OneLineField.h"
#include "platform/widgets/CellEditorKeys.h"
#include "table/ContactTableModel.h"
#include "table/TableColumn.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

constexpr int editorGap = 2;

QString textOfEditor(const QWidget *editor)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->text();
    if (const auto *lines = qobject_cast<const QPlainTextEdit *>(editor))
        return lines->toPlainText();
    return {};
}

} // namespace

bool ContactTableCellDelegate::editsLines(const ContactIdentifier &identifier)
{
    return identifier == FieldId::Renmei || identifier == FieldId::Note || identifier == FieldId::Street;
}

QString ContactTableCellDelegate::editedText(const QModelIndex &index) const
{
    const SubContactRecordPtr row = m_model->subContactAt(index.row());
    if (!row || index.column() >= m_model->columns().size())
        return {};
    const TableColumn &column = m_model->columns().at(index.column());
    // The name cell of a contact's later rows is empty, but a later row is
    // never edited by name.
    return m_model->cellText(*row, column, 0);
}

QWidget *ContactTableCellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem & /*option*/, const QModelIndex &index) const
{
    const bool lines
        = index.column() < m_model->columns().size() && editsLines(m_model->columns().at(index.column()).identifier);
    QWidget *editor = nullptr;
    if (lines) {
        auto *text = new QPlainTextEdit(parent);
        text->setFrameShape(QFrame::NoFrame);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->document()->setDocumentMargin(1);
        text->setTabChangesFocus(false);
        editor = text;
    } else {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        editor = line;
    }
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFont(m_model->selectedFont());
    editor->setAutoFillBackground(true);
    return editor;
}

void ContactTableCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = editedText(index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(text);
        line->selectAll();
    } else if (auto *lines = qobject_cast<QPlainTextEdit *>(editor)) {
        lines->setPlainText(text);
        lines->selectAll();
    }
}

void ContactTableCellDelegate::setModelData(
    QWidget *editor, QAbstractItemModel * /*model*/, const QModelIndex &index) const
{
    QString text = textOfEditor(editor);
    // A one-line field takes pasted lines as one line.
    if (qobject_cast<QLineEdit *>(editor))
        text = OneLineField::flattened(std::move(text));
    Q_EMIT const_cast<ContactTableCellDelegate *>(this)->cellTextEdited(index, text);
}

void ContactTableCellDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QRect rect = option.rect;
    const QRect popup = labelPopupRect(rect, index, option.widget);
    const QRect box = checkboxRect(rect, index, option.widget);
    if (!popup.isEmpty())
        rect.setLeft(popup.right() + editorGap);
    else if (!box.isEmpty())
        rect.setLeft(box.right() + editorGap);
    if (qobject_cast<QLineEdit *>(editor))
        rect.setHeight(std::min(rect.height(), m_model->rowHeight()));
    editor->setGeometry(rect);
}

void ContactTableCellDelegate::endEditing(QWidget *editor, bool commit)
{
    if (!editor)
        return;
    if (commit)
        Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool ContactTableCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (CellEditorKeys::meaningOf(*key)) {
    case CellEditorKeys::Meaning::LineBreak:
        // A one-line editor swallows the key rather than ending the cell.
        CellEditorKeys::breakLine(qobject_cast<QPlainTextEdit *>(editor), *key);
        return true;
    case CellEditorKeys::Meaning::NextRow:
        Q_EMIT navigationKeyPressed(key->key() == Qt::Key_Tab);
        return true;
    case CellEditorKeys::Meaning::Other:
        break;
    }
    if (key->key() == Qt::Key_Backtab) {
        endEditing(editor, true);
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QRect ContactTableCellDelegate::labelPopupRect(
    const QRect &cellRect, const QModelIndex &index, const QWidget *widget) const
{
    const SubContactRecordPtr row = m_model->subContactAt(index.row());
    if (!row || index.column() >= m_model->columns().size())
        return {};
    const TableColumn &column = m_model->columns().at(index.column());
    if (!column.showsLabeledValues())
        return {};
    setUpPopupAndTextCell(*row, column);
    if (m_popupAndTextCell.labelPopup().isHidden())
        return {};
    return m_popupAndTextCell.popupRect(cellRect, widget);
}

QRect ContactTableCellDelegate::checkboxRect(
    const QRect &cellRect, const QModelIndex &index, const QWidget *widget) const
{
    const SubContactRecordPtr row = m_model->subContactAt(index.row());
    if (!row || index.column() >= m_model->columns().size())
        return {};
    const TableColumn &column = m_model->columns().at(index.column());
    if (column.kind == TableColumn::Kind::Sender) {
        m_checkboxCell.setRowHeight(m_model->rowHeight());
        return CheckboxCell::indicatorRect(m_checkboxCell.frameInCell(cellRect), widget);
    }
    if (column.kind != TableColumn::Kind::CompanyOrRenmei)
        return {};
    if (m_model->cellText(*row, column, index.row()).isEmpty())
        return {};
    m_checkboxAndTextCell.setRowHeight(m_model->rowHeight());
    m_checkboxAndTextCell.setNumLines(row->numLines);
    return CheckboxCell::indicatorRect(m_checkboxAndTextCell.checkboxFrameInCell(cellRect, widget), widget);
}
