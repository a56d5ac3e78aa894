#pragma once

#include <QByteArrayView>
#include <QString>

// Whether a file handed over to open, import or drop holds vCard or CSV
// text. Phones and mail programs save cards under any name ("contacts.txt"),
// so the content decides where it can: a file that begins, after a byte-order
// mark and white space, in UTF-8 or UTF-16, with "BEGIN:VCARD" is vCard.
// Anything else is left to what the caller knows without the content: the
// file's extension, or the command the user chose. No widgets; any thread.
//
//   const ImportFileKind::Kind kind = ImportFileKind::ofFile(path, ImportFileKind::Kind::Csv);
class ImportFileKind {
public:
    enum class Kind { Undecided, VCard, Csv };

    // How much of a file's head the check reads: white space before the
    // first card is a line or two, never pages.
    static constexpr qsizetype headBytes = 4096;

    // The shared check on the first bytes of a file.
    [[nodiscard]] static bool beginsWithVCard(QByteArrayView head);

    // ".vcf" and ".vcard" are vCard, ".csv" and ".txt" CSV, in any letter case.
    [[nodiscard]] static Kind ofExtension(const QString &path);

    // VCard when the file's head says so, otherwise the fallback. Only a
    // regular file is looked into: a FIFO would block the caller forever.
    [[nodiscard]] static Kind ofFile(const QString &path, Kind fallback);
};
