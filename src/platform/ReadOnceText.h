#pragma once

#include <QString>
#include <QStringView>

// A text that its reader owns and reads once, from start to end: the memory
// of the part read is given back to the system as the reader goes, so that
// the text of a large file does not sit beside every record made from it
// (the decoded text of a 100 MB file is up to 200 MB). Only whole pages are
// given back, and only of a text held by no one else; what lies behind the
// reader reads as zeros afterwards, so a reader that gives text back never
// looks behind the position it gave back.
//
//   ReadOnceText once(std::move(text));
//   for each record at `start`: read it from once.view(), then once.giveBackBefore(start);
class ReadOnceText {
public:
    explicit ReadOnceText(QString &&text);
    ReadOnceText(const ReadOnceText &) = delete;
    ReadOnceText &operator=(const ReadOnceText &) = delete;

    [[nodiscard]] QStringView view() const { return m_text; }
    [[nodiscard]] const QString &text() const { return m_text; }
    // Gives back the memory of the text before position; the text there may
    // read as zeros from then on.
    void giveBackBefore(qsizetype position);

private:
    QString m_text;
    qsizetype m_givenBack = 0; // the text before it has been given back
    bool m_ownsMemory = false;
};
