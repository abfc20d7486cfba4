#pragma once

#include <cmath>

namespace quillstone {

// Nearest integer with halves up (2.5 -> 3), for x >= 0. A float argument widens exactly,
// so the addition is exact and a value just below one half never rounds up.
inline int RoundHalfUp(double x) {
  return static_cast<int>(std::floor(x + 0.5));
}

// Nearest integer with halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2),
// whatever the floating-point rounding mode.
inline long long RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double fraction = x - floor;
  auto result = static_cast<long long>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

}  // namespace quillstone
