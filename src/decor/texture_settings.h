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

// The four margins, in the order the texture window lists them.
enum class MarginSide : int { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };

struct TextureSettings {
  bool enabled = false;  // "Expand image"
  TextureMode mode = TextureMode::kAfterWatermarking;
  TextureSide top;
  TextureSide bottom;
  TextureSide left;
  TextureSide right;

  TextureSide& side(MarginSide which) {
    switch (which) {
      case MarginSide::kTop:
        return top;
      case MarginSide::kBottom:
        return bottom;
      case MarginSide::kLeft:
        return left;
      case MarginSide::kRight:
        break;
    }
    return right;
  }
  friend bool operator==(const TextureSettings&, const TextureSettings&) = default;
};

}  // namespace quillstone
