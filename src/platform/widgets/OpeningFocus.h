#pragma once

class QDialog;
class QWidget;

// A dialog that is kept and opened again gets the keyboard back where it was
// when it closed: on the button clicked last, at worst, where typing reaches
// nothing and a Space presses the button once more. A dialog given here
// instead opens each time with the keyboard on the widget where the user
// types, the text of a field selected, so that what is typed replaces it.
namespace OpeningFocus {

void giveTo(QDialog *dialog, QWidget *widget);

} // namespace OpeningFocus
