#pragma once

#include <QString>
#include <QStringView>

// The first layer of the vCard reader: cuts the text into physical lines (CRLF,
// LF, a lone CR or CRs before an LF, mixed as real files mix them) and joins them into logical
// content lines:
// - a line that begins with a space or a tab continues the one before it
//   (one white-space character is dropped, however many there are);
// - a QUOTED-PRINTABLE line that ends in "=" continues on the next line as it
//   stands (the soft line break of vCard 2.1);
// - after a vCard 2.1 BASE64 property, lines without a colon belong to its
//   value until a blank line.
// Blank lines (and lines of blanks alone) are skipped. A logical line is a view into the input when it was
// not folded, else into a buffer that the next call reuses.
class VCardUnfolder {
public:
    explicit VCardUnfolder(QStringView text);
    // The same unfolder on a text of its own, from its start; the room of
    // joined lines is kept for it.
    void restart(QStringView text);

    // Moves to the next logical line; false at the end of the text.
    bool next();

    [[nodiscard]] QStringView line() const { return m_line; }
    // 1-based number of the physical line on which the logical line starts.
    [[nodiscard]] int lineNumber() const { return m_lineNumber; }
    // The logical line as the text has it: from the start of its first
    // physical line to the end of its last one, the line ends between them
    // included and the last one's left out.
    [[nodiscard]] QStringView written() const { return m_text.sliced(m_writtenStart, m_writtenEnd - m_writtenStart); }

private:
    // The physical line at m_pos without its line end; advances m_pos.
    QStringView takePhysicalLine();
    [[nodiscard]] QStringView peekPhysicalLine() const;
    void skipPeekedLine();
    // Appends the following physical lines that continue the current one.
    void joinContinuations(QStringView first);
    void appendToBuffer(QStringView first, QStringView part);
    [[nodiscard]] static bool isQuotedPrintable(QStringView line);
    [[nodiscard]] static bool isBase64(QStringView line);

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_physicalLine = 0;
    QString m_buffer;
    bool m_usingBuffer = false;
    // Every physical line is looked at before it is taken; the scan for its
    // end is done once.
    mutable qsizetype m_peekedAt = -1;
    mutable qsizetype m_peekedSize = 0;
    QStringView m_line;
    int m_lineNumber = 0;
    qsizetype m_writtenStart = 0;
    qsizetype m_writtenEnd = 0;
};
