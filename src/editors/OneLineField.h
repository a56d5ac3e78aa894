#pragma once

#include <QString>

class QLineEdit;

// A one-line field (a name, a phone number, an account) takes no line
// break: a pasted one becomes a space. A field of lines (the street) is
// marked to keep them.
namespace OneLineField {

// The text with each line break, however written, made a space.
[[nodiscard]] QString flattened(QString text);

// From now on, what the user types or pastes into the field is flattened;
// a text set by the program (a value as read in) stays as it is. Once per
// field, however often it is asked.
void keep(QLineEdit *field);

// Marks the field as one of lines: keep() leaves it alone.
void allowLines(QLineEdit *field);

} // namespace OneLineField
