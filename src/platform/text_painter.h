#pragma once

#include <memory>
#include <string_view>

#include "imaging/color_value.h"
#include "platform/canvas.h"
#include "platform/font.h"

namespace quillstone {

// Draws one string in one font on a Canvas, as often as needed (a line and its outline
// copies): anti-aliased, in a solid colour, with a transparent background, clipped to the
// raster. The string's coverage is rasterised once, when the painter is made; each Draw
// then lays the colour through that coverage at its position, so a line and its shifted
// copies have the same glyph pixels. The canvas must outlive the painter.
class TextPainter {
 public:
  // The text will be drawn at positions at most reach pixels away from (x, y) in either
  // direction; only the part of it that can land on the raster from there is rasterised,
  // so a line far wider than the raster costs no more memory than the raster's width.
  TextPainter(Canvas& canvas, const Font& font, std::string_view text, int x, int y, int reach = 0);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Draws the text with its cell's top-left corner at (x, y), within the reach given when
  // the painter was made; x and y may be negative.
  // Where the glyphs cover a pixel fully it takes the colour exactly; partly covered
  // pixels mix colour and pixel by the coverage.
  void Draw(int x, int y, ColorValue color);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillstone
