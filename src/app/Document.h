#pragma once

#include "model/ContactRecord.h"
#include "model/ContainerRecord.h"

#include <QCoreApplication>
#include <QString>

class ProgressAlert;

// A vCard or CSV file opened in a window of its own, to browse, print and
// export its contacts. It is read once, its tables handed to the window that
// DocumentController builds for it, and never written back: Save As writes
// the contacts as vCard (WindowController::saveDocumentAs).
//
// A file that begins with a card is read as vCard whatever its name; any
// other ".csv" and ".txt" file in the older CSV document layout
// (QuillmarkCsvReader), and the rest as vCard. A CSV document's window is
// locked against editing for good.
class Document {
    Q_DECLARE_TR_FUNCTIONS(Document)

public:
    static inline const QString csvType = QStringLiteral("CSV");
    static inline const QString vCardType = QStringLiteral("vCard");

    // What a read gives: the tables, or an error to alert with. Cancelled
    // reads give neither.
    struct ReadResult {
        ContainerTablePtr containerTable;
        ContactTablePtr contactTable;
        QString errorDescription;
        QString recoverySuggestion;
        QString type = vCardType; // how the file was read
        bool cancelled = false;
        bool headerFound = true;

        [[nodiscard]] bool ok() const { return contactTable && !contactTable->isEmpty(); }
    };

    // Reads the file in the encoding (0 recognises it) on the pool behind
    // the progress window (ContactFileCommands).
    [[nodiscard]] static ReadResult readFromFile(const QString &path, quint32 encoding, ProgressAlert &progress);
};
