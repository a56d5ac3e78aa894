#include "platform/contacts/StoreDateComponents.h"

QDate StoreDateComponents::date() const
{
    if (!year || !month || !day)
        return {};
    return QDate(*year, *month, *day);
}

StoreDateComponents StoreDateComponents::fromDate(QDate date)
{
    if (!date.isValid())
        return {};
    return {date.year(), date.month(), date.day()};
}
