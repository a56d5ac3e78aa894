#pragma once

#include "interchange/ImportFileKind.h"
#include "model/ContactRecord.h"
#include "model/ContainerRecord.h"
#include "table/DroppedFileReader.h"

#include <QCoreApplication>
#include <QString>

class ProgressAlert;

// The reading and writing of contact files that File ▸ Open, the two
// imports, a drop of files onto the table, Export and Save As run: each on
// the pool behind the progress window, whose Cancel stops it, the window's
// event loop running meanwhile however large the file.
//
// A file is read in the encoding chosen (0 recognises it); its content tells
// whether it is read as vCard or CSV, and where it can't, the caller's
// command or the file's name does.
class ContactFileCommands {
    Q_DECLARE_TR_FUNCTIONS(ContactFileCommands)

public:
    explicit ContactFileCommands(ProgressAlert &progress)
        : m_progress(progress)
    {
    }

    // How the text becomes contacts.
    enum class Reading {
        // A document's window: vCard with its groups, or the older CSV
        // document layout.
        Document,
        // The import's chooser: the contacts of the cards, or of another
        // program's CSV export.
        Import,
    };

    struct ReadResult {
        ImportFileKind::Kind kind = ImportFileKind::Kind::VCard; // how the file was read
        ContainerTablePtr containers; // a vCard document's, with its groups
        ContactTablePtr contacts;
        QString readError; // the file's or the decoder's
        bool headerFound = true; // a CSV document's header line
        bool cancelled = false;

        [[nodiscard]] bool hasContacts() const { return contacts && !contacts->isEmpty(); }
    };

    // The kind the content can't tell is `otherwise`. The progress window
    // shows at least the minimum duration.
    [[nodiscard]] ReadResult readFile(const QString &path, quint32 encoding, ImportFileKind::Kind otherwise,
        Reading reading, int minimumMilliseconds = 0);

    // The table's reading of dropped files (DroppedFileReader::Runner): the
    // work behind the progress window with the message, then the hand-over
    // behind it still shown, so that it stays from the drop until the
    // contacts are added; false when the user cancelled or nothing was
    // handed over.
    bool runDropReading(const QString &message, const std::function<void(const DroppedFileReader::Report &)> &work,
        const std::function<bool()> &handOver);

    // The contacts as vCard with photos, notes, joint names and postcard
    // layouts, through a save file that only a complete run commits, so that
    // a cancelled or failed write leaves a file of that name as it was. The
    // error of a failed write; empty when written or cancelled.
    [[nodiscard]] QString writeVCard(const QString &path, const ContactTablePtr &contacts);
    // The records in the CSV layout of the table; the error of a failed write.
    [[nodiscard]] static QString writeCsv(const QString &path, const ContactTable &records);

private:
    ProgressAlert &m_progress;
};
