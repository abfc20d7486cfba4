#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quillstone {

// What a font is made from: face name, size in points and style set.
struct FontDescription {
  std::string face;
  int points = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// Fonts are sized at a fixed 96 dots per inch, whatever the screen, so the window and the
// command line lay text out alike on every machine.
inline constexpr int kFontDotsPerInch = 96;
// Pixel sizes are limited to this range; larger requests are drawn at the largest size.
inline constexpr int kMaxFontPixels = 8192;

// The em height in pixels of a font of the given size: points * 96 / 72 rounded to the
// nearest pixel, halves up (8 pt -> 11 px, 9 pt -> 12 px, 10 pt -> 13 px), limited to
// 1..kMaxFontPixels.
constexpr int FontPixelSize(int points) {
  const long long px = (static_cast<long long>(points) * kFontDotsPerInch + 36) / 72;
  return px < 1 ? 1 : (px > kMaxFontPixels ? kMaxFontPixels : static_cast<int>(px));
}

// A font ready for measuring and drawing, with anti-aliased glyphs and no hinting (so
// widths do not depend on the machine's font configuration). A face that is not
// installed is replaced by the closest installed one. Needs a QGuiApplication.
// Text is UTF-8.
class Font {
 public:
  explicit Font(const FontDescription& description);
  ~Font();
  Font(Font&&) noexcept;
  Font& operator=(Font&&) noexcept;

  const FontDescription& Description() const { return description_; }
  // Advance width of the text in pixels.
  int Width(std::string_view text) const;
  // Cell height in pixels: ascent + descent. The same for every text in this font.
  int Height() const;
  // Distance in pixels from the cell's top to the baseline.
  int Ascent() const;

  // For the drawing functions of the platform layer.
  struct Impl;
  const Impl& impl() const { return *impl_; }

 private:
  FontDescription description_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillstone
