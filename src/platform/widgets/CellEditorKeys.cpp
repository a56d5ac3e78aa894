#include "platform/widgets/CellEditorKeys.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace CellEditorKeys {

Meaning meaningOf(const QKeyEvent &key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::AltModifier)
        return Meaning::LineBreak;
    if ((enter || key.key() == Qt::Key_Tab) && modifiers == Qt::NoModifier)
        return Meaning::NextRow;
    return Meaning::Other;
}

bool breakLine(QPlainTextEdit *editor, const QKeyEvent &key)
{
    if (!editor || meaningOf(key) != Meaning::LineBreak)
        return false;
    editor->insertPlainText(QStringLiteral("\n"));
    return true;
}

} // namespace CellEditorKeys
