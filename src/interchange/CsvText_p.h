#pragma once

#include <QString>
#include <QStringView>

// The cell rules of the CSV writers and of the reader of the system's own
// layout.
class CsvText {
public:
    CsvText() = delete;

    // Backslash as \\, tab as \t, line feed as \n, so that a cell is one line.
    [[nodiscard]] static QString escape(QStringView value);
    // Undoes escape(); a backslash before any other character stays.
    [[nodiscard]] static QString unescape(QStringView cell);
    // The value between double quotes, its own quotes doubled.
    [[nodiscard]] static QString quote(QStringView value);
    // Whether a cell must be quoted to be read back as one: it holds a comma,
    // a quote, a carriage return or the separator.
    [[nodiscard]] static bool needsQuotes(QStringView value, QStringView separator);
};
