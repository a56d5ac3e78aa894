#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// vCard bytes with their folded lines joined before they are decoded:
// exporters fold at 75 octets even inside a multi-byte character, whose two
// halves decode whole only once the line end and the blank between them are
// gone. A CRLF or LF followed by one space or tab is removed, as the text
// reader would remove it, except where that reader keeps it: before a line of
// blanks alone and after a QUOTED-PRINTABLE soft break ("=" at a line end),
// which the quoted-printable decoding joins itself. Works for every encoding
// in which line ends, blanks and ASCII letters are single bytes of their own
// (UTF-8, Shift_JIS, EUC-JP, the ISO-8859 and Windows families), not UTF-16.
class VCardUnfoldedBytes {
public:
    explicit VCardUnfoldedBytes(QByteArrayView bytes);

    [[nodiscard]] const QByteArray &bytes() const { return m_bytes; }
    // The offset in the bytes given of an offset in the joined ones, for
    // messages that name a byte of the file.
    [[nodiscard]] qsizetype originalOffset(qsizetype joinedOffset) const;

private:
    struct Fold {
        qsizetype joinedOffset = 0; // where the removed octets stood in the joined bytes
        qsizetype size = 0;
    };

    [[nodiscard]] static bool isBlankLine(QByteArrayView rest);
    [[nodiscard]] static bool endsInSoftBreak(QByteArrayView logicalLine);

    QByteArray m_bytes;
    QList<Fold> m_folds;
};
