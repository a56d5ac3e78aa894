#pragma once

#include <QString>

// Assigns a text only when it differs, a null text told apart from an empty
// one. A getter that brings a display text in line on every read writes
// nothing once it is: a job may be reading the same record meanwhile.
inline void assignIfChanged(QString &target, const QString &value)
{
    if (target != value || target.isNull() != value.isNull())
        target = value;
}
