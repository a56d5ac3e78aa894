#include "model/CalendarDate.h"

std::optional<QDate> CalendarDate::sortDateFromComponents(const std::optional<StoreDateComponents> &components)
{
    if (!components || components->isEmpty())
        return std::nullopt;
    const QDate date(components->year.value_or(1), components->month.value_or(1), components->day.value_or(1));
    if (!date.isValid())
        return std::nullopt;
    return date;
}
