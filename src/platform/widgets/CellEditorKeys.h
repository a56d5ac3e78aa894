#pragma once

class QKeyEvent;
class QPlainTextEdit;

// The keys a multi-line cell editor reads itself: Alt+Return breaks the
// line inside the value, Return or Tab alone ends the cell and goes on to
// the next row. Shared by the tables whose values may hold line breaks.
namespace CellEditorKeys {

enum class Meaning { Other, LineBreak, NextRow };

[[nodiscard]] Meaning meaningOf(const QKeyEvent &key);

// Puts a line break into the editor for Alt+Return; true when it did.
bool breakLine(QPlainTextEdit *editor, const QKeyEvent &key);

} // namespace CellEditorKeys
