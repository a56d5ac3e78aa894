#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The steps that turn a compressed Japan Post table into the text the
// postal-code search scans.

// Which of Japan Post's two tables a text comes from.
enum class PostalTable {
    KenAll, // codes by area, "ken_all"
    Jigyosyo, // individual codes of large business offices, "jigyosyo"
};

// Inflates a zlib or a gzip stream (the header tells which). An empty input is
// returned as it is; a corrupt or truncated stream gives nothing.
[[nodiscard]] std::optional<QByteArray> InflateGzipData(QByteArrayView data);

// Decodes Shift_JIS with the vendor extensions the tables use (Windows-31J).
// A byte sequence that is not Windows-31J gives nothing rather than a text with
// replacement characters.
[[nodiscard]] std::optional<QString> DecodeWindows31J(QByteArrayView bytes);

// Cuts each line of a table down to the seven columns the search needs:
// "K," and columns 2 to 8 of an area line, "J," and columns 1 to 7 of an office
// line, each followed by a comma, then a line feed. Columns are split at every
// comma (the tables hold none inside a column) and keep their double quotes.
// A line with too few columns, and a last line without its line feed, are
// skipped, logged and counted in `skippedLines`.
[[nodiscard]] QString ReformatPostalText(QStringView text, PostalTable table, qsizetype *skippedLines = nullptr);
