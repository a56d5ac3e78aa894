#pragma once

#include <QString>

// A profile on a social service; the service is one of the names in
// ContactLabels or any other text.
struct StoreSocialProfile {
    QString urlString{};
    QString username{};
    QString userIdentifier{};
    QString service{};

    friend bool operator==(const StoreSocialProfile &, const StoreSocialProfile &) = default;
};
