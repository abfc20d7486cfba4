#pragma once

#include <cstdint>

namespace quillstone {

// A packed colour 0x00BBGGRR: red in the low byte. Every colour setting is one of these.
// Note that raster pixels are stored the other way round (blue, green, red).
using ColorValue = std::uint32_t;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb SplitColor(ColorValue c) {
  return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
          static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

constexpr ColorValue MakeColor(int r, int g, int b) {
  return static_cast<ColorValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr ColorValue MakeColor(Rgb c) {
  return MakeColor(c.r, c.g, c.b);
}

// The ink that stays readable on a swatch of colour c: white on dark colours, black on
// light ones (luminance 0.3 r + 0.59 g + 0.11 b against 127.5).
ColorValue ContrastColor(ColorValue c);

// (a * fg) div 100 + ((100 - a) * bg) div 100 with each term truncated; a in 0..100,
// fg and bg in 0..255. The result never leaves 0..255.
constexpr std::uint8_t PercentBlend(int a, int fg, int bg) {
  return static_cast<std::uint8_t>((a * fg) / 100 + ((100 - a) * bg) / 100);
}

namespace colors {
inline constexpr ColorValue kBlack = 0x00000000;
inline constexpr ColorValue kWhite = 0x00FFFFFF;
inline constexpr ColorValue kRed = 0x000000FF;
inline constexpr ColorValue kGreen = 0x0000FF00;
inline constexpr ColorValue kBlue = 0x00FF0000;
inline constexpr ColorValue kNavy = 0x00800000;
// The desktop's face colour of buttons and panels, used as the initial paper colour.
inline constexpr ColorValue kButtonFace = 0x00F0F0F0;
}  // namespace colors

}  // namespace quillstone
