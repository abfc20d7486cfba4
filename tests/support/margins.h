#pragma once

#include "decor/texture_settings.h"

namespace quillstone::testing {

// A colour for each margin.
inline constexpr ColorValue kTopMargin = MakeColor(10, 20, 30);
inline constexpr ColorValue kBottomMargin = MakeColor(40, 50, 60);
inline constexpr ColorValue kLeftMargin = MakeColor(0, 0, 255);
inline constexpr ColorValue kRightMargin = MakeColor(70, 80, 90);

// Margins switched on, top, bottom, left and right, each in its colour and without texture.
inline TextureSettings Margins(int top, int bottom, int left, int right,
                               TextureMode mode = TextureMode::kAfterWatermarking) {
  return {true, mode, {top, kTopMargin}, {bottom, kBottomMargin}, {left, kLeftMargin}, {right, kRightMargin}};
}

}  // namespace quillstone::testing
