#pragma once

#include "model/ContactRecord.h"

#include <QString>
#include <QStringList>

class ReadOnceText;

// Reads the system's older CSV document layout: one record per line, an
// optional header line whose first cell is "Name" naming the columns, fields
// split at "," with a quoted field running to the next double quote, across
// lines when it has to. Widget-free, safe on any thread.
class QuillmarkCsvReader {
public:
    // The columns of a file without header line, in order.
    [[nodiscard]] static const QStringList &fixedColumns();

    struct Result {
        ContactTablePtr contacts; // null for null text
        // False when a first line was read that is no header: the caller
        // tells the user the fixed order was taken.
        bool headerFound = true;
    };

    // Empty lines, the first ones too, are skipped; a record empty in every
    // field makes no contact.
    [[nodiscard]] static Result contactsFromQuillmarkCSV(const QString &text);
    // The same for a text no one reads after it: the memory of the records
    // read is given back as the reader goes.
    [[nodiscard]] static Result contactsFromQuillmarkCSV(QString &&text);

private:
    [[nodiscard]] static Result contactsOfText(const QString &text, ReadOnceText *once);
};
