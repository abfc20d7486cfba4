#pragma once

#include <array>

#include "effects/color_style.h"
#include "imaging/color_value.h"

namespace quillstone {

inline constexpr int kPaperCount = 3;

struct ColorEffectSettings {
  ColorValue color = colors::kBlue;  // colour of the overlay and band styles
  bool randomColor = false;          // a random colour for every visited pixel
  int blending = 50;                 // colour share in percent, 1..100
  int step = 5;                      // only every n-th column or row is coloured, 1..20
  // a ColorStyle, stored as its number (the list index)
  int style = ColorStyleIndex(ColorStyle::kAllFourSides);
  int strengthItem = 4;  // selected strength item 0..9 ("01".."10"), -1 for none
  int mosaicRows = 2;    // row block height of the vertical mosaic, 2..50
  std::array<ColorValue, kPaperCount> paperColors{colors::kButtonFace, colors::kButtonFace,
                                                  colors::kButtonFace};
  std::array<int, kPaperCount> paperStrengths{5, 5, 5};  // random shape extent, 1..25
  friend bool operator==(const ColorEffectSettings&, const ColorEffectSettings&) = default;
};

}  // namespace quillstone
