#pragma once

#include <QCursor>

// The diagonal resize cursors of layout editing, drawn by us: a double arrow
// along the diagonal in black with a white rim, its hot spot at (7, 7).
namespace ResizeCursors {

// From the bottom-left to the top-right corner: the bottom-left and
// top-right handles.
[[nodiscard]] QCursor angle45ResizeCursor();
// From the top-left to the bottom-right corner.
[[nodiscard]] QCursor angle135ResizeCursor();

} // namespace ResizeCursors
