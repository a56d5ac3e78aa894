#pragma once

#include <QDate>
#include <QPoint>
#include <QSize>
#include <QString>

#include <ostream>

// Lets GoogleTest show mismatching Qt values as text instead of bytes.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QPoint &point, std::ostream *out)
{
    *out << '(' << point.x() << ", " << point.y() << ')';
}

inline void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << " x " << size.height();
}

inline void PrintTo(const QDate &date, std::ostream *out)
{
    *out << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : "invalid date");
}
