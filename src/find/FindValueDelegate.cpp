#include "find/FindValueDelegate.h"

#include "find/FindResultsModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextLayout>

namespace {

// Each line of a value takes a row's height.
constexpr int LineHeight = 24;

} // namespace

void FindValueDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != FindResultsModel::ValueColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    // The option's text has its line breaks turned into separators.
    const QString text = index.data(Qt::DisplayRole).toString();
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const auto ranges = index.data(FindResultsModel::RangesRole).value<QList<TextRange>>();
    const int current = index.data(FindResultsModel::CurrentRangeRole).toInt();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    // On a selected row the hits would vanish into the row's own highlight:
    // there they are lighter, with dark text.
    const QColor otherMatch = option.palette.color(QPalette::Highlight).lighter(selected ? 160 : 100);
    QList<QTextLayout::FormatRange> formats;
    for (qsizetype i = 0; i < ranges.size(); ++i) {
        // Ranges left over from an earlier text may lie past the end.
        if (!ranges.at(i).liesWithin(text.size()) || ranges.at(i).length == 0)
            continue;
        QTextLayout::FormatRange format;
        format.start = int(ranges.at(i).location);
        format.length = int(ranges.at(i).length);
        format.format.setBackground(i == current ? CurrentMatchColor : otherMatch);
        if (selected)
            format.format.setForeground(option.palette.color(QPalette::Text));
        formats.append(format);
    }
    const QRect area = option.rect.adjusted(4, 2, -4, -2);
    painter->save();
    painter->setClipRect(area);
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    int y = area.top();
    qsizetype offset = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(line, option.font);
        QList<QTextLayout::FormatRange> lineFormats;
        for (QTextLayout::FormatRange format : formats) {
            const qsizetype start = std::max<qsizetype>(format.start, offset);
            const qsizetype end = std::min<qsizetype>(format.start + format.length, offset + line.size());
            if (start >= end)
                continue;
            format.start = int(start - offset);
            format.length = int(end - start);
            lineFormats.append(format);
        }
        layout.setFormats(lineFormats);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        if (textLine.isValid())
            textLine.setLineWidth(1e6);
        layout.endLayout();
        layout.draw(painter, QPointF(area.left(), y + (LineHeight - 4 - textLine.height()) / 2));
        y += LineHeight;
        offset += line.size() + 1;
    }
    painter->restore();
}

QWidget *FindValueDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() != FindResultsModel::ValueColumn)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto *editor = new QPlainTextEdit(parent);
    editor->setFrameShape(QFrame::NoFrame);
    // The cell is as high as the value's lines: nothing to scroll.
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->installEventFilter(const_cast<FindValueDelegate *>(this));
    return editor;
}

void FindValueDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        text->setPlainText(index.data(Qt::EditRole).toString());
        text->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void FindValueDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        model->setData(index, text->toPlainText());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool FindValueDelegate::eventFilter(QObject *object, QEvent *event)
{
    // Return ends the edit; Alt+Return puts a line break into the value.
    auto *editor = qobject_cast<QPlainTextEdit *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers().testFlag(Qt::AltModifier)) {
            editor->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (enter) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
