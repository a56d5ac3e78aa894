#pragma once

#include <QString>

// A related person, known by name only.
struct StoreContactRelation {
    QString name;

    friend bool operator==(const StoreContactRelation &, const StoreContactRelation &) = default;
};
