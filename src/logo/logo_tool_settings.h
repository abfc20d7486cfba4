#pragma once

#include <string>

#include "imaging/color_value.h"
#include "logo/logo_autocrop.h"

namespace quillstone {

// The logo tools of the main window's "Logo effects" panel. Member defaults are the
// panel's initial values.
struct LogoToolSettings {
  int angle = 0;                                 // rotation in whole degrees, 0..359
  ColorValue rotationFill = colors::kBlack;      // box pixels outside the turned logo
  CropCorner cropCorner = CropCorner::kTopLeft;  // "Crop color selection"
  friend bool operator==(const LogoToolSettings&, const LogoToolSettings&) = default;
};

// The degree label beside the angle bar: the angle followed by " deg.".
inline std::string AngleLabel(int angle) {
  return std::to_string(angle) + " deg.";
}

}  // namespace quillstone
