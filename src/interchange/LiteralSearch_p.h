#pragma once

#include <QStringView>

// Literal, case-sensitive substring search over the postal texts. Every
// keystroke in the postal-code sheet scans several megabytes of UTF-16, and the
// patterns begin with characters that occur on every line (the double quote of
// a postal-code column), so the search filters eight positions at a time on
// the pattern's first and last character before comparing the rest.
namespace LiteralSearch {

// Position of the first occurrence of `pattern` in `text` at or after `from`,
// or -1.
[[nodiscard]] qsizetype find(QStringView text, qsizetype from, QStringView pattern);

// Start of the line that holds position `position`.
[[nodiscard]] qsizetype lineStart(QStringView text, qsizetype position);

// End of the line that holds position `position`, just past its line feed (or
// the end of the text when the line has none).
[[nodiscard]] qsizetype lineEnd(QStringView text, qsizetype position);

} // namespace LiteralSearch
