#pragma once

#include "interchange/TextEncodingTable.h"

class VCardUnfoldedBytes;

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

// Reads a text file in the encoding the user chose, or in the one recognised
// for "Automatic" (TextEncodingTable::Automatic). A chosen encoding must
// decode every byte; recognition tries, in this order: a byte-order mark,
// UTF-8, the first CHARSET= parameter of the file's head (phone cards declare
// Shift_JIS, which the statistics would take for a Western encoding), ICU's
// detector when it is sure, Shift_JIS under a Japanese interface, and the
// detector's best guess, which may put U+FFFD in place of bad bytes. Files
// with NUL bytes, or bad bytes on most lines, are no text files. vCard text
// has its folded lines joined before it is decoded, so that a character that
// an exporter split across two lines comes back whole.
class TextFileDecoder {
    Q_DECLARE_TR_FUNCTIONS(TextFileDecoder)

public:
    // How much of a file's head the recognition looks at.
    static constexpr qsizetype sampleBytes = 64 * 1024;

    struct Result {
        QString text;
        quint32 encoding = TextEncodingTable::Automatic; // the encoding the text was read in
        QString errorDescription; // what the import alert shows; empty when the text was read

        [[nodiscard]] bool ok() const { return errorDescription.isEmpty(); }
        // The encoding's name, which the vCard reader takes for encoded
        // values that name no charset; empty when nothing was read.
        [[nodiscard]] QString charset() const
        {
            const TextEncodingTable::Encoding *row = TextEncodingTable::encoding(encoding);
            return row ? row->name : QString();
        }
    };

    [[nodiscard]] static Result readTextFile(const QString &path, quint32 encoding);
    // The same for bytes already read; the name is the file's in messages.
    [[nodiscard]] static Result decode(QByteArrayView bytes, quint32 encoding, const QString &fileName);

private:
    // The file as messages name it; offsets in them are the file's own.
    struct Source {
        QString fileName;
        const VCardUnfoldedBytes *unfolded = nullptr;

        [[nodiscard]] qint64 originalOffset(qint64 offset) const;
    };

    struct Guess {
        quint32 encoding = TextEncodingTable::Automatic;
        int confidence = 0;
    };

    [[nodiscard]] static Result decodeStrictly(QByteArrayView bytes, quint32 encoding, const Source &source);
    [[nodiscard]] static Result recognise(QByteArrayView bytes, const Source &source);
    [[nodiscard]] static Result recogniseWithNulBytes(QByteArrayView bytes, const Source &source);
    [[nodiscard]] static Result guessLeniently(QByteArrayView bytes, const Guess &guess, const Source &source);
    [[nodiscard]] static Result decodeAs(QByteArrayView bytes, quint32 encoding, const Source &source);
    [[nodiscard]] static bool isVCardText(QByteArrayView head);
    [[nodiscard]] static quint32 byteOrderMarkEncoding(QByteArrayView bytes);
    [[nodiscard]] static quint32 declaredCharset(QByteArrayView head);
    // The detector's best match that names an encoding of the list.
    [[nodiscard]] static Guess detectorGuess(QByteArrayView head);
    [[nodiscard]] static Result notText(const Source &source);
};
