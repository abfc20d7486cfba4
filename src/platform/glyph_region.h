#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "platform/font.h"

namespace quillstone {

// The pixels inside the glyph outlines of a string, as a region has them: no
// anti-aliasing, a pixel is inside when its centre is. Kept as a mask over the part of the
// outlines' bounding box that lies inside the clip area. Reuse one object to reuse its
// memory.
class GlyphRegion {
 public:
  // Records the outlines of the text as it would be drawn in the font with its cell's
  // top-left corner at (x, y), keeping only 0 <= x < clipWidth, 0 <= y < clipHeight.
  // Nothing is painted. A font without outlines gives an empty region.
  void Record(const Font& font, int x, int y, std::string_view text, int clipWidth, int clipHeight);
  void Clear() { width_ = height_ = 0; }

  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // The mask's box in clip-area coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Row y (0..Height()-1) of the mask, Width() bytes, non-zero inside the outlines.
  const std::uint8_t* MaskRow(int y) const { return mask_.data() + static_cast<std::size_t>(y) * stride_; }

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;
  std::vector<std::uint8_t> mask_;
};

// Copies into dest, inside the region only, the pixels of source whose row lies
// sourceTop rows further down (dest row y takes source row sourceTop + y, same columns);
// with invert each channel becomes 255 - value. Parts outside either raster are skipped.
void CopyInsideRegion(const GlyphRegion& region, const RasterImage& source, int sourceTop, bool invert,
                      RasterImage& dest);

}  // namespace quillstone
