#pragma once

#include <QString>

// An account that holds contacts and groups. A store has its local container
// ("On This Computer"), made when the store file is created; the other types
// exist so that account containers can be represented.
struct StoreContainer {
    enum class Type { Unassigned = 0, Local = 1, Exchange = 2, CardDAV = 3 };

    QString identifier;
    QString name;
    Type type = Type::Unassigned;

    friend bool operator==(const StoreContainer &, const StoreContainer &) = default;
};
