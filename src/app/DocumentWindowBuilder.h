#pragma once

#include "app/Document.h"

#include <QPointer>
#include <QString>

class ProgressAlert;
class WindowController;

// Builds the window of a document read, behind the progress window that read
// it: the window is shown (and a CSV document's locked) over no contact
// first, so that neither has rows to make, and is then handed the contacts,
// whose rows are made, sorted and measured once. The progress window's Cancel, honoured between the two
// steps and after them, leaves the window to be deleted.
class DocumentWindowBuilder {
public:
    DocumentWindowBuilder(WindowController &window, const QString &path, const Document::ReadResult &read)
        : m_window(&window)
        , m_path(path)
        , m_read(read)
    {
    }

    // False when the user cancelled, the window then to be deleted, or when
    // the window went meanwhile.
    [[nodiscard]] bool buildBehind(ProgressAlert &alert);

private:
    // Deleted when closed, titled by the file's name, holding the tables but
    // the contacts, and shown.
    void showWithoutContacts();
    void handOverContacts();
    [[nodiscard]] bool isCsv() const { return m_read.type == Document::csvType; }

    QPointer<WindowController> m_window;
    const QString &m_path;
    const Document::ReadResult &m_read;
};
