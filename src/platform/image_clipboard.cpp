#include "platform/image_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>

#include "imaging/raster_size.h"
#include "platform/canvas_impl.h"

namespace quillstone {

std::optional<RasterImage> SystemImageClipboard::Image() {
  QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return std::nullopt;
  if (!RasterSizeProblem(image.width(), image.height()).empty()) return std::nullopt;
  RasterImage raster(image.width(), image.height(), colors::kWhite);
  // Drawn into the raster's own rows: a transparent picture lands on the white.
  QImage target = WrapRaster(raster);
  QPainter painter(&target);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.drawImage(0, 0, image);
  painter.end();
  return raster;
}

Status SystemImageClipboard::SetImage(const RasterImage& image) {
  if (image.Empty()) return Status::Error("there is no picture to copy");
  // The clipboard keeps its own copy; the raster's rows may change with the next render.
  QGuiApplication::clipboard()->setImage(WrapRaster(image).copy());
  return Status::Ok();
}

}  // namespace quillstone
