#pragma once

#include <memory>
#include <string_view>

#include "imaging/color_value.h"
#include "platform/canvas.h"
#include "platform/font.h"

namespace quillstone {

// Draws one string in one font on a Canvas, as often as needed (a line and its outline
// copies): anti-aliased, in a solid colour, with a transparent background, clipped to the
// raster. The canvas and the font must outlive the painter; the canvas's own drawing state
// is restored when the painter goes.
class TextPainter {
 public:
  TextPainter(Canvas& canvas, const Font& font, std::string_view text);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Draws the text with its cell's top-left corner at (x, y); x and y may be negative.
  void Draw(int x, int y, ColorValue color);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillstone
