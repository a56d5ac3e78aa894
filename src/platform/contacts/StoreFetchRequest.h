#pragma once

#include "platform/contacts/StorePredicate.h"

#include <QStringList>

// A contact enumeration: which contacts (predicate) and which of their fields
// (keys of ContactKeys). The store keeps no links between contacts, so a
// unified result is the contact itself, and every fetched contact can be
// changed and saved, so mutableObjects changes nothing; both are kept so that
// callers can say what they mean.
struct StoreFetchRequest {
    QStringList keysToFetch;
    StorePredicate predicate;
    bool unifyResults = true;
    bool mutableObjects = false;
};
