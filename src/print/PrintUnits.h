#pragma once

// Lengths on paper are kept in points, as the print system measures them:
// 72 to the inch, and 25.4 mm to the inch.
namespace PrintUnits {

inline constexpr double pointsPerInch = 72.0;
inline constexpr double millimetresPerInch = 25.4;

} // namespace PrintUnits
