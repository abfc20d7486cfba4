#pragma once

#include <cstdint>

namespace quillstone {

// Floating values become integers by truncation toward zero throughout the render.
constexpr int Trunc(double x) {
  return static_cast<int>(x);
}

// Limits a signed channel value to 0..255.
constexpr std::uint8_t Clamp255(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

}  // namespace quillstone
