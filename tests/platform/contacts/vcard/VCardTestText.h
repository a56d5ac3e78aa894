#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

// Qt strings as std::string for assertions, so that a failure shows text (one
// list item a line) rather than bytes.
inline std::string text(const QString &value)
{
    return value.toStdString();
}

inline std::string text(const QStringList &lines)
{
    return lines.join(u'\n').toStdString();
}
