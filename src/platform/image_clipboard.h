#pragma once

#include <optional>

#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// The desktop's clipboard, for pictures. Behind an interface so that tests see what would
// be put there, and answer what it holds, without touching the user's clipboard.
class ImageClipboard {
 public:
  virtual ~ImageClipboard() = default;
  // The picture on the clipboard as 24-bit pixels; none when it holds no picture.
  virtual std::optional<RasterImage> Image() = 0;
  // Puts a copy of the picture on the clipboard.
  virtual Status SetImage(const RasterImage& image) = 0;
};

// The toolkit's clipboard (QClipboard), which serves X11 and Wayland alike. Transparent
// parts of a picture are laid over white; a picture larger than a raster may be counts as
// none. Needs a QGuiApplication.
class SystemImageClipboard final : public ImageClipboard {
 public:
  std::optional<RasterImage> Image() override;
  Status SetImage(const RasterImage& image) override;
};

}  // namespace quillstone
