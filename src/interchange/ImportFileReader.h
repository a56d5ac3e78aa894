#pragma once

#include "interchange/ImportFileKind.h"
#include "interchange/MVvCard.h"
#include "interchange/TextFileDecoder.h"

#include <QCoreApplication>
#include <QString>

// Reads a file the user hands over for import (open panel, drop) into text
// and, for vCard files, into contacts; no widgets, safe on any thread.
//
//   TextFileDecoder::Result read = ImportFileReader::readText(path, TextEncodingTable::Automatic);
//   if (!read.ok()) { alert unreadableMessage() with unreadableInformativeText(kind, read.errorDescription); }
//   ContactTablePtr contacts = ImportFileReader::contactsFromVCardText(read, handler);
//
// Only regular files are read (a FIFO would block the reader forever, a device
// never ends), and none over maximumBytes: the readers need up to fifteen
// times a file's size in memory. The encoding is the one picked by the user,
// or TextEncodingTable::Automatic to have it recognised.
class ImportFileReader {
    Q_DECLARE_TR_FUNCTIONS(ImportFileReader)

public:
    static constexpr qint64 maximumBytes = qint64(128) * 1024 * 1024;

    // The text, the encoding it was read in and its charset name, or the
    // error description an alert shows as informative text.
    [[nodiscard]] static TextFileDecoder::Result readText(const QString &path, quint32 encoding);

    // The contacts of every card in text read by readText, in file order. The
    // charset the text was decoded in goes to the reader, which takes it for
    // QUOTED-PRINTABLE and BASE64 values that name none. Null when the handler
    // stopped the reader; empty when no card was found.
    [[nodiscard]] static ContactTablePtr contactsFromVCardText(
        const TextFileDecoder::Result &read, const vCardProgressHandler &progressHandler = nullptr);
    // The same for a read no one needs after it: its text is given back to
    // the system as the cards are read (see MVvCard::containersFromVCards).
    [[nodiscard]] static ContactTablePtr contactsFromVCardText(
        TextFileDecoder::Result &&read, const vCardProgressHandler &progressHandler = nullptr);

    // The alert of a file read as vCard or CSV that gave no contacts: every
    // way in (import, drop) tells the user the same. The read error is empty
    // when the text was read but held none.
    [[nodiscard]] static QString unreadableMessage();
    [[nodiscard]] static QString unreadableInformativeText(ImportFileKind::Kind kind, const QString &readError);
};
