#pragma once

#include "imaging/color_value.h"

namespace quillstone {

inline constexpr int kMinFrameWidth = 1;
inline constexpr int kMaxFrameWidth = 100;

struct FrameSettings {
  bool outerOn = true;
  bool innerOn = true;
  ColorValue outerColor = colors::kRed;
  ColorValue innerColor = colors::kWhite;
  int outerWidth = 1;  // pixels, 1..100
  int innerWidth = 1;  // pixels, 1..100
  friend bool operator==(const FrameSettings&, const FrameSettings&) = default;
};

}  // namespace quillstone
