#pragma once

#include <functional>

class QDialog;
class QObject;

// A dialog hands its answer out from finished(), that is from inside its own
// done(), itself inside the key press or click that answered it. An answer
// that runs an event loop there (a progress window, an alert) lets that loop
// run the deletion that a WA_DeleteOnClose dialog posted in done(), and
// done() and the key press then go on in freed memory. So every dialog that
// answers through finished() goes through here: what the answer needs is
// read from the dialog while it is still there, and the answer itself runs
// on a later turn of the event loop, once done() has returned.
//
// A dialog answers once for each time it is opened. A key pressed twice at
// once (a bouncing key, a hurried double Return) reaches the dialog a second
// time after it has closed, its window still holding the keyboard until the
// closing is handled, and the dialog's focused button or name field calls
// done() again: that second finished() is no answer, and a closed dialog's
// window takes no keys or clicks at all until it is opened again, so that no
// button changes what a queued answer is still to read.
namespace DialogAnswer {

// The caller's answer, holding what was read from the dialog.
using Answer = std::function<void()>;
// Reads the dialog in finished(): the answer to run, or none.
using Read = std::function<Answer(int result)>;

// Connects `read` to the dialog's finished(); the answer it returns runs
// queued on `receiver` (on the application object where there is none), and
// not at all when the receiver is gone by then.
void deliverAfterDone(QDialog *dialog, QObject *receiver, Read read);

// For an answer that needs nothing read from the dialog but its result:
// `answer` runs queued on `context`, once done() has returned, through a
// connection that `context` owns, so that disconnecting the dialog from the
// context disconnects it too.
void answerAfterDone(QDialog *dialog, QObject *context, std::function<void(int result)> answer);

// For a dialog run with exec() and read once it has returned: the input
// that reaches its window once it has closed is dropped, so that the button
// that closed it stays the one it reports (Return and Escape pressed at
// once must not turn Save into Cancel).
void keepFirstAnswer(QDialog *dialog);

} // namespace DialogAnswer
