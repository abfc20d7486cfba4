#pragma once

#include "imaging/color_value.h"

namespace quillstone {

// The largest margin a side may have, in pixels.
inline constexpr int kMaxTextureMargin = 1000;

enum class TextureMode : int { kBeforeWatermarking = 0, kAfterWatermarking = 1 };

// Placement of the texture in a band: along the band for top and bottom (Left, Right),
// across it for left and right (Top, Bottom). Both lists share the values.
enum class TextureAlign : int { kStretch = 0, kStart = 1, kEnd = 2, kCenter = 3 };

struct TextureSide {
  int margin = 0;  // pixels, 0..1000
  ColorValue color = colors::kBlack;
  bool useTexture = false;
  TextureAlign align = TextureAlign::kStretch;
  friend bool operator==(const TextureSide&, const TextureSide&) = default;
};

struct TextureSettings {
  bool enabled = false;  // "Expand image"
  TextureMode mode = TextureMode::kAfterWatermarking;
  TextureSide top;
  TextureSide bottom;
  TextureSide left;
  TextureSide right;
  friend bool operator==(const TextureSettings&, const TextureSettings&) = default;
};

}  // namespace quillstone
