#pragma once

#include <memory>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"

namespace quillstone {

// A drawing surface over a RasterImage's own memory (no copy): what is drawn lands in the
// raster's rows at once. Shapes are drawn without anti-aliasing and clipped to the raster.
// Corners follow the half-open convention: a shape from (x1, y1) to (x2, y2) covers
// x1 <= x < x2 and y1 <= y < y2 after the corners are ordered.
// The raster must not be resized while a Canvas is alive.
class Canvas {
 public:
  explicit Canvas(RasterImage& image);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // A solid rectangle filled and outlined in one colour.
  void FillRectangle(int x1, int y1, int x2, int y2, ColorValue color);
  // A rectangle outline one pixel wide, along the outermost pixels of the covered area.
  void FrameRectangle(int x1, int y1, int x2, int y2, ColorValue color);
  // A solid rectangle with rounded corners; the corner ellipse is ew x eh pixels.
  void FillRoundRectangle(int x1, int y1, int x2, int y2, int ew, int eh, ColorValue color);
  // A solid ellipse inscribed in the box.
  void FillEllipse(int x1, int y1, int x2, int y2, ColorValue color);

  // For the text functions of the platform layer: the painter behind this surface.
  struct Impl;
  Impl& impl() { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quillstone
