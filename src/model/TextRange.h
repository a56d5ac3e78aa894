#pragma once

#include <QtGlobal>

#include <limits>

// A stretch of text in UTF-16 units, the unit every text position of the
// program counts in. A location of NotFound means no stretch at all.
struct TextRange {
    static constexpr qsizetype NotFound = std::numeric_limits<qsizetype>::max();

    qsizetype location = NotFound;
    qsizetype length = 0;

    [[nodiscard]] bool isFound() const { return location != NotFound; }
    // Whether the range is a real one that lies inside a text of that many
    // units, without overflowing on the way.
    [[nodiscard]] bool liesWithin(qsizetype textLength) const
    {
        return location >= 0 && length >= 0 && location <= textLength && length <= textLength - location;
    }

    friend bool operator==(const TextRange &, const TextRange &) = default;
};
