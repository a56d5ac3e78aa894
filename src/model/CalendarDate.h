#pragma once

#include "platform/contacts/StoreDateComponents.h"

#include <QDate>

#include <optional>

// Dates of contacts as the sorts compare them.
namespace CalendarDate {

// The date the parts name, a missing year, month or day counting as 1 (a
// birthday known only by month and day sorts in the year 1); nullopt when
// there are no parts or they name no real date (February 30).
[[nodiscard]] std::optional<QDate> sortDateFromComponents(const std::optional<StoreDateComponents> &components);

} // namespace CalendarDate
