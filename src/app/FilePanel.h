#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class UserDefaults;

// The open and save panels of the file commands. The window shows them
// through a FilePanel::Show, which tests replace to answer in place of the
// user, as they do with the print panel.
namespace FilePanel {

struct Request {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString prompt;
    QString nameFieldLabel;
    QStringList nameFilters; // each "Name (*.ext …)"; all files are always offered last
    QString proposedName;
    // An open panel with the encoding chooser, which starts at "Automatic".
    bool withEncoding = false;
};

// An empty path: the panel was cancelled.
struct Answer {
    QString path;
    quint32 encoding = 0; // 0 for "Automatic"
};

using Done = std::function<void(const Answer &answer)>;
using Show = std::function<void(const Request &request, const Done &done)>;

// A non-native file dialog, modal for the window, with the encoding chooser
// attached where the request asks for it.
void showDialog(QWidget *window, UserDefaults *defaults, const Request &request, const Done &done);

// A proposed file name: "/" and NUL become "-" and it never starts with ".".
[[nodiscard]] QString safeFileName(const QString &name);

} // namespace FilePanel
