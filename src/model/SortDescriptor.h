#pragma once

#include <QString>

// How to sort a list: the key names what is compared (for the contact
// record's labeled fields, the field identifier) and the direction.
struct SortDescriptor {
    QString key;
    bool ascending = true;
};
