#pragma once

#include "model/ContactIdentifier.h"

#include <QImage>
#include <QString>

// The small pictures beside the field names of a contact's details: one per
// kind of field, our own drawings compiled in under ":/".
class FieldIcons {
public:
    // The resource of the field's picture; empty for a field without one
    // (joint names, the name ordering and display, anything unknown).
    [[nodiscard]] static QString resourceForType(const ContactIdentifier &type);
    // The picture, read once; null for a field without one.
    [[nodiscard]] static QImage iconForType(const ContactIdentifier &type);
};
