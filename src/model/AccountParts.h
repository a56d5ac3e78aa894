#pragma once

#include "model/HeapText.h"

#include <QString>

// The account keys of a labeled value. "Email": the parts around the first
// at sign. "Social Network" and "Instant Message" keep their user name under
// the same key "username"; only social profiles have the last two.
struct AccountParts {
    QString username; // "username"
    QString domain; // "domain"
    QString service; // "service": social and instant-message service
    HeapString urlString; // "urlString": social profile URL
    HeapString userIdentifier; // "userIdentifier": social profile user identifier

    bool operator==(const AccountParts &) const = default;
};
