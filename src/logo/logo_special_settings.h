#pragma once

#include "imaging/color_value.h"

namespace quillstone {

// What a press in the logo editor's picture does.
enum class LogoMouseMode : int { kColorSelection = 0, kCropSelection = 1 };

// Which slot of "Change selected color to" a click into the picture fills.
enum class ColorSlot : int { kSource = 0, kTarget = 1 };

// The logo editor's settings; they live as long as the program and start at these values
// (the window's initial values).
struct LogoSpecialSettings {
  int resizePercent = 100;  // 1..200
  bool smooth = true;       // box resampling, else plain stretch
  LogoMouseMode mouseMode = LogoMouseMode::kColorSelection;
  ColorValue heldColor = colors::kBlack;          // the colour last clicked in the picture
  ColorValue otherColorsTarget = colors::kBlack;  // "Change other colors to"
  ColorValue sourceSlot = colors::kBlack;         // "Change selected color to": from
  ColorValue targetSlot = colors::kBlack;         // ... and to
  ColorSlot activeSlot = ColorSlot::kSource;      // the slot whose check box is on
  friend bool operator==(const LogoSpecialSettings&, const LogoSpecialSettings&) = default;
};

}  // namespace quillstone
