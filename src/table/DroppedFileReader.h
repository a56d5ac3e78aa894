#pragma once

#include "model/ContactRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Reads the vCard files of a drop onto the contact table as File ▸ Import
// from vCard reads one. No widgets and safe on any thread, so that the window
// can run it behind its progress window while its event loop goes on.
class DroppedFileReader {
public:
    struct Result {
        // Of every file, in the order the files were dropped.
        QList<ContactRecordPtr> contacts;
        // The alert's informative text for each file that gave no contact.
        QStringList failures;
    };

    // Posts the percentage done; answers false once the user cancelled.
    using Report = std::function<bool(double percent)>;
    // What the table asks of its window, which alone can show a progress
    // window: runs the work off the window's thread with the message shown
    // and a Cancel button, then, once it ended, the hand-over on the window's
    // thread behind the same progress window, still shown; true when both
    // ended and the hand-over answered true, false when the user cancelled
    // (what was read is then thrown away) or nothing was handed over.
    using Runner = std::function<bool(const QString &message, const std::function<void(const Report &)> &work,
        const std::function<bool()> &handOver)>;

    // Stops between files and inside a file's cards once the report answers
    // false; what was read until then is not to be used.
    [[nodiscard]] static Result read(const QStringList &paths, const Report &report = nullptr);
    // The progress window's message: the names of the files.
    [[nodiscard]] static QString messageFor(const QStringList &paths);
};
