#pragma once

#include <QDate>

#include <optional>

// A calendar date whose parts may be missing: a birthday without a year, or
// an anniversary known only by its month and day. Gregorian calendar.
struct StoreDateComponents {
    std::optional<int> year;
    std::optional<int> month;
    std::optional<int> day;

    // The date these parts give; invalid unless year, month and day are all
    // present and form a real date.
    [[nodiscard]] QDate date() const;
    [[nodiscard]] bool isEmpty() const { return !year && !month && !day; }

    [[nodiscard]] static StoreDateComponents fromDate(QDate date);

    friend bool operator==(const StoreDateComponents &, const StoreDateComponents &) = default;
};
