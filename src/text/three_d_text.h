#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "platform/font.h"
#include "platform/glyph_region.h"
#include "platform/text_painter.h"
#include "text/text_line_format.h"
#include "text/text_settings.h"

namespace quillstone {

// A pixel offset: dx to the right, dy downwards.
struct PixelOffset {
  int dx = 0;
  int dy = 0;
  friend bool operator==(const PixelOffset&, const PixelOffset&) = default;
};

// The eight outline directions in drawing order: top/left, top, top/right, left, right,
// bottom/left, bottom, bottom/right.
inline constexpr std::array<PixelOffset, kThreeDDirectionCount> kThreeDDirections{
    {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

// One copy of a line drawn before the line itself.
struct OutlineCopy {
  PixelOffset offset;
  bool doubleColor = false;  // the line's 3d-double colour, else its 3d-single colour
  friend bool operator==(const OutlineCopy&, const OutlineCopy&) = default;
};

// The outline copies of every line, in drawing order; empty when 3D is off. With "Double"
// strength: for k = 2 .. additional strength (limited to 2..10), each enabled direction at
// k pixels in the double colour; then, with either strength, each enabled direction at one
// pixel in the single colour.
std::vector<OutlineCopy> ThreeDOutlineCopies(const ThreeDSettings& threeD);

// How far the copies reach from the line: the largest offset in either direction.
int OutlineReach(const std::vector<OutlineCopy>& copies);

// Draws the outline copies of the painter's line around (x, y) in the line's colours.
void Draw3DOutlines(TextPainter& painter, int x, int y, const TextLineFormat& format,
                    const std::vector<OutlineCopy>& copies);

// Shiny text: fills the glyphs of the text, drawn at (x, y) on the strip, with the image
// rows that the strip covers (strip row 0 is image row stripTop), unchanged or inverted.
// region is working memory.
void DrawShinyLine(const Font& font, std::string_view text, int x, int y, const RasterImage& image,
                   int stripTop, bool invertedSource, GlyphRegion& region, RasterImage& strip);

}  // namespace quillstone
