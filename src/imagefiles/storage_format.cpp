#include "imagefiles/storage_format.h"

#include <string>

namespace quillstone {

Status CheckWritable(const RasterImage& image, const StorageFormat& format) {
  if (image.Empty()) return Status::Error("nothing to write: the image is empty");
  if (HasPalette(format.depth)) {
    const std::size_t most = std::size_t{1} << format.Bits();
    if (format.palette.empty() || format.palette.size() > most) {
      return Status::Error("a " + std::to_string(format.Bits()) + "-bit image needs a palette of 1 to " +
                           std::to_string(most) + " colours");
    }
  }
  return Status::Ok();
}

}  // namespace quillstone
