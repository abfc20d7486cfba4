#pragma once

// Private to the platform layer: the Qt objects behind a Canvas.

#include <QImage>
#include <QPainter>

#include "platform/canvas.h"

namespace quillstone {

struct Canvas::Impl {
  explicit Impl(RasterImage& image);
  RasterImage& raster;  // for the functions that write its rows themselves
  QImage surface;       // shares the raster's rows
  QPainter painter;
};

// A QImage that reads and writes the raster's own rows.
QImage WrapRaster(RasterImage& image);
QImage WrapRaster(const RasterImage& image);

}  // namespace quillstone
