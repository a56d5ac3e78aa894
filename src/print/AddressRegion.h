#pragma once

#include <QString>

// The state and the city of a printed address as one text: run together, as
// Japanese addresses are written (東京都中央区), but with one space where the
// state ends and the city begins with a Latin letter or digit, so that a
// Western address reads "IL Springfield" and not "ILSpringfield".
class AddressRegion {
public:
    AddressRegion() = delete;

    [[nodiscard]] static QString joined(const QString &state, const QString &city);
};
