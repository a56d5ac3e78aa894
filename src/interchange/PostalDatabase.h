#pragma once

#include "interchange/PostalData.h"

#include <QString>

#include <array>

// The postal cache: Japan Post's two tables, inflated, decoded and cut down to
// the columns the search needs. Position 0 is the area table, position 1 the
// large-office table; both positions are always filled, a table that could
// not be read being an empty text, so that neither search has to ask.
class PostalDatabase {
public:
    // Two empty texts.
    PostalDatabase() = default;

    // Reads both gzip files (paths or ":/" resources). A missing, unreadable,
    // corrupt or undecodable file leaves an empty text at its position.
    [[nodiscard]] static PostalDatabase fromFiles(const QString &kenAllPath, const QString &jigyosyoPath);

    [[nodiscard]] const QString &areaText() const { return m_texts[0]; }
    [[nodiscard]] const QString &officeText() const { return m_texts[1]; }

    // Lines of the source files that had too few columns or no line feed.
    [[nodiscard]] qsizetype skippedLines() const { return m_skippedLines; }

    // Bytes the two texts occupy.
    [[nodiscard]] qsizetype memoryBytes() const;

private:
    [[nodiscard]] static QString loadTable(const QString &path, PostalTable table, qsizetype &skippedLines);

    std::array<QString, 2> m_texts;
    qsizetype m_skippedLines = 0;
};
