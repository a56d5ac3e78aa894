#pragma once

#include <QString>

// A user name on an instant-message service (a name of ContactLabels or any
// other text).
struct StoreInstantMessageAddress {
    QString username;
    QString service;

    friend bool operator==(const StoreInstantMessageAddress &, const StoreInstantMessageAddress &) = default;
};
