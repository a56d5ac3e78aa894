#pragma once

class QPushButton;
class QString;
class QWidget;

// The Cancel of a progress window. The window comes up on its own, as the
// answer to a key press or click in the window before it, and takes the
// keyboard at once: a Return or a Space the user typed for that earlier
// window, still waiting to be handled, would press a Cancel that was the
// window's default button or held its focus, and stop work the user has
// just asked for. So it is never the default button, and each time the
// window shows, the keyboard starts on its progress bar, which no key
// presses. Tab moves it to Cancel, which Space then presses; Escape and a
// click cancel through the window as ever.
namespace ProgressCancelButton {

// The window holds its progress bar already.
[[nodiscard]] QPushButton *make(const QString &text, QWidget *window);

} // namespace ProgressCancelButton
