#pragma once

#include <array>

#include "imaging/color_value.h"

namespace quillstone {

// The nine logo places, in the order the logo stage processes them.
enum class LogoPlace : int {
  kTopLeft = 0,   // c1
  kTopCenter,     // c2
  kTopRight,      // c3
  kMiddleRight,   // c4
  kBottomRight,   // c5
  kBottomCenter,  // c6
  kBottomLeft,    // c7
  kMiddleLeft,    // c8
  kCenter,        // c9
};
inline constexpr int kLogoPlaceCount = 9;

// The angles the window offers for a tiled logo, in the order of its list.
inline constexpr std::array<int, 5> kTileAngles{0, 30, 45, -30, -45};

struct LogoSettings {
  int alpha = 50;                                  // logo share in percent, 0..100
  std::array<bool, kLogoPlaceCount> places{true};  // c1..c9; only c1 on
  bool useTransparentColor = true;                 // skip logo pixels of the transparent colour
  ColorValue transparentColor = colors::kBlack;
  bool colorNeutral = false;  // logo modulates the image's brightness
  bool plain = true;          // colour-neutral ratio never brightens
  // Sized per image: the logo's longer side becomes this share of the image's shorter side.
  bool relativeSize = false;
  int relativePercent = 10;  // 1..100
  // Tiled over the whole image instead of placed at the nine places.
  bool tile = false;
  int tileSpacing = 50;  // the gap between tiles in percent of the logo's side, 0..400
  int tileAngle = 0;     // degrees the tiled logo is turned counter-clockwise, -45..45
  friend bool operator==(const LogoSettings&, const LogoSettings&) = default;
};

}  // namespace quillstone
