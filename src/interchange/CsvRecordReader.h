#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

// Reads comma-separated text record by record, as RFC 4180 has it: a cell
// that begins with a double quote runs to the quote that closes it, so it may
// hold separators, line breaks and doubled quotes (each standing for one).
// Records end at a carriage return, a line feed or both.
//
// Files written by other programs are not always that tidy, so the reader is
// lenient where the RFC is silent: text after a closing quote is kept as part
// of the cell, and a quote that is never closed is an ordinary character of an
// unquoted cell (a stray quote must not swallow the rest of a long file).
class CsvRecordReader {
public:
    // The text must outlive the reader.
    explicit CsvRecordReader(QStringView text, QChar separator = u',');

    // Reads the next record into cells; false when the text is used up.
    bool next(QStringList &cells);

    // Characters of the record last read, without its line end.
    [[nodiscard]] qsizetype recordLength() const { return m_recordLength; }
    // Where the next record starts.
    [[nodiscard]] qsizetype position() const { return m_position; }

    // The separator of a file from its first record: a comma, unless that
    // record has none outside quotes but has a semicolon or a tab, as
    // spreadsheets write for some languages.
    [[nodiscard]] static QChar detectSeparator(QStringView text);

private:
    // Reads one cell starting at m_position; leaves m_position on the
    // character after it (a separator, a line end or the end).
    [[nodiscard]] QString readCell();
    [[nodiscard]] bool readQuotedCell(QString &cell);
    void appendUnquoted(QString &cell);
    [[nodiscard]] bool atLineEnd() const;

    QStringView m_text;
    QChar m_separator;
    qsizetype m_position = 0;
    qsizetype m_recordLength = 0;
};
