#pragma once

#include <QPointer>

#include <functional>

class QFont;
class QFontDialog;
class QLineEdit;
class QSpinBox;
class QWidget;

// The font dialog that chooses the font of horizontal text for the frames of
// the options sheet and of the print dialog's settings pane: a name field and
// a size field, the size in whole points.
namespace FrameFontPanel {

// Opens the dialog window-modal on the parent at the fields' font, closing
// one still open; it deletes itself when closed, and a chosen font goes to
// `chosen`.
void open(QPointer<QFontDialog> &panel, QWidget *parent, const QLineEdit *name, const QSpinBox *size,
    const std::function<void(const QFont &)> &chosen);
// Shows the face's name and its size, cut to whole points, within the size
// field's range.
void showFont(const QFont &font, QLineEdit *name, QSpinBox *size);

} // namespace FrameFontPanel
